"""The application icon: the star biscuit of the picture set, drawn anew
for each icon size so that every size is sharp rather than scaled."""

from icing_kit import (BLUE, Biscuit, Sheet, fill, path_from_points, piping,
                       rounded, star_points)


def star_icon(size):
    sheet = Sheet(size, size, white_background=False)
    c = size / 2
    outer = size / 2 - 1
    Biscuit(sheet, [rounded(star_points(c, c + size * 0.03, outer - 1, outer * 0.45), size / 24)],
            rim=max(1, size / 32)).bake()
    sheet.add(fill(path_from_points(star_points(c, c + size * 0.03, outer * 0.55, outer * 0.25)),
                   BLUE))
    sheet.add(piping(path_from_points(star_points(c, c + size * 0.03, outer * 0.8, outer * 0.38)),
                     width=max(1, size / 24)))
    return sheet


ICON_SIZES = (16, 32, 48)


def draw_icon(size):
    return star_icon(size)
