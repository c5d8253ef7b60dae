# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Shared drawing helpers for the iced-biscuit pictures.

Every picture in the set is drawn through these helpers so that the dough,
the rim, the piped royal icing and the flood colours look the same
everywhere. Coordinates are in output pixels: each SVG is written at the
exact size it is rendered at, so a line of width 1.6 here is 1.6 pixels on
screen.
"""

import math

# Baked dough: lighter where the biscuit is thick, darker towards the edge
# where it caught more heat, and a deep brown rim.
DOUGH_CENTRE = "#e2a65c"
DOUGH_EDGE = "#c07a36"
DOUGH_RIM = "#8a4f1f"

ICING_WHITE = "#fffdf7"
# The piped lines stand a little proud of the biscuit; a soft brown shadow
# below and to the right makes them read as icing rather than paint.
ICING_SHADOW = "#6b3a14"
ICING_SHADOW_OPACITY = 0.35

RED = "#d62839"
DARK_RED = "#a61b2b"
GREEN = "#2f9e44"
DARK_GREEN = "#1f7a33"
BLUE = "#3d7fd9"
LIGHT_BLUE = "#8cc4f2"
YELLOW = "#f7c948"
PINK = "#f5a3c0"
CHOCOLATE = "#5a3210"


class Sheet:
    """One SVG document of a fixed pixel size; pictures sit on white, icon
    motifs on nothing so their outline becomes the icon mask."""

    def __init__(self, width, height, white_background=True, shift=(0, 0)):
        self.width = width
        self.height = height
        # Moves the whole drawing, to centre a picture after it is drawn.
        self.shift = shift
        self.white_background = white_background
        self.parts = []
        self.definitions = []

    def mask(self, contents):
        """Defines a luminance mask from `contents` (white shows, black
        hides) and returns its id."""
        mask_id = f"mask{len(self.definitions)}"
        self.definitions.append(
            f'<mask id="{mask_id}" maskUnits="userSpaceOnUse" x="-{self.width}" '
            f'y="-{self.height}" width="{3 * self.width}" height="{3 * self.height}">'
            + "".join(contents) + "</mask>")
        return mask_id

    def clip(self, d):
        """Defines a clip path from the path data `d` and returns its id."""
        clip_id = f"clip{len(self.definitions)}"
        self.definitions.append(f'<clipPath id="{clip_id}"><path d="{d}"/></clipPath>')
        return clip_id

    def add(self, *markup):
        self.parts.extend(markup)
        return self

    def text(self):
        cx = self.width / 2
        cy = self.height / 2
        radius = max(self.width, self.height) * 0.6
        head = (
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" '
            f'height="{self.height}" viewBox="0 0 {self.width} {self.height}">\n'
            '<defs>\n'
            f'<radialGradient id="dough" gradientUnits="userSpaceOnUse" '
            f'cx="{fmt(cx)}" cy="{fmt(cy * 0.9)}" r="{fmt(radius)}">'
            f'<stop offset="0" stop-color="{DOUGH_CENTRE}"/>'
            f'<stop offset="0.55" stop-color="{DOUGH_CENTRE}"/>'
            f'<stop offset="1" stop-color="{DOUGH_EDGE}"/>'
            '</radialGradient>\n'
            + "".join(d + "\n" for d in self.definitions) +
            '</defs>\n')
        if self.white_background:
            head += f'<rect width="{self.width}" height="{self.height}" fill="#ffffff"/>\n'
        dx, dy = self.shift
        body = "\n".join(self.parts)
        if dx or dy:
            body = f'<g transform="translate({fmt(dx)},{fmt(dy)})">\n{body}\n</g>'
        return head + body + "\n</svg>\n"


def fmt(value):
    """Numbers with at most two decimals so the SVG stays readable and
    byte-for-byte stable."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def path_from_points(points, closed=True):
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points)
    return d + (" Z" if closed else "")


def star_points(cx, cy, outer, inner, count=5, turn_degrees=-90):
    """Corners of a star with `count` arms, the first arm pointing along
    `turn_degrees` (straight up by default)."""
    points = []
    for i in range(count * 2):
        radius = outer if i % 2 == 0 else inner
        angle = math.radians(turn_degrees + i * 180 / count)
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


class Shape:
    """A piece of a biscuit outline: the filled core path `d` grown on every
    side by half of `width`. Growing (or shrinking) by a width keeps corners
    round, so one list of shapes gives the dough, its rim and every inset
    icing region with the same silhouette."""

    def __init__(self, d, width):
        self.d = d
        self.width = width

    def markup(self, colour, grow=0.0):
        width = self.width + 2 * grow
        if width <= 0:
            return f'<path d="{self.d}" fill="{colour}"/>'
        return (f'<path d="{self.d}" fill="{colour}" stroke="{colour}" '
                f'stroke-width="{fmt(width)}" stroke-linejoin="round" '
                f'stroke-linecap="round"/>')


def capsule(x1, y1, x2, y2, width):
    """A limb: a straight bar of the given thickness with round ends."""
    return Shape(f"M{fmt(x1)},{fmt(y1)} L{fmt(x2)},{fmt(y2)}", width)


def disc(cx, cy, radius):
    """A round piece whose radius survives insets of up to radius / 2."""
    return Shape(circle_path(cx, cy, radius / 2), radius)


def rounded(points, rounding):
    """A polygon outline whose corners are rounded by `rounding` pixels;
    the points are the outline already drawn in by that much."""
    return Shape(path_from_points(points), 2 * rounding)


def circle_path(cx, cy, r):
    return (f"M{fmt(cx - r)},{fmt(cy)} A{fmt(r)},{fmt(r)} 0 1,0 {fmt(cx + r)},{fmt(cy)} "
            f"A{fmt(r)},{fmt(r)} 0 1,0 {fmt(cx - r)},{fmt(cy)} Z")


class Biscuit:
    """A baked biscuit made of overlapping shapes, drawn as one piece."""

    def __init__(self, sheet, shapes, rim=1.6):
        self.sheet = sheet
        self.shapes = list(shapes)
        self.rim = rim
        self.insets = {}

    def bake(self):
        """Draws the rim of every shape before any dough, so the pieces
        merge into one biscuit."""
        self.sheet.add(*(shape.markup(DOUGH_RIM, self.rim) for shape in self.shapes))
        self.sheet.add(*(shape.markup("url(#dough)") for shape in self.shapes))
        return self

    def inside(self, inset):
        """The id of a mask covering the biscuit drawn in by `inset` pixels."""
        if inset not in self.insets:
            mask_id = self.sheet.mask([shape.markup("#ffffff", -inset) for shape in self.shapes])
            self.insets[inset] = mask_id
        return self.insets[inset]

    def flood(self, region_markup, inset=2.0):
        """Flood icing over `region_markup`, kept `inset` pixels inside the
        biscuit's edge."""
        self.sheet.add(f'<g mask="url(#{self.inside(inset)})">{region_markup}</g>')

    def edge_piping(self, inset=2.2, width=1.5):
        """A piped white line following the biscuit's outline."""
        ring = self.sheet.mask(
            [shape.markup("#ffffff", -inset) for shape in self.shapes]
            + [shape.markup("#000000", -(inset + width)) for shape in self.shapes])
        full = f'<rect width="{self.sheet.width}" height="{self.sheet.height}"'
        self.sheet.add(
            f'<g mask="url(#{ring})" transform="translate(0.45,0.6)">{full} '
            f'fill="{ICING_SHADOW}" fill-opacity="{ICING_SHADOW_OPACITY}"/></g>',
            f'<g mask="url(#{ring})">{full} fill="{ICING_WHITE}"/></g>')


def piping(d, width=1.6, colour=ICING_WHITE, closed_fill=None):
    """A piped icing line along `d` with round ends, plus its shadow."""
    fill = closed_fill or "none"
    shadow = (f'<path d="{d}" fill="none" stroke="{ICING_SHADOW}" '
              f'stroke-opacity="{ICING_SHADOW_OPACITY}" stroke-width="{fmt(width)}" '
              f'stroke-linecap="round" stroke-linejoin="round" '
              f'transform="translate(0.45,0.6)"/>')
    line = (f'<path d="{d}" fill="{fill}" stroke="{colour}" stroke-width="{fmt(width)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')
    return shadow + "\n" + line


def dots(points, radius=1.2, colour=ICING_WHITE, shadow=True):
    """Piped dots of icing (or sugar pearls when coloured)."""
    out = []
    for x, y in points:
        if shadow:
            out.append(f'<circle cx="{fmt(x + 0.45)}" cy="{fmt(y + 0.6)}" '
                       f'r="{fmt(radius)}" fill="{ICING_SHADOW}" '
                       f'fill-opacity="{ICING_SHADOW_OPACITY}"/>')
        out.append(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(radius)}" '
                   f'fill="{colour}"/>')
    return "\n".join(out)


def heart_path(cx, cy, size):
    """A heart of about `size` pixels across, centred on (cx, cy)."""
    s = size / 2
    return (f"M{fmt(cx)},{fmt(cy + s * 0.95)} "
            f"C{fmt(cx - s * 0.35)},{fmt(cy + s * 0.6)} {fmt(cx - s)},{fmt(cy + s * 0.2)} "
            f"{fmt(cx - s)},{fmt(cy - s * 0.3)} "
            f"C{fmt(cx - s)},{fmt(cy - s * 0.85)} {fmt(cx - s * 0.2)},{fmt(cy - s * 0.95)} "
            f"{fmt(cx)},{fmt(cy - s * 0.45)} "
            f"C{fmt(cx + s * 0.2)},{fmt(cy - s * 0.95)} {fmt(cx + s)},{fmt(cy - s * 0.85)} "
            f"{fmt(cx + s)},{fmt(cy - s * 0.3)} "
            f"C{fmt(cx + s)},{fmt(cy + s * 0.2)} {fmt(cx + s * 0.35)},{fmt(cy + s * 0.6)} "
            f"{fmt(cx)},{fmt(cy + s * 0.95)} Z")


def squiggle(x1, y1, x2, y2, amplitude=1.5, waves=3):
    """A wavy piped line from (x1, y1) to (x2, y2), as piped across the
    wrists and ankles of gingerbread figures."""
    length = math.hypot(x2 - x1, y2 - y1)
    ux, uy = (x2 - x1) / length, (y2 - y1) / length
    nx, ny = -uy, ux
    steps = waves * 8
    points = []
    for i in range(steps + 1):
        t = i / steps
        offset = amplitude * math.sin(t * waves * 2 * math.pi)
        points.append((x1 + ux * length * t + nx * offset,
                       y1 + uy * length * t + ny * offset))
    return path_from_points(points, closed=False)


def arc_path(cx, cy, r, start_degrees, end_degrees):
    """An open arc, angles measured clockwise from the positive x axis."""
    steps = max(4, int(abs(end_degrees - start_degrees) / 10))
    points = []
    for i in range(steps + 1):
        angle = math.radians(start_degrees + (end_degrees - start_degrees) * i / steps)
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return path_from_points(points, closed=False)


def rect(x, y, width, height, colour):
    return (f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(width)}" '
            f'height="{fmt(height)}" fill="{colour}"/>')


def fill(d, colour):
    return f'<path d="{d}" fill="{colour}"/>'


def round_rect(x0, y0, x1, y1, rounding):
    """A rectangular piece with outer bounds (x0, y0)-(x1, y1) before the
    rim, corners rounded by `rounding` pixels."""
    r = rounding
    return rounded([(x0 + r, y0 + r), (x1 - r, y0 + r), (x1 - r, y1 - r), (x0 + r, y1 - r)], r)


def holly_leaf_path(cx, cy, length, width, turn_degrees):
    """A holly leaf with three prickles on each side, centred on (cx, cy)
    and pointing along `turn_degrees`."""
    angle = math.radians(turn_degrees)
    ux, uy = math.cos(angle), math.sin(angle)
    nx, ny = -uy, ux
    outline = []
    steps = 6
    for side in (1, -1):
        along = range(steps + 1) if side == 1 else range(steps, -1, -1)
        for i in along:
            t = i / steps
            half = width / 2 * math.sin(math.pi * t)
            if 0 < i < steps and i % 2 == 0:
                half *= 0.55
            a = (t - 0.5) * length
            outline.append((cx + ux * a + nx * half * side, cy + uy * a + ny * half * side))
    return path_from_points(outline)
