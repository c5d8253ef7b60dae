# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The gingerbread figures: the boy, the man and the girl share one body
plan so they read as a family."""

from icing_kit import (BLUE, CHOCOLATE, DARK_GREEN, DARK_RED, GREEN,
                       ICING_WHITE, PINK, RED, YELLOW, Biscuit, Sheet, arc_path, capsule, disc, dots, fill,
                       heart_path, path_from_points, piping, rect, rounded,
                       squiggle, star_points)


def gingerbread_boy():
    sheet = Sheet(71, 95)
    cx = 35.5
    boy = Biscuit(sheet, [
        disc(cx, 19, 14),
        capsule(cx, 38, cx, 58, 26),
        capsule(cx - 4, 42, 12, 51, 14),
        capsule(cx + 4, 42, 71 - 12, 51, 14),
        capsule(cx - 5, 62, 22, 81, 15),
        capsule(cx + 5, 62, 71 - 22, 81, 15),
    ]).bake()
    # Dungarees: trousers down to the ankles and a bib held up by straps.
    trousers = path_from_points([(20, 55), (51, 55), (58, 77), (13, 77)])
    boy.flood(fill(trousers, BLUE) + rect(cx - 8, 41, 16, 16, BLUE), inset=2.4)
    sheet.add(piping(f"M{cx - 7},42 L{cx - 10},31", width=2.6, colour=BLUE),
              piping(f"M{cx + 7},42 L{cx + 10},31", width=2.6, colour=BLUE))
    sheet.add(fill(path_from_points(star_points(cx, 48.5, 5, 2.2)), YELLOW))
    sheet.add(piping(squiggle(17, 75, 29, 78, 1.2, 2), width=1.4),
              piping(squiggle(71 - 17, 75, 71 - 29, 78, 1.2, 2), width=1.4))
    sheet.add(piping(squiggle(15, 43, 19, 55, 1.1, 2), width=1.4),
              piping(squiggle(71 - 15, 43, 71 - 19, 55, 1.1, 2), width=1.4))
    sheet.add(dots([(cx - 7, 42.5), (cx + 7, 42.5)], 1.3))
    # Face.
    sheet.add(dots([(cx - 5, 16), (cx + 5, 16)], 1.8))
    sheet.add(piping(arc_path(cx, 19, 6.5, 30, 150), width=1.5))
    sheet.add(dots([(cx - 8.5, 21.5), (cx + 8.5, 21.5)], 1.5, PINK, shadow=False))
    return sheet


def gingerbread_man():
    sheet = Sheet(103, 147)
    cx = 51.5
    man = Biscuit(sheet, [
        disc(cx, 25, 19),
        capsule(cx, 54, cx, 90, 38),
        capsule(cx - 8, 58, 15, 75, 19),
        capsule(cx + 8, 58, 103 - 15, 75, 19),
        capsule(cx - 9, 98, 31, 131, 21),
        capsule(cx + 9, 98, 103 - 31, 131, 21),
    ]).bake()
    # The suit reaches the wrists and ankles; white piped pinstripes
    # run down it over red flood icing.
    suit = path_from_points([(cx - 20, 40), (cx + 20, 40), (80, 61), (77, 77),
                             (cx + 19, 70), (84, 126), (19, 126),
                             (cx - 19, 70), (26, 77), (23, 61)])
    stripes = "".join(rect(x, 30, 1.3, 100, "#f6c9cd") for x in range(10, 100, 7))
    suit_clip = sheet.clip(suit)
    man.flood(f'<g clip-path="url(#{suit_clip})">' + fill(suit, RED) + stripes
              + rect(cx - 0.8, 90, 1.6, 40, DARK_RED) + "</g>", inset=2.6)
    # Shirt front and tie.
    sheet.add(fill(path_from_points([(cx - 9, 40), (cx + 9, 40), (cx, 58)]), ICING_WHITE))
    sheet.add(fill(path_from_points([(cx - 3.2, 42), (cx + 3.2, 42), (cx + 1.6, 46),
                                     (cx + 4, 66), (cx, 71), (cx - 4, 66), (cx - 1.6, 46)]),
                   GREEN))
    sheet.add(fill(path_from_points([(cx - 3.5, 40.5), (cx + 3.5, 40.5), (cx + 2.2, 45),
                                     (cx - 2.2, 45)]), DARK_GREEN))
    sheet.add(dots([(cx - 6, 84), (cx - 6, 96), (cx - 6, 108)], 1.6))
    sheet.add(piping(squiggle(21, 61, 27, 78, 1.5, 3), width=1.8),
              piping(squiggle(103 - 21, 61, 103 - 27, 78, 1.5, 3), width=1.8))
    sheet.add(piping(squiggle(20, 123, 41, 128, 1.5, 3), width=1.8),
              piping(squiggle(103 - 20, 123, 103 - 41, 128, 1.5, 3), width=1.8))
    # Face: eyes, a curled moustache and a smile beneath it.
    sheet.add(dots([(cx - 7, 19), (cx + 7, 19)], 2.4))
    sheet.add(dots([(cx - 7, 19.3), (cx + 7, 19.3)], 1.1, CHOCOLATE, shadow=False))
    sheet.add(fill(moustache_path(cx, 28), ICING_WHITE))
    sheet.add(piping(arc_path(cx, 31, 5.5, 40, 140), width=1.6))
    return sheet


def gingerbread_girl():
    sheet = Sheet(108, 140)
    cx = 54
    dress_outline = [(cx - 9, 46), (cx + 9, 46), (cx + 27, 103), (cx - 27, 103)]
    girl = Biscuit(sheet, [
        capsule(cx - 17, 28, cx - 31, 38, 12),
        capsule(cx + 17, 28, cx + 31, 38, 12),
        disc(cx, 25, 18),
        capsule(cx - 8, 54, 16, 70, 16),
        capsule(cx + 8, 54, 108 - 16, 70, 16),
        capsule(cx - 10, 100, cx - 14, 126, 15),
        capsule(cx + 10, 100, cx + 14, 126, 15),
        rounded(dress_outline, 6),
    ]).bake()
    # Green dress with white dots, and the white apron on top.
    dress = path_from_points([(cx - 16, 40), (cx + 16, 40), (cx + 40, 112), (cx - 40, 112)])
    sleeves = (capsule(cx - 8, 54, 22, 66.5, 16).markup(GREEN)
               + capsule(cx + 8, 54, 108 - 22, 66.5, 16).markup(GREEN))
    girl.flood(fill(dress, GREEN) + sleeves, inset=2.4)
    sheet.add(dots([(cx - 24, 98), (cx + 24, 98), (cx - 17, 76), (cx + 17, 76),
                    (cx - 20, 88), (cx + 20, 88), (cx - 26, 64), (cx + 26, 64)], 1.3))
    apron = path_from_points([(cx - 9, 62), (cx + 9, 62), (cx + 15, 100), (cx - 15, 100)])
    sheet.add(fill(apron, ICING_WHITE))
    sheet.add(piping(f"M{cx - 10},62 L{cx - 13},48 M{cx + 10},62 L{cx + 13},48", width=2.0))
    sheet.add(piping(squiggle(cx - 16, 100, cx + 16, 100, 1.4, 4), width=2.0))
    sheet.add(fill(heart_path(cx, 80, 13), RED))
    # Hair: a yellow cap with a wavy fringe, and pigtails tied with red bows.
    fringe = ("M0,0 L108,0 L108,23 " + " ".join(
        f"Q{cx + 15 - 10 * i - 5},{14 if i % 2 else 22} {cx + 15 - 10 * (i + 1)},19"
        for i in range(3)) + " L0,23 Z")
    girl.flood(fill(fringe, YELLOW) + rect(0, 0, 108, 19, YELLOW), inset=2.2)
    for side in (-1, 1):
        girl.flood(capsule(cx + side * 17, 28, cx + side * 31, 38, 12).markup(YELLOW), inset=2.2)
        sheet.add(piping(f"M{cx + side * 25},31 L{cx + side * 28},37 "
                         f"M{cx + side * 30},32 L{cx + side * 33},37", width=1.0,
                         colour="#dba42a"))
        sheet.add(fill(bow_path(cx + side * 20, 30, 4.5), RED))
        sheet.add(dots([(cx + side * 20, 30)], 1.5, DARK_RED, shadow=False))
    # Face.
    sheet.add(dots([(cx - 6.5, 27), (cx + 6.5, 27)], 2.1))
    sheet.add(dots([(cx - 6.5, 27.3), (cx + 6.5, 27.3)], 1.0, CHOCOLATE, shadow=False))
    sheet.add(piping(arc_path(cx, 29, 7, 35, 145), width=1.6))
    sheet.add(dots([(cx - 11, 33), (cx + 11, 33)], 2.0, PINK, shadow=False))
    sheet.add(piping(squiggle(19, 59, 25, 75, 1.3, 2), width=1.6),
              piping(squiggle(108 - 19, 59, 108 - 25, 75, 1.3, 2), width=1.6))
    sheet.add(piping(squiggle(cx - 21, 121, cx - 7, 123, 1.2, 2), width=1.6),
              piping(squiggle(cx + 21, 121, cx + 7, 123, 1.2, 2), width=1.6))
    return sheet


def bow_path(cx, cy, size):
    """A ribbon bow: two triangles meeting at a knot."""
    s = size
    return (path_from_points([(cx, cy), (cx - s, cy - s * 0.7), (cx - s, cy + s * 0.7)])
            + " " + path_from_points([(cx, cy), (cx + s, cy - s * 0.7), (cx + s, cy + s * 0.7)]))


def moustache_path(cx, top):
    """A curled handlebar moustache hanging from `top`, as one filled shape."""
    half = []
    for side in (-1, 1):
        half.append(
            f"M{cx},{top} C{cx + side * 5},{top - 3} {cx + side * 11},{top - 1} "
            f"{cx + side * 13},{top + 3} C{cx + side * 14},{top + 5} {cx + side * 17},{top + 5} "
            f"{cx + side * 17},{top + 2} C{cx + side * 18},{top + 7} {cx + side * 11},{top + 8} "
            f"{cx + side * 8},{top + 5} C{cx + side * 5},{top + 3} {cx + side * 2},{top + 4} "
            f"{cx},{top + 5} Z")
    return " ".join(half)
