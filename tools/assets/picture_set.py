# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver's twelve pictures in the order the program indexes them, and the
screen densities the program carries art for.

Each entry names its files (assets/pictures/<file_stem>.svg and .bmp, and
assets/pictures/<dpi>dpi/<file_stem>.png for each further density), the
exact pixel size the program lays out its bands with at 96 dots per inch,
and the function that draws it.
"""

import os
from dataclasses import dataclass
from fractions import Fraction
from typing import Callable

import art_angel
import art_gingerbread
import art_objects
import art_shapes
import art_toys


@dataclass(frozen=True)
class Picture:
    index: int
    name: str
    width: int
    height: int
    draw: Callable

    @property
    def file_stem(self):
        return f"{self.index:02d}-{self.name}"

    def size_at(self, dots_per_inch):
        """The picture's pixel size on a screen of that density."""
        return (scaled_length(self.width, dots_per_inch),
                scaled_length(self.height, dots_per_inch))


# The design density: the BMPs are the art for it.
DESIGN_DPI = 96

# Further densities with art of their own, as PNG: every Windows scale from
# 125% to 300% in 25% steps. The program makes any other density from the
# next larger of these (or enlarges the largest) with its own resampler.
PNG_DENSITIES = (120, 144, 168, 192, 216, 240, 264, 288)


def scaled_length(pixels, dots_per_inch):
    """pixels x dots_per_inch / 96, rounded to the nearest whole number with
    halves going to the even neighbour, as the program rounds it."""
    return round(Fraction(pixels * dots_per_inch, DESIGN_DPI))


# The drawing of each picture, by its name in assets/pictures.txt.
DRAWINGS = {
    "stocking": art_objects.stocking,
    "gingerbread-boy": art_gingerbread.gingerbread_boy,
    "locomotive": art_toys.locomotive,
    "snowflake": art_shapes.snowflake,
    "rocking-horse": art_toys.rocking_horse,
    "bell": art_objects.bell,
    "christmas-tree": art_objects.christmas_tree,
    "gingerbread-man": art_gingerbread.gingerbread_man,
    "angel": art_angel.angel,
    "candy-cane": art_objects.candy_cane,
    "star": art_shapes.star,
    "gingerbread-girl": art_gingerbread.gingerbread_girl,
}
LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets", "pictures.txt")


def read_pictures(path=LIST):
    """The pictures of the list, in its order: one "name width height" a line."""
    pictures = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, width, height = line.split()
                pictures.append(Picture(len(pictures), name, int(width), int(height), DRAWINGS[name]))
    return pictures


PICTURES = read_pictures()
