# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver's twelve pictures in the order the program indexes them, and the
screen densities the program carries art for.

Each entry names its files (assets/pictures/<file_stem>.svg and .bmp, and
assets/pictures/<dpi>dpi/<file_stem>.png for each further density), the
exact pixel size the program lays out its bands with at 96 dots per inch,
and the function that draws it.
"""

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


PICTURES = [
    Picture(0, "stocking", 86, 160, art_objects.stocking),
    Picture(1, "gingerbread-boy", 71, 95, art_gingerbread.gingerbread_boy),
    Picture(2, "locomotive", 136, 136, art_toys.locomotive),
    Picture(3, "snowflake", 128, 121, art_shapes.snowflake),
    Picture(4, "rocking-horse", 127, 118, art_toys.rocking_horse),
    Picture(5, "bell", 102, 110, art_objects.bell),
    Picture(6, "christmas-tree", 96, 161, art_objects.christmas_tree),
    Picture(7, "gingerbread-man", 103, 147, art_gingerbread.gingerbread_man),
    Picture(8, "angel", 96, 116, art_angel.angel),
    Picture(9, "candy-cane", 56, 137, art_objects.candy_cane),
    Picture(10, "star", 119, 119, art_shapes.star),
    Picture(11, "gingerbread-girl", 108, 140, art_gingerbread.gingerbread_girl),
]
