# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Statistics of screenshots: which colours cover how much of a box."""

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
# The bare desktop of every test's X server: a colour the program has no reason
# to draw, so any of it in a screenshot is desktop showing through.
DESKTOP = (58, 110, 165)


def color_fraction(image, color, box=None):
    """Share (0..1) of the pixels in `box` (left, top, right, bottom; default
    the whole image) that are exactly `color`."""
    return fraction_where(image, lambda value: value == color, box)


def fraction_where(image, test, box=None):
    """Share (0..1) of the pixels in `box` whose (r, g, b) passes `test`."""
    region = image.crop(box) if box else image
    total = region.width * region.height
    counts = region.getcolors(total)
    return sum(count for count, value in counts if test(value)) / total


def dominant_color(image, box=None):
    """The most common exact colour in `box` (default the whole image)."""
    region = image.crop(box) if box else image
    return max(region.getcolors(region.width * region.height))[1]


def grid_boxes(box, columns, rows):
    """Splits `box` into columns x rows cells, left to right, top to bottom."""
    left, top, right, bottom = box
    return [(left + (right - left) * c // columns, top + (bottom - top) * r // rows,
             left + (right - left) * (c + 1) // columns, top + (bottom - top) * (r + 1) // rows)
            for r in range(rows) for c in range(columns)]
