# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""What ends the saver (/s) and what must not: a mouse move of a single pixel,
a key that types a character, Alt+F4 and WM_CLOSE end it; Shift alone does not.
While the display is off or the session away it rests, a move still ends it. A
lock leaves it running while its own desktop is still on the screen (Wine never
switches desktops); the unlock after it ends it."""

import time
import unittest

import e2e
from test_mosaic import wait_for_bands_to_move

# How long a key that must not end the saver is given to do so anyway.
NO_EXIT_WATCH = 1.0


class SaverExitTest(e2e.WineDesktopTest):
    # what the user (or another program) does, and how the test does it
    EXITS = [
        ("mouse one pixel right", lambda test: test.xdo.mousemove_relative(1, 0)),
        ("mouse one pixel up", lambda test: test.xdo.mousemove_relative(0, -1)),
        ("key a", lambda test: test.xdo.key("a")),
        ("Alt+F4", lambda test: test.xdo.key("alt+F4")),
        ("WM_CLOSE from taskkill", lambda test: test.wine.run("taskkill", "/im", e2e.SAVER_NAME)),
    ]

    def bands_move(self):
        return wait_for_bands_to_move(self.x_server.display, (0, 0) + self.SCREEN_SIZE)

    def start_and_focus_saver(self):
        """The running saver and the X windows it shows."""
        program = self.start_saver("/s")
        window = self.inspector.wait_for_window(e2e.SAVER_NAME)
        self.assertIsNotNone(window, "the saver shows no window")
        # The program measures mouse movement from its first tick on, the one
        # that sets the bands going.
        self.assertTrue(self.bands_move(), "the saver's bands do not move")
        # Keys go to the focused window; without a window manager nobody else focuses it.
        self.xdo.windowfocus(window["xid"])
        return program, [w["xid"] for w in self.inspector.windows_of(e2e.SAVER_NAME)]

    def assertEnds(self, program, windows, acted, what):
        """The saver leaves the screen and the program ends normally. How soon
        is printed: the benchmarks judge it, a busy machine stretches it."""
        gone = e2e.wait_for_x_windows_gone(self.x_server.display, windows, e2e.PATIENCE)
        reaction = time.monotonic() - acted
        self.assertTrue(gone, "the saver was still on screen %.1f s after %s" % (reaction, what))
        self.assertTrue(program.wait(e2e.PATIENCE), "the program was still running %.1f s after %s"
                        % (e2e.PATIENCE, what))
        e2e.report_time("%s: off the screen after" % what, reaction)
        e2e.report_time("%s: ended after" % what, time.monotonic() - acted)
        self.assertEqual(program.exit_code, 0, "the program did not end normally after " + what)
        self.assertEqual(self.inspector.windows_of(e2e.SAVER_NAME), [])

    def test_input_ends_the_saver(self):
        for name, act in self.EXITS:
            with self.subTest(name):
                program, windows = self.start_and_focus_saver()
                with program:
                    acted = time.monotonic()
                    act(self)
                    self.assertEnds(program, windows, acted, name)

    def test_shift_alone_does_not_end_the_saver(self):
        program, windows = self.start_and_focus_saver()
        self.xdo.key("shift")
        time.sleep(NO_EXIT_WATCH)
        # Timer ticks come only while no input waits, so bands that still move
        # show the program has taken the key in.
        self.assertTrue(program.running and self.bands_move(), "Shift ended the saver")
        self.assertTrue(all(e2e.x_window_viewable(self.x_server.display, xid) for xid in windows))
        # It still listens: a character key ends it.
        acted = time.monotonic()
        self.xdo.key("a")
        self.assertEnds(program, windows, acted, "key a after Shift")

    def test_rests_while_the_display_is_off(self):
        program, windows = self.start_and_focus_saver()
        saver = self.inspector.windows_of(e2e.SAVER_NAME)[0]["hwnd"]
        with program:
            for state, value, moves in (("off", 0, False), ("on", 1, True), ("off", 0, False),
                                        ("dimmed", 2, True), ("off", 0, False)):
                self.inspector.display_power(saver, value)
                seen = wait_for_bands_to_move(self.x_server.display, (0, 0) + self.SCREEN_SIZE,
                                              e2e.PATIENCE if moves else NO_EXIT_WATCH)
                self.assertEqual(seen, moves, "with the display %s the bands %s" % (state, "stand still" if moves
                                                                                       else "still move"))
            acted = time.monotonic()
            self.xdo.mousemove_relative(1, 0)
            self.assertEnds(program, windows, acted, "a mouse move while the display is off")

    def test_rests_while_the_session_is_disconnected_and_ends_on_the_unlock_after_a_lock(self):
        program, windows = self.start_and_focus_saver()
        saver = self.inspector.windows_of(e2e.SAVER_NAME)[0]["hwnd"]
        with program:
            for state, event, moves in (("disconnected", 4, False), ("connected again", 3, True),
                                        ("locked, its desktop on the screen", 7, True)):
                self.assertTrue(self.inspector.session_change(saver, event))
                self.assertEqual(moves, wait_for_bands_to_move(self.x_server.display, (0, 0) + self.SCREEN_SIZE,
                                                               e2e.PATIENCE if moves else NO_EXIT_WATCH), state)
            acted = time.monotonic()
            self.inspector.session_change(saver, 8)
            self.assertEnds(program, windows, acted, "the unlock after a lock")


if __name__ == "__main__":
    unittest.main()
