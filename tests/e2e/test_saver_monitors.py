"""The saver (/s) when the desktop spans several monitors: its window covers
the primary monitor wherever that lies in X, and the mouse moving onto any
other monitor ends it. Runs on Xorg's dummy driver, which Wine sees as real
monitors."""

import time
import unittest

import e2e

FIRST_TICKS = 0.5
REACTION_LIMIT = 1.0
EXIT_LIMIT = REACTION_LIMIT + e2e.WINE_WITHDRAW_DELAY + 0.5


class SaverOnSeveralMonitorsTest(e2e.WineDesktopTest):
    # the layout's name, the outputs to lay out (None: the server's own), the
    # monitors Windows must then report (primary first)
    LAYOUTS = [
        ("three side by side, primary in the middle", None,
         [[0, 0, 1280, 720], [1280, 0, 2304, 768], [-800, 0, 0, 600]]),
        ("two, primary on the right", e2e.TWO_MONITORS_PRIMARY_RIGHT,
         [[0, 0, 1280, 720], [-1024, 0, 0, 768]]),
    ]

    @classmethod
    def start_display(cls, work):
        return e2e.start_xorg_three_monitors(work)

    def test_saver_covers_the_primary_monitor_and_any_monitor_ends_it(self):
        for name, outputs, monitors in self.LAYOUTS:
            with self.subTest(name):
                if outputs:
                    e2e.lay_out_outputs(self.x_server.display, outputs)
                    self.wine.restart()
                reported = self.inspector.monitors()
                self.assertEqual([m["rect"] for m in sorted(reported, key=lambda m: not m["primary"])], monitors,
                                 "the X server's layout is not what Wine sees")
                self.check_saver(monitors)

    def check_saver(self, monitors):
        primary, other = monitors[0], monitors[1]
        # Windows puts its origin at the primary monitor; X puts it at the leftmost.
        x_offset = -min(rect[0] for rect in monitors)
        with self.start_saver("/s") as program:
            window = self.inspector.wait_for_window(e2e.SAVER_NAME)
            self.assertIsNotNone(window, "the saver shows no window")
            time.sleep(FIRST_TICKS)
            saver_windows = [w for w in self.inspector.windows_of(e2e.SAVER_NAME) if w["rect"] == primary]
            self.assertEqual(len(saver_windows), 1, "no window covers the primary monitor %s: %s"
                             % (primary, self.inspector.windows_of(e2e.SAVER_NAME)))
            self.assertTrue(saver_windows[0]["topmost"])

            picture = self.screenshot("monitors-%d" % len(monitors))
            primary_in_x = (primary[0] + x_offset, primary[1], primary[2] + x_offset, primary[3])
            self.assertEqual(e2e.color_fraction(picture, e2e.DESKTOP, primary_in_x), 0.0)
            self.assertGreater(e2e.color_fraction(picture, e2e.WHITE, primary_in_x), 0.5)

            shown = [w["xid"] for w in self.inspector.windows_of(e2e.SAVER_NAME)]
            # The middle of another monitor, in X coordinates.
            self.xdo.mousemove((other[0] + other[2]) // 2 + x_offset, (other[1] + other[3]) // 2)
            self.assertTrue(e2e.wait_for_x_windows_gone(self.x_server.display, shown, REACTION_LIMIT),
                            "moving onto another monitor left the saver on screen")
            self.assertTrue(program.wait(EXIT_LIMIT), "moving onto another monitor did not end the saver")


if __name__ == "__main__":
    unittest.main()
