# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver window (/s) on one 1280x720 monitor: where it is, how it sits
among other windows, and that nothing of the desktop shows through. No window
manager runs, so nothing but the program places or sizes its window."""

import unittest

import e2e
from test_mosaic import wait_for_bands_to_move


class SaverWindowTest(e2e.WineDesktopTest):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.program = cls.wine.start(cls.saver, "/s")
        window = cls.inspector.wait_for_window(e2e.SAVER_NAME)
        # The window is up once the inspector sees it, and painted once its
        # bands move; what the screen shows then is for the tests to judge.
        if window:
            wait_for_bands_to_move(cls.x_server.display, (0, 0) + cls.SCREEN_SIZE)
        cls.windows = cls.inspector.windows_of(e2e.SAVER_NAME) if window else []
        cls.picture = cls.screenshot("saver")
        cls.opaque_pointer_pixels = e2e.pointer_opacity(cls.x_server.display)

    def setUp(self):
        self.assertEqual(len(self.windows), 1, "the saver should show exactly one window: %s" % self.windows)
        self.window = self.windows[0]

    def test_covers_the_whole_monitor_and_stays_on_top(self):
        self.assertEqual(self.window["rect"], [0, 0, 1280, 720])
        self.assertTrue(self.window["topmost"], "WS_EX_TOPMOST is not set: %s" % self.window)
        self.assertTrue(e2e.is_borderless(self.window), "the window has a frame: style %#x" % self.window["style"])
        self.assertTrue(self.program.running)

    def test_has_no_taskbar_button(self):
        # The shell gives a button to a visible window with WS_EX_APPWINDOW, or
        # to an unowned one without WS_EX_TOOLWINDOW.
        window = self.window
        found = "toolwindow=%s appwindow=%s owner=%s" % (window["toolwindow"], window["appwindow"], window["owner"])
        self.assertFalse(window["appwindow"], found)
        self.assertTrue(window["toolwindow"] or window["owner"] != 0, found)

    def test_hides_the_desktop_and_the_pointer(self):
        # White is the background the pictures slide over; dense bands of
        # pictures leave a little over half of it showing.
        self.assertEqual(e2e.dominant_color(self.picture), e2e.WHITE)
        self.assertGreater(e2e.color_fraction(self.picture, e2e.WHITE), 0.35)
        # Checked cell by cell so that a strip left uncovered is not lost in the
        # average; black is checked too, since a window that is shown but
        # never painted can come out black.
        for cell in e2e.grid_boxes((0, 0, 1280, 720), 8, 8):
            for color, what in ((e2e.DESKTOP, "the desktop shows"), (e2e.BLACK, "black area")):
                self.assertLess(e2e.color_fraction(self.picture, color, cell), 0.5, "%s at %s" % (what, cell))
        self.assertLess(e2e.color_fraction(self.picture, e2e.DESKTOP), 0.001, "the desktop shows through")
        self.assertEqual(self.opaque_pointer_pixels, 0, "the mouse pointer is visible")


if __name__ == "__main__":
    unittest.main()
