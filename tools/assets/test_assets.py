#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Checks the byte layouts the saver's resources rely on, and the committed
art against the rules the program lays its bands out by.

    /usr/bin/python3 tools/assets/test_assets.py
"""

import struct
import sys
import unittest
from pathlib import Path

from PIL import Image

TOOLS_DIR = Path(__file__).resolve().parent
sys.path.insert(0, str(TOOLS_DIR))
sys.dont_write_bytecode = True

import build_assets  # noqa: E402
import picture_set  # noqa: E402
import win_formats  # noqa: E402

REPO_ROOT = TOOLS_DIR.parent.parent
WHITE = (255, 255, 255)


def info_header(data, offset):
    """BITMAPINFOHEADER fields as a dict, read independently of the writer."""
    names = ("size", "width", "height", "planes", "bit_count", "compression",
             "image_size", "x_resolution", "y_resolution", "colours_used",
             "colours_important")
    return dict(zip(names, struct.unpack_from("<IiiHHIIiiII", data, offset)))


class BitmapLayout(unittest.TestCase):
    # Widths chosen so that every amount of row padding (0 to 3 bytes) occurs.
    PADDING_BY_WIDTH = [(1, 1), (2, 2), (3, 3), (4, 0), (5, 1)]

    def test_rows_are_bottom_up_bgr_and_padded(self):
        for width, padding in self.PADDING_BY_WIDTH:
            with self.subTest(width=width):
                image = Image.new("RGB", (width, 2), (10, 20, 30))
                image.putpixel((0, 1), (200, 100, 50))
                data = win_formats.bmp_file(image)
                row = 3 * width + padding
                self.assertEqual(data[:2], b"BM")
                self.assertEqual(struct.unpack_from("<IHHI", data, 2),
                                 (54 + 2 * row, 0, 0, 54))
                header = info_header(data, 14)
                self.assertEqual(header, {
                    "size": 40, "width": width, "height": 2, "planes": 1,
                    "bit_count": 24, "compression": 0, "image_size": 2 * row,
                    "x_resolution": 0, "y_resolution": 0, "colours_used": 0,
                    "colours_important": 0})
                bottom_row = data[54:54 + row]
                top_row = data[54 + row:54 + 2 * row]
                self.assertEqual(bottom_row[:3], bytes((50, 100, 200)))
                self.assertEqual(top_row[:3], bytes((30, 20, 10)))
                self.assertEqual(bottom_row[3 * width:], b"\0" * padding)


class IconLayout(unittest.TestCase):
    def test_body_sizes_match_what_the_resources_expect(self):
        for size, expected in [(16, 872), (32, 3240), (48, 7336)]:
            with self.subTest(size=size):
                body = win_formats.icon_image(Image.new("RGBA", (size, size)))
                self.assertEqual(len(body), expected)
                header = info_header(body, 0)
                self.assertEqual((header["width"], header["height"], header["bit_count"],
                                  header["image_size"]), (size, 2 * size, 24, expected - 40))

    def test_mask_and_colours_follow_coverage(self):
        # One solid pixel, one just over and one just under half covered:
        # only the first two belong to the motif.
        image = Image.new("RGBA", (16, 16), (90, 90, 90, 0))
        cases = [((0, 0), 255, False), ((5, 3), 128, False), ((9, 15), 127, True)]
        for position, alpha, _ in cases:
            image.putpixel(position, (200, 100, 50, alpha))
        body = win_formats.icon_image(image)
        xor_row, mask_row = 48, 4
        mask_start = 40 + 16 * xor_row
        for (x, y), alpha, transparent in cases:
            with self.subTest(x=x, y=y, alpha=alpha):
                stored_row = 15 - y
                colour = body[40 + stored_row * xor_row + 3 * x:][:3]
                mask_byte = body[mask_start + stored_row * mask_row + x // 8]
                self.assertEqual(bool(mask_byte & (0x80 >> (x % 8))), transparent)
                self.assertEqual(colour, b"\0\0\0" if transparent else bytes((50, 100, 200)))
        untouched = body[40 + 8 * xor_row + 3 * 8:][:3]
        self.assertEqual(untouched, b"\0\0\0")


class CommittedPictures(unittest.TestCase):
    def test_each_picture_has_its_size_and_a_white_frame_at_every_density(self):
        folder = REPO_ROOT / "assets" / "pictures"
        for picture in picture_set.PICTURES:
            path = folder / f"{picture.file_stem}.bmp"
            header = info_header(path.read_bytes(), 14)
            self.assertEqual((header["width"], header["height"]), (picture.width, picture.height))
            art = [(picture_set.DESIGN_DPI, path)] + [
                (dpi, folder / f"{dpi}dpi" / f"{picture.file_stem}.png") for dpi in picture_set.PNG_DENSITIES]
            for dots_per_inch, path in art:
                with self.subTest(picture=picture.file_stem, dpi=dots_per_inch):
                    image = Image.open(path).convert("RGB")
                    self.assertEqual(image.size, picture.size_at(dots_per_inch))
                    w, h = image.size
                    frame = ([(x, 0) for x in range(w)] + [(x, h - 1) for x in range(w)]
                             + [(0, y) for y in range(h)] + [(w - 1, y) for y in range(h)])
                    self.assertEqual({image.getpixel(p) for p in frame}, {WHITE})
                    self.assertGreater(len(image.getcolors(maxcolors=w * h)), 20,
                                       "a picture should be more than a few flat colours")

    def test_indices_run_in_order(self):
        self.assertEqual([p.index for p in picture_set.PICTURES], list(range(12)))

    def test_rendering_repeats_exactly(self):
        picture = picture_set.PICTURES[2]
        first, second = (build_assets.render_svg(picture.draw().text(), picture.width,
                                                 picture.height, "white").tobytes()
                         for _ in range(2))
        self.assertEqual(first, second)


class CommittedIconAndPointer(unittest.TestCase):
    def test_ico_holds_the_three_bodies_in_size_order(self):
        data = (REPO_ROOT / "assets" / "icon" / "frostlane.ico").read_bytes()
        self.assertEqual(struct.unpack_from("<HHH", data, 0), (0, 1, 3))
        offset = 6 + 3 * 16
        for i, size in enumerate((16, 32, 48)):
            with self.subTest(size=size):
                body = (REPO_ROOT / "assets" / "icon" / f"icon{size}.bin").read_bytes()
                entry = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
                self.assertEqual(entry, (size, size, 0, 0, 1, 24, len(body), offset))
                self.assertEqual(data[offset:offset + len(body)], body)
                offset += len(body)
        self.assertEqual(offset, len(data))

    def test_pointer_is_blank_with_its_hot_spot(self):
        data = (REPO_ROOT / "assets" / "cursor" / "blank.cur").read_bytes()
        self.assertEqual(struct.unpack_from("<HHH", data, 0), (0, 2, 1))
        self.assertEqual(struct.unpack_from("<BBBBHHII", data, 6),
                         (32, 32, 0, 0, 4, 4, len(data) - 22, 22))
        header = info_header(data, 22)
        self.assertEqual((header["width"], header["height"], header["planes"],
                          header["bit_count"]), (32, 64, 1, 24))
        xor_start = 22 + 40
        mask_start = xor_start + 32 * 96
        self.assertEqual(data[xor_start:mask_start], b"\0" * (32 * 96))
        self.assertEqual(data[mask_start:], b"\xff" * (32 * 4))


if __name__ == "__main__":
    unittest.main()
