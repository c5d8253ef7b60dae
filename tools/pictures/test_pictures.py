#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Checks the pictures as the program draws them (frostlane-pictures) against
their vector sources rendered directly at the same size: their sizes and their
sharpness.

Sharpness is the mean absolute gradient of the program's picture divided by
that of the source rendered at the same size: 1 for art drawn at that density,
less for anything enlarged or blurred. A 1x picture enlarged bilinearly, which
is what Windows shows when it stretches a program unaware of the density,
measures about 0.8 to 0.9.

usage: test_pictures.py FROSTLANE_PICTURES  (the built tool)
"""

import subprocess
import sys
import tempfile
import unittest
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

from PIL import Image, ImageChops, ImageStat

TOOLS_DIR = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(TOOLS_DIR / "assets"))
sys.dont_write_bytecode = True

import build_assets  # noqa: E402
import picture_set  # noqa: E402

PICTURES_TOOL = None
LEAST_SHARPNESS = 0.93
# Every Windows scale from 125% to 300% in 25% steps.
SCALE_STEPS = (120, 144, 168, 192, 216, 240, 264, 288)
# Densities made from the largest art: shrunk between the steps, enlarged
# above 300%.
BETWEEN_STEPS = (100, 108, 132, 156, 180, 204, 228, 252, 276)
ABOVE_THE_LARGEST = (312, 336, 384, 480)


def mean_gradient(image):
    """Mean absolute difference between neighbouring pixels, across and down,
    over the three channels."""
    width, height = image.size
    across = ImageChops.difference(image.crop((1, 0, width, height)), image.crop((0, 0, width - 1, height)))
    down = ImageChops.difference(image.crop((0, 1, width, height)), image.crop((0, 0, width, height - 1)))
    return (sum(ImageStat.Stat(across).sum) + sum(ImageStat.Stat(down).sum)) / (width * height * 3)


def program_pictures(dots_per_inch, folder):
    out = Path(folder) / str(dots_per_inch)
    subprocess.run([PICTURES_TOOL, "--dpi", str(dots_per_inch), "--out", str(out)], check=True,
                   capture_output=True, timeout=60)
    return [Image.open(out / f"picture-{picture.index:02d}.png").convert("RGB") for picture in picture_set.PICTURES]


def source_rendering(picture, dots_per_inch):
    width, height = picture.size_at(dots_per_inch)
    return build_assets.render_svg(picture.draw().text(), width, height, "white")


def sharpness(drawn, picture, dots_per_inch):
    source = source_rendering(picture, dots_per_inch)
    if drawn.size != source.size:
        raise AssertionError(f"{picture.file_stem} at {dots_per_inch} dpi is {drawn.size}, not {source.size}")
    return mean_gradient(drawn) / mean_gradient(source)


class PicturesAsDrawn(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory(prefix="frostlane-pictures-")
        cls.drawn = {}
        for dots_per_inch in (96,) + SCALE_STEPS + BETWEEN_STEPS + ABOVE_THE_LARGEST:
            cls.drawn[dots_per_inch] = program_pictures(dots_per_inch, cls.folder.name)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_sharp_as_the_source_at_every_density(self):
        densities = SCALE_STEPS + BETWEEN_STEPS + ABOVE_THE_LARGEST
        jobs = [(dpi, picture, drawn) for dpi in densities
                for picture, drawn in zip(picture_set.PICTURES, self.drawn[dpi])]
        # Each job renders its source with rsvg-convert, a process of its own.
        with ThreadPoolExecutor(max_workers=4) as pool:
            figures = list(pool.map(lambda job: sharpness(job[2], job[1], job[0]), jobs))
        by_density = {}
        for (dpi, picture, _), figure in zip(jobs, figures):
            by_density.setdefault(dpi, []).append(figure)
            with self.subTest(dpi=dpi, picture=picture.file_stem):
                self.assertGreaterEqual(figure, LEAST_SHARPNESS)
        print("\nsharpness against the source (least and mean of the twelve pictures):", file=sys.stderr)
        for dpi in densities:
            values = by_density[dpi]
            print(f"  {dpi:3d} dpi ({dpi * 100 // 96:3d}%): {min(values):.3f} {sum(values) / len(values):.3f}",
                  file=sys.stderr)

    def test_the_measure_tells_a_stretched_picture_from_a_sharp_one(self):
        # What Windows would show at 150% for a program unaware of the density.
        figures = []
        for picture, small in zip(picture_set.PICTURES, self.drawn[96]):
            with self.subTest(picture=picture.file_stem):
                stretched = small.resize(picture.size_at(144), Image.BILINEAR)
                figures.append(sharpness(stretched, picture, 144))
                self.assertLess(figures[-1], LEAST_SHARPNESS)
        print(f"\n100% stretched to 150%: {min(figures):.3f} {sum(figures) / len(figures):.3f}", file=sys.stderr)


if __name__ == "__main__":
    PICTURES_TOOL = sys.argv.pop(1)
    unittest.main()
