# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The application icon: the star biscuit of the picture set, drawn anew
for each icon size so that every size stays crisp rather than being a
blurred copy of the largest."""

import math

from icing_kit import (BLUE, GREEN, Biscuit, Sheet, dots, fill,
                       path_from_points, piping, rounded, star_points)
from art_shapes import spiral_path

ICON_SIZES = (16, 32, 48)


def star_tips(cx, cy, base_radius, half_width, tip_radius):
    """Triangles covering the end of each arm, for the green tips."""
    tips = []
    for arm in range(5):
        angle = math.radians(-90 + arm * 72)
        ux, uy = math.cos(angle), math.sin(angle)
        nx, ny = -uy, ux
        bx, by = cx + ux * base_radius, cy + uy * base_radius
        tips.append([(bx + nx * half_width, by + ny * half_width),
                     (bx - nx * half_width, by - ny * half_width),
                     (cx + ux * tip_radius, cy + uy * tip_radius)])
    return tips


def icon48():
    sheet = Sheet(48, 48, white_background=False)
    cx, cy = 24, 25.5
    outline = star_points(cx, cy, 20.5, 10.5)
    star = Biscuit(sheet, [rounded(outline, 1.8)], rim=1.3).bake()
    star.flood(rounded(outline, 1.8).markup(BLUE), inset=1.4)
    star.flood("".join(fill(path_from_points(t), GREEN)
                       for t in star_tips(cx, cy, 14, 4.5, 30)), inset=1.4)
    sheet.add(piping(spiral_path(cx, cy, 7.5, 2.2), width=1.4))
    return sheet


def icon32():
    sheet = Sheet(32, 32, white_background=False)
    cx, cy = 16, 17
    outline = star_points(cx, cy, 14, 7)
    star = Biscuit(sheet, [rounded(outline, 1.2)], rim=1.1).bake()
    star.flood(rounded(outline, 1.2).markup(BLUE), inset=1.1)
    star.flood("".join(fill(path_from_points(t), GREEN)
                       for t in star_tips(cx, cy, 9.5, 3, 20)), inset=1.1)
    sheet.add(piping(spiral_path(cx, cy, 4.6, 1.6), width=1.2))
    return sheet


def icon16():
    # Too small for a spiral: a blue star on the biscuit with one white
    # dot of icing keeps the shape readable.
    sheet = Sheet(16, 16, white_background=False)
    cx, cy = 8, 8.6
    Biscuit(sheet, [rounded(star_points(cx, cy, 7, 3.6), 0.5)], rim=0.9).bake()
    sheet.add(fill(path_from_points(star_points(cx, cy, 4.6, 2.2)), BLUE))
    sheet.add(dots([(cx, cy)], 1.1, shadow=False))
    return sheet


DRAWERS = {16: icon16, 32: icon32, 48: icon48}


def draw_icon(size):
    return DRAWERS[size]()

