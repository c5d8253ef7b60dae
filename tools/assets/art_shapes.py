# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The geometric biscuits: the snowflake and the star."""

import math

from icing_kit import (BLUE, GREEN, ICING_WHITE, LIGHT_BLUE, Biscuit, Sheet,
                       capsule, disc, dots, fill, fmt, heart_path,
                       path_from_points, piping, rounded, star_points)


def snowflake():
    """Six arms with forked tips; a white heart sits on every arm."""
    sheet = Sheet(128, 121)
    cx, cy = 64, 60.5
    arm_length = 50
    shapes = [disc(cx, cy, 20)]
    lines = []
    for arm in range(6):
        angle = math.radians(arm * 60)
        ux, uy = math.cos(angle), math.sin(angle)
        tip = (cx + ux * arm_length, cy + uy * arm_length)
        shapes.append(capsule(cx, cy, *tip, 17))
        # A pair of short branches near the tip.
        fork = (cx + ux * 39, cy + uy * 39)
        for turn in (-1, 1):
            branch = angle + turn * math.radians(55)
            end = (fork[0] + math.cos(branch) * 11, fork[1] + math.sin(branch) * 11)
            shapes.append(capsule(*fork, *end, 10))
            lines.append(f"M{fmt(fork[0])},{fmt(fork[1])} L{fmt(end[0])},{fmt(end[1])}")
        lines.append(f"M{fmt(cx + ux * 36)},{fmt(cy + uy * 36)} "
                     f"L{fmt(cx + ux * arm_length)},{fmt(cy + uy * arm_length)}")
    flake = Biscuit(sheet, shapes).bake()
    flake.flood(disc(cx, cy, 14).markup(LIGHT_BLUE), inset=0)
    sheet.add(piping(" ".join(lines), width=1.7))
    for arm in range(6):
        angle = arm * 60
        hx = cx + math.cos(math.radians(angle)) * 25
        hy = cy + math.sin(math.radians(angle)) * 25
        sheet.add(f'<g transform="rotate({angle - 90} {fmt(hx)} {fmt(hy)})">'
                  + piping(heart_path(hx, hy, 10.5), width=0.6, closed_fill=ICING_WHITE)
                  + "</g>")
    sheet.add(piping(circle_outline(cx, cy, 13), width=1.5))
    sheet.add(dots([(cx, cy)], 3.2))
    sheet.add(dots([(cx + math.cos(math.radians(a)) * 7.5, cy + math.sin(math.radians(a)) * 7.5)
                    for a in range(30, 360, 60)], 1.4))
    return sheet


def circle_outline(cx, cy, r):
    return (f"M{fmt(cx - r)},{fmt(cy)} A{fmt(r)},{fmt(r)} 0 1,0 {fmt(cx + r)},{fmt(cy)} "
            f"A{fmt(r)},{fmt(r)} 0 1,0 {fmt(cx - r)},{fmt(cy)} Z")


def star():
    """A plump five-pointed star: blue flood, green tips and a piped
    white spiral at its heart."""
    sheet = Sheet(119, 119)
    cx, cy = 59.5, 64.5
    outline = star_points(cx, cy, 53, 27)
    biscuit = Biscuit(sheet, [rounded(outline, 4)]).bake()
    biscuit.flood(rounded(outline, 4).markup(BLUE), inset=2.6)
    # Each arm's tip is flooded green, parted from the blue by a piped line.
    tips = []
    for arm in range(5):
        angle = math.radians(-90 + arm * 72)
        ux, uy = math.cos(angle), math.sin(angle)
        nx, ny = -uy, ux
        base = (cx + ux * 36, cy + uy * 36)
        tips.append(((base[0] + nx * 11, base[1] + ny * 11),
                     (base[0] - nx * 11, base[1] - ny * 11),
                     (cx + ux * 70, cy + uy * 70)))
    biscuit.flood("".join(fill(path_from_points(tip), GREEN) for tip in tips), inset=2.6)
    biscuit.edge_piping(inset=2.4, width=1.5)
    biscuit.flood(piping(" ".join(f"M{fmt(a[0])},{fmt(a[1])} L{fmt(b[0])},{fmt(b[1])}"
                                  for a, b, _ in tips), width=1.4), inset=2.6)
    sheet.add(piping(spiral_path(cx, cy, 21, 3.1), width=2.2))
    sheet.add(dots([(cx + math.cos(math.radians(-90 + a)) * 45,
                     cy + math.sin(math.radians(-90 + a)) * 45) for a in range(0, 360, 72)],
                   1.7))
    return sheet


def spiral_path(cx, cy, radius, turns):
    """An Archimedean spiral from the centre out to `radius`."""
    steps = int(turns * 36)
    points = []
    for i in range(1, steps + 1):
        t = i / steps
        angle = t * turns * 2 * math.pi
        r = radius * t
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return path_from_points(points, closed=False)
