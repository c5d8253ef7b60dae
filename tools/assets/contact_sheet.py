#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Draws the README's picture sheet, docs/pictures.png: one picture at 100% and
at 200% as the saver draws them, beside the same picture as Windows would
stretch a program that ignores the screen's density to 200%, and below them
all twelve pictures at 100%. The pictures come from frostlane-pictures, so the
sheet shows the program's own art.

    contact_sheet.py [--tool FROSTLANE_PICTURES] [output.png]
"""

import argparse
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

TOOLS_DIR = Path(__file__).resolve().parent
sys.path.insert(0, str(TOOLS_DIR))
sys.dont_write_bytecode = True

import picture_set  # noqa: E402

REPO_ROOT = TOOLS_DIR.parent.parent
DEFAULT_TOOL = REPO_ROOT / "build" / "linux" / "tools" / "pictures" / "frostlane-pictures"
DEFAULT_OUTPUT = REPO_ROOT / "docs" / "pictures.png"

SHOWCASE = 7  # the gingerbread man: fine icing lines show blur at once
GAP = 16
LABEL_HEIGHT = 26
PAGE = (244, 241, 236)
CARD = (255, 255, 255)
INK = (90, 60, 40)
FONT_PATH = Path("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf")


def label_font():
    # The page is only for people to look at; fall back to PIL's own font
    # where DejaVu is not installed.
    if FONT_PATH.is_file():
        return ImageFont.truetype(str(FONT_PATH), 16)
    return ImageFont.load_default()


def drawn_pictures(tool, dots_per_inch, folder):
    """The twelve pictures as the program draws them at that density."""
    out = Path(folder) / str(dots_per_inch)
    subprocess.run([str(tool), "--dpi", str(dots_per_inch), "--out", str(out)], check=True,
                   capture_output=True)
    return [Image.open(out / f"picture-{p.index:02d}.png").convert("RGB") for p in picture_set.PICTURES]


def card(images, labels, font):
    """Images side by side on one white card, bottoms aligned, each under its label."""
    columns = [max(image.width, int(font.getlength(label))) for image, label in zip(images, labels)]
    width = sum(columns) + GAP * (len(images) + 1)
    height = max(image.height for image in images) + LABEL_HEIGHT + 2 * GAP
    sheet = Image.new("RGB", (width, height), CARD)
    pen = ImageDraw.Draw(sheet)
    x = GAP
    for image, label, column in zip(images, labels, columns):
        pen.text((x, GAP // 2), label, fill=INK, font=font)
        sheet.paste(image, (x, height - GAP - image.height))
        x += column + GAP
    return sheet


def contact_sheet(tool):
    font = label_font()
    with tempfile.TemporaryDirectory(prefix="frostlane-sheet-") as folder:
        at100 = drawn_pictures(tool, 96, folder)
        at200 = drawn_pictures(tool, 192, folder)
    small = at100[SHOWCASE]
    stretched = small.resize((2 * small.width, 2 * small.height), Image.BILINEAR)
    comparison = card([small, at200[SHOWCASE], stretched],
                      ["100%", "200%, drawn for 200%", "200%, 100% stretched"], font)
    rows = [card(at100[:6], [str(i) for i in range(6)], font),
            card(at100[6:], [str(i) for i in range(6, 12)], font)]
    parts = [comparison] + rows
    page = Image.new("RGB", (max(part.width for part in parts) + 2 * GAP,
                             sum(part.height for part in parts) + GAP * (len(parts) + 1)), PAGE)
    y = GAP
    for part in parts:
        page.paste(part, (GAP, y))
        y += part.height + GAP
    return page


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", type=Path, default=DEFAULT_TOOL, help="the built frostlane-pictures")
    parser.add_argument("output", type=Path, nargs="?", default=DEFAULT_OUTPUT)
    arguments = parser.parse_args(argv)
    arguments.output.parent.mkdir(parents=True, exist_ok=True)
    contact_sheet(arguments.tool).save(arguments.output, optimize=True)
    print(arguments.output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
