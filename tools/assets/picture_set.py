"""The saver's twelve pictures in the order the program indexes them.

Each entry names its files (assets/pictures/<file_stem>.svg and .bmp), the
exact pixel size the program lays out its bands with, and the function that
draws it.
"""

from dataclasses import dataclass
from typing import Callable


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


PICTURES = []
