"""The application icon: the star biscuit of the picture set, drawn anew
for each icon size so that every size is sharp rather than scaled."""

from icing_kit import (Sheet, BLUE, dough, flood, path_from_points,
                       piping, star_points)


def star_icon(size):
    sheet = Sheet(size, size, white_background=False)
    c = size / 2
    outer = size / 2 - 1
    sheet.add(dough(path_from_points(star_points(c, c + size * 0.03, outer - 1, outer * 0.45)),
                    rounding=size / 12, rim=max(1, size / 32)))
    sheet.add(flood(path_from_points(star_points(c, c + size * 0.03, outer * 0.55, outer * 0.25)),
                    BLUE, rounding=1))
    sheet.add(piping(path_from_points(star_points(c, c + size * 0.03, outer * 0.8, outer * 0.38)),
                     width=max(1, size / 24)))
    return sheet


ICON_SIZES = (16, 32, 48)


def draw_icon(size):
    return star_icon(size)
