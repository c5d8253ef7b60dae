# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Byte layouts of the Windows bitmap, icon and cursor files that the
saver's resources embed.

Every function takes a PIL image (RGB, or RGBA for icon motifs) and returns
the exact bytes; nothing here touches the file system. The layouts are the
classic ones that every Windows version loads: 24-bit uncompressed DIBs,
bottom-up, rows padded to four bytes, and a 1-bit AND mask for icons and
cursors.
"""

import struct

from PIL import Image

BITMAP_INFO_HEADER_SIZE = 40
BITMAP_FILE_HEADER_SIZE = 14
ICON_DIR_SIZE = 6
ICON_DIR_ENTRY_SIZE = 16

# An icon pixel counts as part of the motif once it is at least half
# covered; a 1-bit mask cannot keep the softer edge pixels.
OPAQUE_ALPHA_THRESHOLD = 128


def padded_row_size(width, bits_per_pixel):
    """Bytes in one DIB row: whole pixels, padded to a multiple of four."""
    return (width * bits_per_pixel + 31) // 32 * 4


def bitmap_info_header(width, height, image_size):
    """BITMAPINFOHEADER for an uncompressed 24-bit DIB with no palette."""
    return struct.pack(
        "<IiiHHIIiiII",
        BITMAP_INFO_HEADER_SIZE, width, height,
        1, 24, 0, image_size,
        0, 0, 0, 0)


def bgr_rows_bottom_up(rgb_image):
    """The pixels as 24-bit DIB rows: blue-green-red, last row first, each
    padded with zero bytes to four bytes."""
    width, height = rgb_image.size
    raw = rgb_image.convert("RGB").tobytes("raw", "BGR")
    stride = width * 3
    padding = b"\0" * (padded_row_size(width, 24) - stride)
    rows = [raw[y * stride:(y + 1) * stride] + padding
            for y in reversed(range(height))]
    return b"".join(rows)


def and_mask_bottom_up(transparent_rows):
    """A 1-bit AND mask, last row first; `transparent_rows` is a list of
    rows of booleans, True where the screen should show through."""
    width = len(transparent_rows[0])
    row_size = padded_row_size(width, 1)
    out = bytearray()
    for row in reversed(transparent_rows):
        packed = bytearray(row_size)
        for x, transparent in enumerate(row):
            if transparent:
                packed[x // 8] |= 0x80 >> (x % 8)
        out += packed
    return bytes(out)


def bmp_file(rgb_image):
    """A complete .bmp file: file header, info header, pixel rows."""
    width, height = rgb_image.size
    pixels = bgr_rows_bottom_up(rgb_image)
    offset = BITMAP_FILE_HEADER_SIZE + BITMAP_INFO_HEADER_SIZE
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0,
                              offset)
    return file_header + bitmap_info_header(width, height, len(pixels)) + pixels


def icon_image(rgba_image):
    """The body of one RT_ICON resource (also the image inside .ico and
    .cur files): info header with doubled height, XOR colours, AND mask.

    Pixels outside the motif are black in the colour image so that the
    AND/XOR pair leaves the screen untouched there."""
    width, height = rgba_image.size
    rgba = rgba_image.convert("RGBA")
    alpha = rgba.getchannel("A")
    opaque = alpha.point(lambda a: 255 if a >= OPAQUE_ALPHA_THRESHOLD else 0)
    colours = Image.new("RGB", rgba.size, (0, 0, 0))
    colours.paste(rgba.convert("RGB"), (0, 0), opaque)
    opaque_pixels = list(opaque.getdata())
    transparent_rows = [[opaque_pixels[y * width + x] == 0
                         for x in range(width)] for y in range(height)]
    xor = bgr_rows_bottom_up(colours)
    mask = and_mask_bottom_up(transparent_rows)
    return bitmap_info_header(width, 2 * height, len(xor) + len(mask)) + xor + mask


def _icon_directory(resource_type, entries):
    """ICONDIR plus entries; each entry is (width, height, field_a, field_b,
    body). For icons the two fields are planes and bit count, for cursors
    they hold the hot spot."""
    header = struct.pack("<HHH", 0, resource_type, len(entries))
    offset = ICON_DIR_SIZE + ICON_DIR_ENTRY_SIZE * len(entries)
    directory = b""
    bodies = b""
    for width, height, field_a, field_b, body in entries:
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0,
                                 field_a, field_b, len(body), offset)
        offset += len(body)
        bodies += body
    return header + directory + bodies


def ico_file(icon_bodies):
    """A .ico file holding the given RT_ICON bodies in the given order."""
    entries = []
    for body in icon_bodies:
        width, double_height = struct.unpack_from("<ii", body, 4)
        entries.append((width, double_height // 2, 1, 24, body))
    return _icon_directory(1, entries)


def cur_file(icon_body, hot_spot):
    """A .cur file with one image; `hot_spot` is (x, y) in pixels from the
    top-left corner."""
    width, double_height = struct.unpack_from("<ii", icon_body, 4)
    return _icon_directory(
        2, [(width, double_height // 2, hot_spot[0], hot_spot[1], icon_body)])
