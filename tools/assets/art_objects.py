# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Christmas objects: the stocking, the bell, the tree and the candy cane."""

from icing_kit import (BLUE, CHOCOLATE, DARK_GREEN, DARK_RED, GREEN,
                       ICING_SHADOW, ICING_WHITE, PINK, RED, YELLOW, Biscuit,
                       Shape, Sheet, disc, dots, fill, holly_leaf_path,
                       path_from_points, piping, rect, round_rect, rounded,
                       squiggle, star_points)


def candy_cane():
    """The one picture that is a sweet rather than a biscuit: a striped
    sugar cane with a shine along it."""
    sheet = Sheet(56, 137, shift=(4, -4))
    cane = "M37,128 L37,30 A13,13 0 0,0 11,30 L11,38"
    width = 13
    sheet.add(f'<path d="{cane}" fill="none" stroke="{DARK_RED}" stroke-width="{width + 2.4}" '
              'stroke-linecap="round"/>')
    body = sheet.mask([f'<path d="{cane}" fill="none" stroke="#ffffff" '
                       f'stroke-width="{width}" stroke-linecap="round"/>'])
    stripes = "".join(
        f'<path d="M-20,{y} L80,{y - 100}" stroke="{RED}" stroke-width="5.5"/>'
        for y in range(0, 260, 13))
    sheet.add(f'<g mask="url(#{body})"><rect width="56" height="137" fill="{ICING_WHITE}"/>'
              f'{stripes}'
              f'<path d="{cane}" fill="none" stroke="{ICING_SHADOW}" stroke-opacity="0.22" '
              f'stroke-width="{width}" stroke-linecap="round" transform="translate(3.5,1)"/>'
              '</g>')
    shine = "M33.5,124 L33.5,31 A9.5,9.5 0 0,0 22,21.5"
    sheet.add(f'<path d="{shine}" fill="none" stroke="#ffffff" stroke-opacity="0.75" '
              'stroke-width="2.2" stroke-linecap="round"/>')
    return sheet


def bell():
    sheet = Sheet(102, 110)
    cx = 51
    outline = (f"M{cx - 11},24 C{cx - 28},26 {cx - 30},50 {cx - 32},72 "
               f"C{cx - 33},82 {cx - 40},86 {cx - 43},92 L{cx + 43},92 "
               f"C{cx + 40},86 {cx + 33},82 {cx + 32},72 "
               f"C{cx + 30},50 {cx + 28},26 {cx + 11},24 Z")
    shape = Biscuit(sheet, [
        disc(cx, 14, 8),
        disc(cx, 96, 9),
        Shape(outline, 8),
    ]).bake()
    shape.flood(fill(outline, YELLOW) + rect(0, 0, 102, 24, YELLOW), inset=2.6)
    sheet.add(fill(f"M{cx - 4},14 a4,4 0 1,0 8,0 a4,4 0 1,0 -8,0 Z", "#ffffff"))
    # Highlight and the piped rim of the bell's mouth.
    sheet.add(f'<path d="M{cx - 18},36 C{cx - 22},48 {cx - 23},62 {cx - 24},74" fill="none" '
              'stroke="#fff3c4" stroke-width="3.2" stroke-linecap="round"/>')
    sheet.add(piping(f"M{cx - 41},88 C{cx - 20},93 {cx + 20},93 {cx + 41},88", width=2.0))
    sheet.add(dots([(cx + x, 84.5 + 0.002 * x * x) for x in range(-30, 31, 10)], 1.3))
    # The holly band: a ribbon of leaves and berries round the waist.
    sheet.add(piping(f"M{cx - 31},58 C{cx - 10},63 {cx + 10},63 {cx + 31},58", width=9,
                     colour=ICING_WHITE))
    for lx, ly, turn in [(cx - 21, 59, 195), (cx - 10, 61, 345), (cx + 10, 61, 195),
                         (cx + 21, 59, 345)]:
        sheet.add(fill(holly_leaf_path(lx, ly, 21, 12, turn), GREEN))
        sheet.add(piping(holly_leaf_path(lx, ly, 13, 0.01, turn), width=0.9,
                         colour=DARK_GREEN))
    for bx, by in [(cx - 3.4, 62.5), (cx + 3.4, 62.5), (cx, 57)]:
        sheet.add(dots([(bx, by)], 3.4, RED))
        sheet.add(dots([(bx - 1.1, by - 1.1)], 0.9, "#ffffff", shadow=False))
    return sheet


def christmas_tree():
    sheet = Sheet(96, 161, shift=(0, 2))
    cx = 48
    tiers = [
        [(cx, 24), (cx + 24, 58), (cx - 24, 58)],
        [(cx, 46), (cx + 33, 96), (cx - 33, 96)],
        [(cx, 80), (cx + 40, 134), (cx - 40, 134)],
    ]
    star = star_points(cx, 16, 12, 5.5)
    tree = Biscuit(sheet, [rounded(star, 1.5), round_rect(cx - 9, 128, cx + 9, 155, 3)]
                   + [rounded(tier, 4) for tier in tiers]).bake()
    tree.flood("".join(rounded(tier, 2).markup(GREEN) for tier in tiers), inset=2.4)
    # Piped snow along the bottom of each tier.
    for (_, _), (rx, ry), (lx, _) in tiers:
        sheet.add(piping(squiggle(lx - 1, ry + 2, rx + 1, ry + 2, 1.3, 5), width=1.7))
    # The garland swoops from side to side down the tree.
    garland = [((cx - 14, 44), (cx + 17, 54)), ((cx + 24, 72), (cx - 26, 88)),
               ((cx - 32, 108), (cx + 34, 124))]
    tree.flood("".join(
        piping(f"M{x0},{y0} Q{(x0 + x1) / 2},{(y0 + y1) / 2 + 9} {x1},{y1}",
               width=2.6, colour=YELLOW)
        for (x0, y0), (x1, y1) in garland), inset=2.4)
    baubles = [(cx + 4, 38, RED), (cx - 10, 64, BLUE), (cx + 14, 82, RED),
               (cx - 18, 100, ICING_WHITE), (cx + 6, 104, BLUE), (cx + 24, 110, ICING_WHITE),
               (cx - 8, 124, RED), (cx - 27, 124, BLUE), (cx + 18, 68, PINK)]
    for bx, by, colour in baubles:
        sheet.add(dots([(bx, by)], 3.0, colour))
        sheet.add(dots([(bx - 0.9, by - 0.9)], 0.8, "#ffffff", shadow=False))
    tree.flood(fill(path_from_points(star), YELLOW), inset=1.8)
    sheet.add(piping(f"M{cx - 5},141 L{cx + 5},141 M{cx - 5},147 L{cx + 5},147", width=1.2,
                     colour=CHOCOLATE))
    return sheet


def stocking():
    """A striped stocking with a teddy bear peeping over the cuff."""
    sheet = Sheet(86, 160, shift=(-1.5, 0))
    leg = ("M16,56 L60,56 L60,102 C60,112 66,116 72,122 C82,132 80,150 64,151 "
           "L40,151 C22,151 14,142 15,124 Z")
    bear_x = 40
    stocking_biscuit = Biscuit(sheet, [
        disc(bear_x - 14, 14, 7), disc(bear_x + 14, 14, 7), disc(bear_x, 28, 17),
        Shape(leg, 6),
        round_rect(8, 40, 70, 62, 6),
    ]).bake()
    # Stripes of red, white and green run round the leg and foot.
    stripes = "".join(
        rect(0, y, 86, 8, colour)
        for y, colour in zip(range(60, 160, 8), [RED, ICING_WHITE, GREEN, ICING_WHITE] * 4))
    leg_clip = sheet.clip(leg)
    stocking_biscuit.flood(f'<g clip-path="url(#{leg_clip})">{stripes}</g>', inset=2.4)
    sheet.add(piping(leg, width=1.6))
    # The white cuff, piped with dots, with the bear's paws resting on it.
    stocking_biscuit.flood(round_rect(8, 40, 70, 62, 6).markup(ICING_WHITE), inset=2.2)
    sheet.add(piping(squiggle(13, 58, 65, 58, 1.2, 6), width=1.4, colour="#d9e6f2"))
    sheet.add(dots([(x, 51) for x in range(15, 66, 7)], 1.3, RED, shadow=False))
    # Teddy bear: caramel fur, pale muzzle, chocolate eyes and nose.
    fur = "#b8742e"
    stocking_biscuit.flood(disc(bear_x, 28, 17).markup(fur)
                           + disc(bear_x - 14, 14, 7).markup(fur)
                           + disc(bear_x + 14, 14, 7).markup(fur), inset=2.2)
    sheet.add(dots([(bear_x - 14, 14.5), (bear_x + 14, 14.5)], 3.2, PINK, shadow=False))
    sheet.add(dots([(bear_x, 33)], 7.5, "#f3dcb6", shadow=False))
    sheet.add(dots([(bear_x - 6.5, 24), (bear_x + 6.5, 24)], 2.2, CHOCOLATE, shadow=False))
    sheet.add(dots([(bear_x - 7.2, 23.2), (bear_x + 5.8, 23.2)], 0.7, "#ffffff", shadow=False))
    sheet.add(fill(f"M{bear_x - 3.5},29.5 L{bear_x + 3.5},29.5 L{bear_x},33.5 Z", CHOCOLATE))
    sheet.add(piping(f"M{bear_x},33 L{bear_x},35.5 M{bear_x - 3},36 "
                     f"Q{bear_x},38.5 {bear_x + 3},36", width=1.0, colour=CHOCOLATE))
    paws = Biscuit(sheet, [disc(bear_x - 13, 44, 5.5), disc(bear_x + 13, 44, 5.5)], rim=1.2)
    paws.bake()
    paws.flood(disc(bear_x - 13, 44, 5.5).markup(fur) + disc(bear_x + 13, 44, 5.5).markup(fur),
               inset=1.4)
    sheet.add(dots([(bear_x - 13, 45), (bear_x + 13, 45)], 2.2, "#f3dcb6", shadow=False))
    return sheet
