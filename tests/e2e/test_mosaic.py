# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The mosaic of the saver (/s) on one 1280x720 monitor, read from screenshots:
bands of one picture each, repeated with even gaps, separated by white, and
sliding odd bands left, even bands right."""

import ctypes
import time
import unittest

import e2e

# Picture widths in pixels; a band repeats with the width plus a 16-pixel gap.
PICTURE_WIDTHS = {86, 71, 136, 128, 127, 102, 96, 103, 96, 56, 119, 108}
PERIODS = {width + 16 for width in PICTURE_WIDTHS}
# Screenshots this far apart see each band move by well under half its period,
# so the direction of the move is never ambiguous.
SAMPLE_INTERVAL = 0.1
WATCH = 1.0
# A band moves at most a hundred ticks' worth a second, so shots up to this far
# apart still see it move by less than half its period. A shot that comes later
# than this after the one before (the test itself was held up on a busy
# machine) starts the series afresh.
LONGEST_GAP = 0.3
# Reading a grab for motion takes a core for tens of milliseconds: looking more
# often would take from the program the time it needs to move.
MOTION_POLL_INTERVAL = 0.05


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class ScreenGrabber:
    """Grabs the root window straight from the X server: a few milliseconds a
    shot, where `import` takes about a second, so shots can be close together."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise e2e.EnvironmentFailure("cannot open display %s" % display)

    def grab(self, width, height, left=0, top=0):
        """The raw pixels of the screen's width x height area at left, top (X
        coordinates): 4 bytes each (blue, green, red, unused), and the row length."""
        z_pixmap, all_planes = 2, 0xFFFFFFFF
        image = self.x11.XGetImage(self.display, self.x11.XDefaultRootWindow(self.display), left, top, width, height,
                                   all_planes, z_pixmap)
        if not image:
            raise e2e.EnvironmentFailure("XGetImage failed")
        try:
            record = image.contents
            assert record.bits_per_pixel == 32, record.bits_per_pixel
            data = ctypes.string_at(record.data, record.bytes_per_line * height)
            stride = record.bytes_per_line
        finally:
            self.x11.XFree(ctypes.cast(image.contents.data, ctypes.c_void_p))
            self.x11.XFree(ctypes.cast(image, ctypes.c_void_p))
        return data, stride

    @staticmethod
    def rows(grabbed, width, height):
        """A grab as rows of bytes, three (blue, green, red) a pixel."""
        data, stride = grabbed
        rows = []
        for y in range(height):
            row = bytearray(data[y * stride:y * stride + 4 * width])
            del row[3::4]
            rows.append(bytes(row))
        return rows

    def close(self):
        self.x11.XCloseDisplay(self.display)


WHITE_PIXEL = bytes(e2e.WHITE)


def bands(rows):
    """(top, bottom) of every run of rows holding anything but white."""
    found, top = [], None
    for y, row in enumerate(rows):
        blank = row == WHITE_PIXEL * (len(row) // 3)
        if not blank and top is None:
            top = y
        elif blank and top is not None:
            found.append((top, y))
            top = None
    if top is not None:
        found.append((top, len(rows)))
    return found


def period(row):
    """The smallest shift, in pixels, that maps the row onto itself."""
    for shift in range(1, len(row) // 6):
        if row[3 * shift:] == row[:-3 * shift]:
            return shift
    return None


def displacement(before, after, period_length):
    """The shift d in pixels, |d| at most half a period, with after[x] == before[x - d]."""
    for d in sorted(range(-(period_length // 2), period_length // 2 + 1), key=abs):
        if d >= 0 and after[3 * d:] == before[:len(before) - 3 * d]:
            return d
        if d < 0 and after[:len(after) + 3 * d] == before[-3 * d:]:
            return d
    return None


def busiest_row(rows, top, bottom):
    return max(range(top, bottom), key=lambda y: len(rows[y]) - rows[y].count(255))


def moved_sideways(before, after):
    """Whether some band of `before` stands shifted sideways in `after`."""
    for top, bottom in bands(before):
        y = busiest_row(before, top, bottom)
        length = period(before[y])
        if length and displacement(before[y], after[y], length) not in (None, 0):
            return True
    return False


def wait_for_bands_to_move(display, box, timeout=e2e.PATIENCE):
    """True once a band within `box` (left, top, right, bottom; X coordinates)
    moves sideways: the saver has painted its mosaic and its ticks run. The
    first tick also takes the pointer's starting position, so from then on a
    mouse move counts. A change that is no shift (the first paint, a frame
    caught while it was presented) is no proof, and the next grab is compared."""
    left, top, right, bottom = box
    width, height = right - left, bottom - top
    grabber = ScreenGrabber(display)
    previous = []

    def moved():
        rows = ScreenGrabber.rows(grabber.grab(width, height, left, top), width, height)
        answer = bool(previous) and moved_sideways(previous[0], rows)
        previous[:] = [rows]
        return answer

    try:
        return e2e.wait_until(moved, timeout, MOTION_POLL_INTERVAL)
    finally:
        grabber.close()


class MosaicTest(e2e.WineDesktopTest):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.program = cls.wine.start(cls.saver, "/s")
        window = cls.inspector.wait_for_window(e2e.SAVER_NAME)
        cls.shots = []
        if window:
            # Until the bands move, the screen may not even be painted; a
            # mosaic that never moves is left to the test of its motion.
            wait_for_bands_to_move(cls.x_server.display, (0, 0) + cls.SCREEN_SIZE)
            cls.screenshot("mosaic")  # for a person to look at
            grabber = ScreenGrabber(cls.x_server.display)
            try:
                cls.shots = [ScreenGrabber.rows(grabbed, *cls.SCREEN_SIZE) for grabbed in cls.watch(grabber)]
            finally:
                grabber.close()
        cls.program.close()

    @classmethod
    def watch(cls, grabber):
        """Grabs SAMPLE_INTERVAL apart over WATCH seconds, no two further apart
        than LONGEST_GAP; on a machine too busy for that, the longest series."""
        series, longest = [], []
        deadline = time.monotonic() + e2e.PATIENCE
        while time.monotonic() < deadline:
            if series and time.monotonic() - series[-1][0] > LONGEST_GAP:
                series = []
            series.append((time.monotonic(), grabber.grab(*cls.SCREEN_SIZE)))
            longest = max(longest, series, key=len)
            if series[-1][0] - series[0][0] >= WATCH:
                break
            time.sleep(SAMPLE_INTERVAL)
        return [grabbed for _, grabbed in longest]

    def setUp(self):
        self.assertGreaterEqual(len(self.shots), 2, "the saver showed no window")
        self.rows = self.shots[0]
        self.bands = bands(self.rows)

    def test_bands_fill_the_screen_with_white_gaps_between_them(self):
        self.assertGreaterEqual(len(self.bands), 4, self.bands)
        for (_, bottom), (top, _) in zip(self.bands, self.bands[1:]):
            self.assertGreaterEqual(top - bottom, 8, "a gap of at least 8 white rows: %s" % self.bands)
        # The stack is centred: neither the top nor the bottom leaves a band's
        # height of white.
        self.assertLess(self.bands[0][0], 40, self.bands)
        self.assertGreater(self.bands[-1][1], 720 - 40, self.bands)

    def test_each_band_repeats_its_picture_every_width_plus_16_pixels(self):
        for top, bottom in self.bands:
            y = busiest_row(self.rows, top, bottom)
            self.assertIn(period(self.rows[y]), PERIODS, "band %d-%d, row %d" % (top, bottom, y))

    def test_odd_bands_move_left_and_even_bands_right(self):
        for number, (top, bottom) in enumerate(self.bands, start=1):
            y = busiest_row(self.rows, top, bottom)
            length = period(self.rows[y])
            moved = 0
            for before, after in zip(self.shots, self.shots[1:]):
                step = displacement(before[y], after[y], length)
                self.assertIsNotNone(step, "band %d changed other than by moving" % number)
                moved += step
            if number % 2 == 1:
                self.assertLess(moved, 0, "band %d (odd) should move left" % number)
            else:
                self.assertGreater(moved, 0, "band %d (even) should move right" % number)


if __name__ == "__main__":
    unittest.main()
