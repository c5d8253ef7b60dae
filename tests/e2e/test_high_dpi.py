# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver (/s) at the screen densities of Windows' display scales, set in the
Wine prefix: 96 (100%), 120, 144 and 192 dots per inch on a 1920x1080 screen,
and 192 on a 3840x2160 one. A fresh Wine 8 prefix makes every program
per-monitor aware and tells it the true density, as Windows does for a program
whose manifest asks for it. Read from screenshots, with s = dpi / 96, every band
is its 100% figure times s within 2 pixels (its picture's height, the period of
its copies, its distance from the next band), and every whole copy of a picture
on the screen equals, pixel for pixel, the program's own art for that density
as frostlane-pictures writes it."""

import collections
import os
import subprocess
import unittest

from PIL import Image

import e2e
from test_mosaic import ScreenGrabber, bands, busiest_row, period, wait_for_bands_to_move

# The twelve pictures' pixels at 100%, by index, and the gaps: 240 twips between
# copies, 120 twips between rows.
SIZES_AT_96 = [(86, 160), (71, 95), (136, 136), (128, 121), (127, 118), (102, 110),
               (96, 161), (103, 147), (96, 116), (56, 137), (119, 119), (108, 140)]
COPY_GAP_AT_96 = 16
ROW_GAP_AT_96 = 8
TOLERANCE = 2
# The bands move while the screen is read, and a grab taken while a frame is
# being presented may hold a band half moved: then another grab is read.
GRAB_INTERVAL = 0.07

Art = collections.namedtuple("Art", "width height rows ink_top ink_bottom")
Band = collections.namedtuple("Band", "index top period copies")


def program_art(dots_per_inch, folder):
    """The twelve pictures as the program draws them at this density, in index
    order, each row as bytes of blue, green, red, like a grab's."""
    tool = os.environ.get("FROSTLANE_PICTURES_TOOL", "")
    if not os.path.isfile(tool):
        raise e2e.EnvironmentFailure("FROSTLANE_PICTURES_TOOL must name the frostlane-pictures tool: %r" % tool)
    os.makedirs(folder, exist_ok=True)
    subprocess.run([tool, "--dpi", str(dots_per_inch), "--out", folder], check=True, stdout=subprocess.DEVNULL,
                   timeout=120)
    names = sorted(name for name in os.listdir(folder) if name.endswith(".png"))
    if len(names) != len(SIZES_AT_96):
        raise e2e.EnvironmentFailure("%s wrote %d pictures: %s" % (tool, len(names), names))
    art = []
    for name in names:
        with Image.open(os.path.join(folder, name)) as image:
            width, height = image.size
            data = image.convert("RGB").tobytes("raw", "BGR")
        rows = [data[3 * width * y:3 * width * (y + 1)] for y in range(height)]
        inked = [y for y, row in enumerate(rows) if row != b"\xff" * len(row)]
        art.append(Art(width, height, rows, inked[0], inked[-1] + 1))
    return art


def whole_copies(rows, width, art, top, first_x, step):
    """The left edges of the copies of `art` standing whole across the screen
    from `first_x` on, `step` apart, if every one of them equals `art` in the
    rows the screen shows of it; else None."""
    lefts = list(range(first_x, width - art.width + 1, step))
    for x in lefts:
        for y in range(max(0, -top), min(art.height, len(rows) - top)):
            if rows[top + y][3 * x:3 * (x + art.width)] != art.rows[y]:
                return None
    return lefts


def read_band(rows, width, ink, art, copy_gap):
    """The band whose non-white rows are `ink`, as one picture of `art` repeated:
    which picture, where it stands and how often it is whole on the screen; None
    when no picture of the art fits it pixel for pixel."""
    ink_top, ink_bottom = ink
    y = busiest_row(rows, ink_top, ink_bottom)
    measured = period(rows[y])
    for index, picture in enumerate(art):
        if measured != picture.width + copy_gap or picture.ink_bottom - picture.ink_top != ink_bottom - ink_top:
            continue
        top = ink_top - picture.ink_top
        line = picture.rows[y - top]
        first_x = next((x for x in range(measured) if rows[y][3 * x:3 * (x + picture.width)] == line), None)
        if first_x is None:
            continue
        lefts = whole_copies(rows, width, picture, top, first_x, measured)
        if lefts:
            return Band(index, top, measured, len(lefts))
    return None


def read_bands(rows, width, art, copy_gap):
    """Every band lying whole on the screen, read; the ink rows of those that
    match no picture of the art."""
    found, unread = [], []
    for ink in bands(rows):
        if ink[0] == 0 or ink[1] == len(rows):
            continue  # cut by the screen's edge
        band = read_band(rows, width, ink, art, copy_gap)
        if band:
            found.append(band)
        else:
            unread.append(ink)
    return found, unread


class HighDpiTest(e2e.WineDesktopTest):
    SCREEN_SIZE = (1920, 1080)
    DENSITIES = (96, 120, 144, 192)

    def grab_bands(self, art, copy_gap):
        """The bands of the first grab in which every whole band is read, or of
        the last one at the deadline."""
        width, height = self.SCREEN_SIZE
        grabber = ScreenGrabber(self.x_server.display)
        try:
            return e2e.poll(lambda: read_bands(ScreenGrabber.rows(grabber.grab(width, height), width, height), width,
                                               art, copy_gap),
                            lambda reading: not reading[1], interval=GRAB_INTERVAL)
        finally:
            grabber.close()

    def test_each_band_is_its_100_percent_figure_scaled_and_shows_the_art_drawn_for_the_density(self):
        for dots_per_inch in self.DENSITIES:
            with self.subTest(dpi=dots_per_inch):
                scale = dots_per_inch / 96
                art = program_art(dots_per_inch, os.path.join(self.work, "art-%d" % dots_per_inch))
                self.wine.set_dots_per_inch(dots_per_inch)
                program = self.start_saver("/s")
                self.assertIsNotNone(self.inspector.wait_for_window(e2e.SAVER_NAME), "no saver window")
                # Bands that move are painted; bands that never do are still read.
                wait_for_bands_to_move(self.x_server.display, (0, 0) + self.SCREEN_SIZE)
                self.screenshot("saver-%d" % dots_per_inch)  # for a person to look at
                found, unread = self.grab_bands(art, round(COPY_GAP_AT_96 * scale))
                program.close()

                self.assertEqual(unread, [], "bands (first and last ink row) that are not the program's art")
                self.assertGreaterEqual(len(found), 2, found)
                for band in found:
                    width, height = SIZES_AT_96[band.index]
                    self.assertGreaterEqual(band.copies, 1)
                    self.assertAlmostEqual(art[band.index].height, height * scale, delta=TOLERANCE, msg=band)
                    self.assertAlmostEqual(band.period, (width + COPY_GAP_AT_96) * scale, delta=TOLERANCE, msg=band)
                for upper, lower in zip(found, found[1:]):
                    pitch = (SIZES_AT_96[upper.index][1] + ROW_GAP_AT_96) * scale
                    self.assertAlmostEqual(lower.top - upper.top, pitch, delta=TOLERANCE, msg=(upper, lower))


class HighDpiOnA4kScreenTest(HighDpiTest):
    SCREEN_SIZE = (3840, 2160)
    DENSITIES = (192,)


if __name__ == "__main__":
    unittest.main()
