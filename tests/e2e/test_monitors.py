# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver (/s) on several monitors: its white window fills the primary
monitor, a black window fills every other monitor exactly, nothing of the
desktop shows on any monitor, and a mouse movement over another monitor ends
the program with every window gone. Runs on Xorg's dummy driver, which Wine
sees as real monitors; each class lays out its own monitors and runs the saver
once, recording what it saw, and its tests judge the record."""

import ctypes
import os
import time
import unittest

import e2e
from test_mosaic import wait_for_bands_to_move

SAVER_TITLE = "Form1"
COVER_TITLE = "Form2"


def set_x_work_area(display, x, y, width, height):
    """Sets _NET_WORKAREA on the root window, as a desktop's panel would; Wine
    then gives every monitor the part of it that lies on the monitor as its
    work area. X coordinates."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                     ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise e2e.EnvironmentFailure("cannot open display " + display)
    try:
        root = xlib.XDefaultRootWindow(connection)
        work_area = xlib.XInternAtom(connection, b"_NET_WORKAREA", 0)
        cardinal = xlib.XInternAtom(connection, b"CARDINAL", 0)
        # Format 32 properties are passed as C longs, whatever their size.
        values = (ctypes.c_long * 4)(x, y, width, height)
        xlib.XChangeProperty(connection, root, work_area, cardinal, 32, 0, values, 4)  # PropModeReplace
    finally:
        xlib.XCloseDisplay(connection)


class CoversOnThreeMonitorsTest(e2e.WineDesktopTest):
    """Left 800x600 | primary 1280x720 | right 1024x768, side by side."""

    OUTPUTS = None  # the X server's own layout
    WORK_AREA = None  # x, y, width, height in X coordinates; None: the whole desktop
    # In Windows coordinates (origin at the primary's top left corner).
    PRIMARY = [0, 0, 1280, 720]
    OTHERS = [[1280, 0, 2304, 768], [-800, 0, 0, 600]]
    # Where the pointer rests when the saver starts, and where it then moves to.
    POINTER_AT_START = [-400, 300]  # over the left monitor's cover
    POINTER_MOVED_TO = [1792, 384]  # over the right monitor's cover

    @classmethod
    def start_display(cls, work):
        return e2e.start_xorg_three_monitors(work)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        if cls.OUTPUTS:
            e2e.lay_out_outputs(cls.x_server.display, cls.OUTPUTS)
            cls.x_server.paint_desktop(e2e.DESKTOP)
        if cls.WORK_AREA:
            set_x_work_area(cls.x_server.display, *cls.WORK_AREA)
        if cls.OUTPUTS or cls.WORK_AREA:
            cls.wine.restart()  # Wine reads the layout when it starts
        cls.require_wine_to_see_the_layout()
        # X puts its origin at the leftmost monitor, Windows at the primary.
        cls.x_offset = -min(rect[0] for rect in [cls.PRIMARY] + cls.OTHERS)
        cls.xdo.mousemove(cls.POINTER_AT_START[0] + cls.x_offset, cls.POINTER_AT_START[1])
        cls.run_saver_once()

    @classmethod
    def require_wine_to_see_the_layout(cls):
        """What Wine reports is the ground the checks of the program stand on,
        not something the program does: a layout Wine does not see, or a work
        area it does not apply, stops the class instead of passing a test."""
        monitors = sorted(cls.inspector.monitors(), key=lambda m: m["rect"] != cls.PRIMARY)
        rects = [m["rect"] for m in monitors]
        if rects != [cls.PRIMARY] + cls.OTHERS:
            raise e2e.EnvironmentFailure("Wine sees the monitors %s, not %s" % (rects, [cls.PRIMARY] + cls.OTHERS))
        # With a work area, each cover is placed by a rectangle smaller than its
        # monitor and must still cover the whole monitor; without, they are equal.
        smaller = [m["work"] != m["rect"] for m in monitors]
        if smaller != [bool(cls.WORK_AREA)] * len(monitors):
            raise e2e.EnvironmentFailure("Wine's work areas are not as set: %s" % monitors)

    @classmethod
    def run_saver_once(cls):
        program = cls.wine.start(cls.saver, "/s")
        cls.addClassCleanup(program.close)
        expected = 1 + len(cls.OTHERS)
        e2e.wait_until(lambda: len(cls.inspector.windows_of(e2e.SAVER_NAME)) >= expected)
        # Bands that move show the saver painted and ticking; its first tick
        # took the pointer's starting position. The covers are judged by a
        # picture taken once they are black, or at the deadline.
        cls.ticking = wait_for_bands_to_move(cls.x_server.display, cls.in_x(cls.PRIMARY))
        cls.windows = cls.inspector.windows_of(e2e.SAVER_NAME)
        cls.picture = e2e.poll(lambda: cls.screenshot("monitors"), cls.covers_are_black, interval=0.1)
        cls.opaque_pointer_pixels = e2e.pointer_opacity(cls.x_server.display)
        cls.running_before_move = program.running

        shown = [w["xid"] for w in cls.windows]
        moved = time.monotonic()
        cls.xdo.mousemove(cls.POINTER_MOVED_TO[0] + cls.x_offset, cls.POINTER_MOVED_TO[1])
        cls.gone_from_screen = e2e.wait_for_x_windows_gone(cls.x_server.display, shown, e2e.PATIENCE)
        if cls.gone_from_screen:
            e2e.report_time("%s: off the screen after the mouse move in" % cls.__name__, time.monotonic() - moved)
        cls.ended = program.wait(e2e.PATIENCE if cls.gone_from_screen else 0.0)
        if cls.ended:
            e2e.report_time("%s: ended after the mouse move in" % cls.__name__, time.monotonic() - moved)
        cls.windows_after_end = cls.inspector.windows_of(e2e.SAVER_NAME)

    @classmethod
    def covers_are_black(cls, picture):
        return all(e2e.color_fraction(picture, e2e.BLACK, cls.in_x(rect)) == 1.0 for rect in cls.OTHERS)

    @classmethod
    def in_x(cls, rect):
        return (rect[0] + cls.x_offset, rect[1], rect[2] + cls.x_offset, rect[3])

    def windows_titled(self, title):
        return [w for w in self.windows if w["title"] == title]

    def test_the_saver_fills_the_primary_monitor(self):
        savers = self.windows_titled(SAVER_TITLE)
        self.assertEqual([w["rect"] for w in savers], [self.PRIMARY], self.windows)
        self.assertTrue(savers[0]["topmost"])

    def test_a_borderless_topmost_cover_without_taskbar_button_fills_each_other_monitor(self):
        covers = self.windows_titled(COVER_TITLE)
        self.assertEqual(sorted(w["rect"] for w in covers), sorted(self.OTHERS), self.windows)
        self.assertEqual(len(self.windows), 1 + len(self.OTHERS), "only the saver and the covers: %s" % self.windows)
        for cover in covers:
            with self.subTest(cover["rect"]):
                self.assertTrue(cover["topmost"], cover)
                self.assertTrue(e2e.is_borderless(cover), cover)
                self.assertFalse(cover["appwindow"], cover)
                self.assertTrue(cover["toolwindow"] or cover["owner"] != 0, cover)

    def test_nothing_of_the_desktop_shows_on_any_monitor(self):
        for index, rect in enumerate([self.PRIMARY] + self.OTHERS):
            with self.subTest(rect):
                box = self.in_x(rect)
                # One picture per monitor beside the whole screenshot, for a person to look at.
                self.picture.crop(box).save(os.path.join(self.work, "monitor-%d.png" % (index + 1)))
                self.assertEqual(e2e.color_fraction(self.picture, e2e.DESKTOP, box), 0.0)
                if rect == self.PRIMARY:
                    # White is the background the saver's pictures slide over.
                    self.assertEqual(e2e.dominant_color(self.picture, box), e2e.WHITE)
                else:
                    self.assertEqual(e2e.color_fraction(self.picture, e2e.BLACK, box), 1.0)

    def test_the_pointer_is_invisible_over_a_cover(self):
        self.assertEqual(self.opaque_pointer_pixels, 0)

    def test_moving_the_mouse_over_another_monitor_ends_the_program_and_closes_every_window(self):
        self.assertTrue(self.ticking, "the saver's bands did not move before the mouse did")
        self.assertTrue(self.running_before_move, "the saver ended before the mouse moved")
        self.assertTrue(self.gone_from_screen, "windows stayed on screen after the mouse moved")
        self.assertTrue(self.ended, "the program did not end")
        self.assertEqual(self.windows_after_end, [])


class CoversOnTwoMonitorsPrimaryRightTest(CoversOnThreeMonitorsTest):
    """Two monitors, the primary on the right: the other one lies at negative x."""

    OUTPUTS = e2e.TWO_MONITORS_PRIMARY_RIGHT
    PRIMARY = [0, 0, 1280, 720]
    OTHERS = [[-1024, 0, 0, 768]]
    POINTER_AT_START = [-700, 200]
    POINTER_MOVED_TO = [-300, 500]


class CoversWithATaskbarTest(CoversOnThreeMonitorsTest):
    """The three monitors with bars along the left and the top: every work area is
    smaller than its monitor, yet each window covers its monitor whole."""

    WORK_AREA = (40, 30, 3064, 738)


if __name__ == "__main__":
    unittest.main()
