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

    def __init__(self, width, height, white_background=True):
        self.width = width
        self.height = height
        self.white_background = white_background
        self.parts = []

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
            '</defs>\n')
        if self.white_background:
            head += f'<rect width="{self.width}" height="{self.height}" fill="#ffffff"/>\n'
        return head + "\n".join(self.parts) + "\n</svg>\n"


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


def dough(d, rounding=6, rim=1.6):
    """A biscuit body: the outline `d` softened by `rounding` pixels of
    round join, filled with baked dough and edged with a darker rim."""
    return (
        f'<path d="{d}" fill="{DOUGH_RIM}" stroke="{DOUGH_RIM}" '
        f'stroke-width="{fmt(rounding + 2 * rim)}" stroke-linejoin="round"/>\n'
        f'<path d="{d}" fill="url(#dough)" stroke="url(#dough)" '
        f'stroke-width="{fmt(rounding)}" stroke-linejoin="round"/>')


def flood(d, colour, rounding=0, shade=None):
    """Flooded icing: a flat colour area, optionally with softened corners
    and a thin darker edge where the icing settles."""
    edge = shade or colour
    width = rounding + (0.8 if shade else 0)
    return (f'<path d="{d}" fill="{colour}" stroke="{edge}" '
            f'stroke-width="{fmt(width)}" stroke-linejoin="round"/>')


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
