"""What ends the saver (/s) and what must not: a mouse move of a single pixel,
a key that types a character, Alt+F4 and WM_CLOSE end it; Shift alone does not."""

import time
import unittest

import e2e

# The program measures mouse movement from its first 10 ms tick on.
FIRST_TICKS = 0.5
# A person sees the saver go within this time of their input.
REACTION_LIMIT = 1.0
# After the window has gone the process may still wait for Wine (see
# e2e.WINE_WITHDRAW_DELAY); the rest is room for a loaded machine.
EXIT_LIMIT = REACTION_LIMIT + e2e.WINE_WITHDRAW_DELAY + 1.0


class SaverExitTest(e2e.WineDesktopTest):
    # what the user (or another program) does, and how the test does it
    EXITS = [
        ("mouse one pixel right", lambda test: test.xdo.mousemove_relative(1, 0)),
        ("mouse one pixel up", lambda test: test.xdo.mousemove_relative(0, -1)),
        ("key a", lambda test: test.xdo.key("a")),
        ("Alt+F4", lambda test: test.xdo.key("alt+F4")),
        ("WM_CLOSE from taskkill", lambda test: test.wine.run("taskkill", "/im", e2e.SAVER_NAME)),
    ]

    def start_and_focus_saver(self):
        """The running saver and the X windows it shows."""
        program = self.start_saver("/s")
        window = self.inspector.wait_for_window(e2e.SAVER_NAME)
        self.assertIsNotNone(window, "the saver shows no window")
        time.sleep(FIRST_TICKS)
        # Keys go to the focused window; without a window manager nobody else focuses it.
        self.xdo.windowfocus(window["xid"])
        return program, [w["xid"] for w in self.inspector.windows_of(e2e.SAVER_NAME)]

    def assertEndsWithin(self, program, windows, acted, what):
        gone = e2e.wait_for_x_windows_gone(self.x_server.display, windows, REACTION_LIMIT)
        reaction = time.monotonic() - acted
        self.assertTrue(gone, "the saver was still on screen %.2f s after %s" % (reaction, what))
        self.assertTrue(program.wait(max(0.0, acted + EXIT_LIMIT - time.monotonic())),
                        "the program was still running %.1f s after %s" % (EXIT_LIMIT, what))
        self.assertEqual(program.exit_code, 0, "the program did not end normally after " + what)
        self.assertEqual(self.inspector.windows_of(e2e.SAVER_NAME), [])

    def test_input_ends_the_saver_at_once(self):
        for name, act in self.EXITS:
            with self.subTest(name):
                program, windows = self.start_and_focus_saver()
                with program:
                    acted = time.monotonic()
                    act(self)
                    self.assertEndsWithin(program, windows, acted, name)

    def test_shift_alone_does_not_end_the_saver(self):
        program, windows = self.start_and_focus_saver()
        self.xdo.key("shift")
        time.sleep(1.0)
        self.assertTrue(program.running, "Shift ended the saver")
        self.assertTrue(all(e2e.x_window_viewable(self.x_server.display, xid) for xid in windows))
        # It still listens: a character key ends it.
        acted = time.monotonic()
        self.xdo.key("a")
        self.assertEndsWithin(program, windows, acted, "key a after Shift")


if __name__ == "__main__":
    unittest.main()
