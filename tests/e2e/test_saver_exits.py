"""What ends the saver (/s) and what must not: a mouse move of a single pixel,
a key that types a character, Alt+F4 and WM_CLOSE end it; Shift alone does not."""

import time
import unittest

import e2e

# The program measures mouse movement from its first 10 ms tick on.
FIRST_TICKS = 0.5
# A person sees the saver go within this time of their input.
REACTION_LIMIT = 1.0
# After the window has gone the process may still wait for Wine (see e2e.WINE_WITHDRAW_DELAY).
EXIT_LIMIT = REACTION_LIMIT + e2e.WINE_WITHDRAW_DELAY + 0.5


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
        program = self.start_saver("/s")
        window = self.inspector.wait_for_window(e2e.SAVER_NAME)
        self.assertIsNotNone(window, "the saver shows no window")
        time.sleep(FIRST_TICKS)
        # Keys go to the focused window; without a window manager nobody else focuses it.
        self.xdo.windowfocus(window["xid"])
        return program

    def test_input_ends_the_saver_at_once(self):
        for name, act in self.EXITS:
            with self.subTest(name):
                with self.start_and_focus_saver() as program:
                    acted = time.monotonic()
                    act(self)
                    gone = self.inspector.wait_for_no_window(e2e.SAVER_NAME, REACTION_LIMIT)
                    reaction = time.monotonic() - acted
                    self.assertTrue(gone, "the window was still there %.2f s after %s" % (reaction, name))
                    self.assertTrue(program.wait(max(0.0, acted + EXIT_LIMIT - time.monotonic())),
                                    "the program was still running %.1f s after %s" % (EXIT_LIMIT, name))

    def test_shift_alone_does_not_end_the_saver(self):
        program = self.start_and_focus_saver()
        self.xdo.key("shift")
        time.sleep(1.0)
        self.assertTrue(program.running, "Shift ended the saver")
        self.assertEqual(len(self.inspector.windows_of(e2e.SAVER_NAME)), 1)
        # It still listens: a character key ends it.
        self.xdo.key("a")
        self.assertTrue(self.inspector.wait_for_no_window(e2e.SAVER_NAME, REACTION_LIMIT))
        self.assertTrue(program.wait(EXIT_LIMIT))


if __name__ == "__main__":
    unittest.main()
