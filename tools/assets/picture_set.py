"""The saver's twelve pictures in the order the program indexes them.

Each entry names its files (assets/pictures/<file_stem>.svg and .bmp), the
exact pixel size the program lays out its bands with, and the function that
draws it.
"""

from dataclasses import dataclass
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
