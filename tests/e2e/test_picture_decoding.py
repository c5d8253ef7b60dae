# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The pictures as the Windows build decodes them, with the Windows Imaging
Component under Wine, against the native build's, decoded with libpng: the
same pixels at every density the program carries art for, and at densities it
makes from that art with its resampler.

Runs frostlane-pictures.exe (the Windows build of the tool, beside
Frostlane1.exe) and the native frostlane-pictures named by
FROSTLANE_PICTURES_TOOL.
"""

import os
import subprocess
import unittest

from PIL import Image

import e2e

CARRIED = (96, 120, 144, 168, 192, 216, 240, 264, 288)
RESAMPLED = (100, 336)


class PictureDecoding(e2e.WineDesktopTest):
    SCREEN_SIZE = (640, 480)

    def pictures(self, platform, dots_per_inch):
        folder = os.path.join(self.work, platform, str(dots_per_inch))
        if platform == "windows":
            status, output = self.wine.run(e2e.windows_binary("frostlane-pictures.exe"), "--dpi", str(dots_per_inch),
                                           "--out", "Z:" + folder.replace("/", "\\"), timeout=60)
            self.assertEqual(status, 0, output)
            extension = "ppm"
        else:
            subprocess.run([os.environ["FROSTLANE_PICTURES_TOOL"], "--dpi", str(dots_per_inch), "--out", folder],
                           check=True, capture_output=True, timeout=60)
            extension = "png"
        return [Image.open(os.path.join(folder, "picture-%02d.%s" % (index, extension))).convert("RGB")
                for index in range(12)]

    def test_both_decoders_give_the_same_pixels_at_every_density(self):
        for dots_per_inch in CARRIED + RESAMPLED:
            windows = self.pictures("windows", dots_per_inch)
            native = self.pictures("native", dots_per_inch)
            for index, (ours, theirs) in enumerate(zip(windows, native)):
                with self.subTest(dpi=dots_per_inch, picture=index):
                    self.assertEqual(ours.size, theirs.size)
                    self.assertTrue(ours.tobytes() == theirs.tobytes(), "the pixels differ")


if __name__ == "__main__":
    unittest.main()
