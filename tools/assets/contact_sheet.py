#!/usr/bin/python3
"""Lays the twelve committed picture BMPs out on one page, each at its real
size and at double size with its index, and writes docs/pictures.png.

    contact_sheet.py [output.png]
"""

import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

TOOLS_DIR = Path(__file__).resolve().parent
sys.path.insert(0, str(TOOLS_DIR))
sys.dont_write_bytecode = True

import picture_set  # noqa: E402

REPO_ROOT = TOOLS_DIR.parent.parent
PICTURE_DIR = REPO_ROOT / "assets" / "pictures"
DEFAULT_OUTPUT = REPO_ROOT / "docs" / "pictures.png"

COLUMNS = 4
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


def draw_card(picture, font):
    """One picture: index and name above, 1:1 and 2:1 side by side."""
    image = Image.open(PICTURE_DIR / f"{picture.file_stem}.bmp").convert("RGB")
    label = f"{picture.index}  {picture.name}  {picture.width}\u00d7{picture.height}"
    label_width = int(font.getlength(label))
    width = max(3 * picture.width + 3 * GAP, label_width + 2 * GAP)
    card = Image.new("RGB", (width, 2 * picture.height + LABEL_HEIGHT + 2 * GAP), CARD)
    pen = ImageDraw.Draw(card)
    pen.text((GAP, GAP // 2), label, fill=INK, font=font)
    top = GAP + LABEL_HEIGHT
    card.paste(image, (GAP, top + picture.height))
    double = image.resize((2 * picture.width, 2 * picture.height), Image.NEAREST)
    card.paste(double, (2 * GAP + picture.width, top))
    return card


def contact_sheet():
    font = label_font()
    cards = [draw_card(picture, font) for picture in picture_set.PICTURES]
    rows = [cards[i:i + COLUMNS] for i in range(0, len(cards), COLUMNS)]
    column_widths = [max(row[c].width for row in rows if c < len(row))
                     for c in range(COLUMNS)]
    row_heights = [max(card.height for card in row) for row in rows]
    page = Image.new("RGB", (sum(column_widths) + GAP * (COLUMNS + 1),
                             sum(row_heights) + GAP * (len(rows) + 1)), PAGE)
    y = GAP
    for row, height in zip(rows, row_heights):
        x = GAP
        for card, width in zip(row, column_widths):
            page.paste(card, (x, y))
            x += width + GAP
        y += height + GAP
    return page


def main(argv):
    output = Path(argv[0]) if argv else DEFAULT_OUTPUT
    output.parent.mkdir(parents=True, exist_ok=True)
    contact_sheet().save(output, optimize=True)
    print(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
