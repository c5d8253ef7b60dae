# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The toys: the steam locomotive and the rocking horse."""

import math

from icing_kit import (BLUE, CHOCOLATE, DARK_RED, GREEN,
                       ICING_WHITE, RED, YELLOW, Biscuit, Shape,
                       Sheet, capsule, disc, dots, fill, fmt,
                       piping, rect, round_rect, rounded, squiggle)

SKIN = "#f1c9a0"


def locomotive():
    """A little steam engine heading left, with the driver looking out of
    the cab."""
    sheet = Sheet(136, 136, shift=(0, 6))
    chimney = [(24, 26), (42, 26), (38, 34), (37, 60), (29, 60), (28, 34)]
    engine = Biscuit(sheet, [
        disc(28, 16, 10), disc(43, 12, 8),
        rounded(chimney, 2),
        round_rect(12, 56, 96, 96, 8),
        round_rect(90, 34, 128, 98, 4),
        round_rect(84, 26, 132, 38, 3),
        disc(62, 56, 9),
        rounded([(15, 86), (15, 110), (6, 110)], 2),
        disc(32, 108, 12), disc(62, 104, 16), disc(104, 104, 16),
    ]).bake()
    # Smoke puffs of white icing.
    engine.flood(disc(28, 16, 10).markup(ICING_WHITE) + disc(43, 12, 8).markup(ICING_WHITE),
                 inset=2.2)
    # Green boiler with red bands, red cab and chimney.
    engine.flood(round_rect(12, 56, 96, 96, 8).markup(GREEN)
                 + disc(62, 56, 9).markup(GREEN), inset=2.4)
    engine.flood(rect(44, 56, 6, 40, RED) + rect(74, 56, 6, 40, RED) + rect(12, 58, 8, 40, RED),
                 inset=2.4)
    engine.flood(round_rect(90, 34, 128, 98, 4).markup(RED)
                 + round_rect(84, 26, 132, 38, 3).markup(DARK_RED)
                 + rounded(chimney, 2).markup(RED), inset=2.4)
    sheet.add(dots([(62, 53)], 2.4, YELLOW))
    # The cab window with the driver in his cap.
    sheet.add(piping("M98,44 L120,44 L120,66 L98,66 Z", width=1.6, closed_fill="#fff1b8"))
    sheet.add(dots([(109, 58)], 6.5, SKIN, shadow=False))
    sheet.add(fill("M102.5,55 C102.5,47 115.5,47 115.5,55 Z", BLUE))
    sheet.add(fill("M101,55 L117,55 L117,57 L101,57 Z", BLUE))
    sheet.add(dots([(106.8, 59.5), (111.2, 59.5)], 0.9, CHOCOLATE, shadow=False))
    sheet.add(piping("M106.5,62 Q109,64 111.5,62", width=0.9, colour=CHOCOLATE))
    sheet.add(dots([(98, 76), (98, 88), (120, 76), (120, 88)], 1.4))
    # Wheels: red with piped spokes, joined by the coupling rod.
    for wx, wy, r in [(32, 108, 12), (62, 104, 16), (104, 104, 16)]:
        engine.flood(disc(wx, wy, r).markup(RED), inset=2.4)
        spokes = " ".join(
            f"M{fmt(wx)},{fmt(wy)} L{fmt(wx + math.cos(math.radians(a)) * (r - 4))},"
            f"{fmt(wy + math.sin(math.radians(a)) * (r - 4))}" for a in range(0, 360, 60))
        sheet.add(piping(spokes, width=1.2))
        sheet.add(dots([(wx, wy)], 2.4, ICING_WHITE))
    sheet.add(piping("M62,109 L104,109", width=2.6, colour="#dfe6ee"))
    sheet.add(dots([(62, 109), (104, 109)], 1.6, CHOCOLATE, shadow=False))
    sheet.add(piping("M17,92 L17,107 M13,99 L13,107", width=1.3))
    sheet.add(piping(squiggle(16, 60, 92, 60, 1.2, 8), width=1.5))
    return sheet


def rocking_horse():
    """A dappled horse facing right on red rockers, with a saddle cloth."""
    sheet = Sheet(127, 118, shift=(-1, 1.5))
    rocker = "M10,94 Q63,118 117,94"
    head = [(92, 20), (100, 16), (118, 34), (116, 42), (104, 42)]
    horse = Biscuit(sheet, [
        Shape(rocker, 10),
        capsule(40, 58, 88, 56, 26),
        capsule(86, 52, 97, 26, 18),
        rounded(head, 6),
        capsule(92, 18, 89, 8, 7),
        capsule(40, 52, 20, 70, 10),
        capsule(46, 64, 36, 98, 9), capsule(52, 64, 52, 102, 9),
        capsule(80, 64, 76, 102, 9), capsule(86, 64, 92, 98, 9),
    ]).bake()
    horse.flood(Shape(rocker, 10).markup(RED), inset=2.2)
    sheet.add(piping(squiggle(14, 96.5, 40, 104.5, 0.9, 3) + " " +
                     squiggle(87, 104.5, 113, 96.5, 0.9, 3), width=1.2))
    # Saddle cloth: green with a red saddle, trimmed with white piping.
    cloth = "M52,44 L76,44 L78,70 C70,73 58,73 50,70 Z"
    sheet.add(piping(cloth, width=1.6, closed_fill=GREEN))
    sheet.add(dots([(55, 68), (60, 69.5), (65, 70), (70, 69.5), (75, 68)], 1.2, YELLOW,
                   shadow=False))
    sheet.add(fill("M55,44 C56,38 72,38 73,44 Z", RED))
    # Mane and tail in chocolate icing, a bridle in red.
    sheet.add(piping(squiggle(90, 14, 82, 44, 2.2, 4), width=3.2, colour=CHOCOLATE))
    sheet.add(piping(squiggle(37, 54, 22, 68, 1.8, 3), width=3.2, colour=CHOCOLATE))
    horse.flood(piping("M109,24 L106.5,44 M107.5,35 L88,46", width=1.7, colour=RED), inset=1.5)
    sheet.add(dots([(100, 26)], 2.0, ICING_WHITE))
    sheet.add(dots([(100.3, 26.3)], 1.0, CHOCOLATE, shadow=False))
    sheet.add(dots([(114, 37)], 1.1, CHOCOLATE, shadow=False))
    # Dapples on the flank and hooves picked out in white.
    sheet.add(dots([(44, 56), (82, 58), (86, 50), (42, 63), (48, 50)], 1.5))
    sheet.add(piping("M32,95 L40,97 M48,99 L56,99 M72,99 L80,99 M88,97 L96,95", width=1.6))
    return sheet
