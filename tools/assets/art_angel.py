# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The angel: a biscuit with wings and a halo, in a pink robe, reading."""

from icing_kit import (BLUE, CHOCOLATE, ICING_WHITE, LIGHT_BLUE, PINK,
                       YELLOW, Biscuit, Shape, Sheet, arc_path, disc,
                       dots, fill, fmt, path_from_points, piping, rounded,
                       squiggle)

ROBE_SHADE = "#e4819f"
HAIR = "#7a4519"
BOOK_DARK = "#2a5fae"


def ellipse_path(cx, cy, rx, ry):
    return (f"M{fmt(cx - rx)},{fmt(cy)} A{fmt(rx)},{fmt(ry)} 0 1,0 {fmt(cx + rx)},{fmt(cy)} "
            f"A{fmt(rx)},{fmt(ry)} 0 1,0 {fmt(cx - rx)},{fmt(cy)} Z")


def angel():
    sheet = Sheet(96, 116)
    cx = 48
    wing_left = [(cx - 8, 48), (cx - 20, 30), (cx - 31, 25), (cx - 35, 34), (cx - 34, 50),
                 (cx - 26, 66), (cx - 14, 74)]
    wing_right = [(2 * cx - x, y) for x, y in wing_left]
    robe = [(cx - 9, 46), (cx + 9, 46), (cx + 27, 103), (cx - 27, 103)]
    body = Biscuit(sheet, [
        Shape(ellipse_path(cx, 12, 12, 2), 6),
        rounded(wing_left, 6),
        rounded(wing_right, 6),
        rounded(robe, 6),
        disc(cx, 28, 13),
    ]).bake()

    # Wings of pale blue icing with piped feathers.
    body.flood(fill(path_from_points(wing_left), LIGHT_BLUE)
               + fill(path_from_points(wing_right), LIGHT_BLUE)
               + rounded(wing_left, 4).markup(LIGHT_BLUE)
               + rounded(wing_right, 4).markup(LIGHT_BLUE), inset=2.4)
    for side in (-1, 1):
        for fx, fy in [(31, 36), (31, 48), (26, 60)]:
            sheet.add(piping(scallops(cx + side * (fx - 8), fy, side * 14, 3), width=1.3))

    # Pink robe with a piped hem and sleeves meeting at the book.
    body.flood(fill(path_from_points(robe), PINK) + rounded(robe, 4).markup(PINK), inset=2.4)
    sheet.add(piping(squiggle(cx - 28, 101, cx + 28, 101, 1.4, 6), width=1.6))
    sheet.add(dots([(cx - 14, 90), (cx, 93), (cx + 14, 90)], 1.5))

    # Halo of yellow icing.
    body.flood(fill(ellipse_path(cx, 12, 16, 6), YELLOW), inset=2.0)
    sheet.add(piping(ellipse_path(cx, 12, 8, 1.4), width=1.2, colour="#e0a82e"))

    # Hair and a face looking down at the book.
    hair = (f"M{cx - 14},30 C{cx - 16},12 {cx + 16},12 {cx + 14},30 "
            f"C{cx + 12},22 {cx + 6},20 {cx},23 C{cx - 6},20 {cx - 12},22 {cx - 14},30 Z")
    body.flood(fill(hair, HAIR), inset=2.0)
    sheet.add(piping(arc_path(cx - 5, 29, 2.4, 20, 160), width=1.3, colour=CHOCOLATE),
              piping(arc_path(cx + 5, 29, 2.4, 20, 160), width=1.3, colour=CHOCOLATE))
    sheet.add(dots([(cx - 9, 34), (cx + 9, 34)], 1.8, "#f08aa8", shadow=False))
    sheet.add(piping(arc_path(cx, 34, 3, 30, 150), width=1.2, colour=CHOCOLATE))

    # The open blue book, held up in both hands.
    book = path_from_points([(cx - 15, 56), (cx, 59), (cx + 15, 56), (cx + 15, 74),
                             (cx, 77), (cx - 15, 74)])
    sheet.add(piping(book, width=1.6, colour=ICING_WHITE, closed_fill=BLUE))
    sheet.add(piping(f"M{cx},59.5 L{cx},76", width=1.2, colour=BOOK_DARK))
    sheet.add(dots([(cx - 8, 66.5), (cx + 8, 66.5)], 1.4, YELLOW, shadow=False))
    hands = Biscuit(sheet, [disc(cx - 16, 67, 4.5), disc(cx + 16, 67, 4.5)], rim=1.2)
    hands.bake()
    return sheet


def scallops(x, y, length, count):
    """A row of small piped arches, as feathers on a wing."""
    step = length / count
    d = f"M{fmt(x)},{fmt(y)}"
    for i in range(count):
        x1 = x + step * (i + 1)
        d += f" Q{fmt(x + step * (i + 0.5))},{fmt(y + abs(step) * 0.9)} {fmt(x1)},{fmt(y)}"
    return d
