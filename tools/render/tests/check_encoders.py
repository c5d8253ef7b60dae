# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Decodes what the PNG and GIF writers and frostlane-render write with PIL, an
independent decoder, and compares the pixels: a library called wrongly shows here.

usage: check_encoders.py ENCODER_SAMPLES FROSTLANE_RENDER  (two built programs)
"""

import glob
import os
import subprocess
import sys
import tempfile
import unittest

from PIL import Image, ImageChops

SAMPLES_TOOL = None
RENDERER = None
WHITE = (255, 255, 255)


def rgb_frames(path):
    """Every frame of an image file as a full RGB picture, with its duration."""
    frames = []
    with Image.open(path) as image:
        for index in range(getattr(image, "n_frames", 1)):
            image.seek(index)
            frames.append((image.convert("RGB"), image.info.get("duration")))
        loop = image.info.get("loop")
    return frames, loop


def largest_difference(a, b):
    return max(high for _, high in ImageChops.difference(a, b).getextrema())


def mean_difference(a, b):
    histogram_bands = ImageChops.difference(a, b).split()
    total = 0
    for band in histogram_bands:
        total += sum(value * count for value, count in enumerate(band.histogram()))
    return total / (a.width * a.height * len(histogram_bands))


class EncoderSamples(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory(prefix="frostlane-encoders-")
        subprocess.run([SAMPLES_TOOL, cls.folder.name], check=True, timeout=60)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def sample(self, name):
        return os.path.join(self.folder.name, name)

    def test_png_samples_decode_to_their_pixels(self):
        pngs = sorted(glob.glob(self.sample("png_*.png")))
        self.assertEqual(3, len(pngs))
        for png in pngs:
            with self.subTest(png=os.path.basename(png)):
                frames, _ = rgb_frames(png)
                with Image.open(png[:-4] + ".ppm") as expected:
                    self.assertEqual(expected.size, frames[0][0].size)
                    self.assertEqual(expected.tobytes(), frames[0][0].tobytes())

    def test_gif_with_palette_colours_decodes_exactly_frame_by_frame(self):
        frames, loop = rgb_frames(self.sample("gif_exact.gif"))
        self.assertEqual(0, loop, "the animation loops forever")
        self.assertEqual([30, 40, 50, 60], [duration for _, duration in frames])
        for index, (frame, _) in enumerate(frames):
            with self.subTest(frame=index), Image.open(self.sample("gif_exact_%d.ppm" % index)) as expected:
                self.assertEqual(expected.tobytes(), frame.tobytes())

    def test_gif_of_many_colours_stays_close_and_keeps_white_exact(self):
        frames, _ = rgb_frames(self.sample("gif_reduced.gif"))
        with Image.open(self.sample("gif_reduced_0.ppm")) as expected:
            decoded = frames[0][0]
            self.assertLess(mean_difference(expected, decoded), 4.0)
            self.assertLessEqual(largest_difference(expected, decoded), 32)
            white_block = (100, 70, 128, 96)
            self.assertEqual([(WHITE[0], WHITE[0])] * 3, list(decoded.crop(white_block).getextrema()))


class Renderer(unittest.TestCase):
    def run_renderer(self, *arguments, threads=None):
        environment = dict(os.environ)
        if threads is not None:
            environment["OMP_NUM_THREADS"] = str(threads)
        return subprocess.run([RENDERER] + list(arguments), capture_output=True, text=True, timeout=120,
                              env=environment)

    def test_png_frames_and_gif_show_the_same_saver_window(self):
        with tempfile.TemporaryDirectory(prefix="frostlane-render-") as folder:
            gif = os.path.join(folder, "saver.gif")
            result = self.run_renderer("--size", "320x180", "--seed", "300", "--ticks", "6", "--every", "3",
                                       "--png-prefix", os.path.join(folder, "frame_"), "--gif", gif)
            self.assertEqual(0, result.returncode, result.stderr)
            pngs = sorted(glob.glob(os.path.join(folder, "frame_*.png")))
            self.assertEqual(["frame_0000.png", "frame_0001.png", "frame_0002.png"], [os.path.basename(p) for p in pngs])
            gif_frames, _ = rgb_frames(gif)
            self.assertEqual(len(pngs), len(gif_frames))
            for png, (gif_frame, duration) in zip(pngs, gif_frames):
                with self.subTest(frame=os.path.basename(png)):
                    png_frame = rgb_frames(png)[0][0][0]
                    self.assertEqual((320, 180), png_frame.size)
                    self.assertEqual(30, duration)
                    self.assertLess(mean_difference(png_frame, gif_frame), 4.0)
                    # White stays exact: the gaps of the mosaic must not turn grey.
                    self.assertEqual(sum(1 for p in png_frame.getdata() if p == WHITE),
                                     sum(1 for p, g in zip(png_frame.getdata(), gif_frame.getdata())
                                         if p == WHITE and g == WHITE))

    def test_the_same_command_writes_the_same_gif_on_any_number_of_cores(self):
        # The colour reduction runs on as many threads as the machine has cores.
        with tempfile.TemporaryDirectory(prefix="frostlane-render-") as folder:
            gifs = []
            for threads in (1, 3, 1):
                gif = os.path.join(folder, "saver_%d_%d.gif" % (len(gifs), threads))
                result = self.run_renderer("--size", "480x270", "--seed", "7000", "--ticks", "8", "--every", "4",
                                           "--colours", "64", "--gif", gif, threads=threads)
                self.assertEqual(0, result.returncode, result.stderr)
                with open(gif, "rb") as written:
                    gifs.append(written.read())
            self.assertEqual(gifs[0], gifs[1])
            self.assertEqual(gifs[0], gifs[2])

    def test_an_output_that_cannot_be_written_fails_and_leaves_no_file(self):
        with tempfile.TemporaryDirectory(prefix="frostlane-render-") as folder:
            os.mkdir(os.path.join(folder, "taken.gif"))
            for option, target, shown in (("--gif", "missing/saver.gif", "missing/saver.gif"),
                                          ("--png-prefix", "missing/frame_", "missing/frame_0000.png"),
                                          ("--gif", "taken.gif", "taken.gif")):
                with self.subTest(target=target):
                    result = self.run_renderer("--size", "64x36", "--ticks", "2", option, os.path.join(folder, target))
                    self.assertEqual(1, result.returncode)
                    self.assertIn("frostlane-render: cannot write " + os.path.join(folder, shown) + ": ",
                                  result.stderr)
                    self.assertEqual(["taken.gif"], sorted(os.listdir(folder)))
                    self.assertEqual([], os.listdir(os.path.join(folder, "taken.gif")))

    def test_command_line_faults_are_refused_with_usage(self):
        for arguments in (["--size", "0x10", "--gif", "x.gif"], ["--ticks"], ["--bogus"], ["--ticks", "5"],
                          ["--every", "0", "--gif", "x.gif"], ["--size", "70000x10", "--gif", "x.gif"]):
            with self.subTest(arguments=arguments):
                result = self.run_renderer(*arguments)
                self.assertEqual(2, result.returncode)
                self.assertIn("usage: frostlane-render", result.stderr)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    SAMPLES_TOOL, RENDERER = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:])
