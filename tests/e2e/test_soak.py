# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""One minute of the saver (/s) on a 1920x1080 screen: once settled, it holds
no more GDI or USER objects than it did at 10 s and no more than 1% more
memory, and it is still running and still ends on a mouse move. The ten-minute version with printed figures is
bench/wine_soak.py."""

import unittest

import e2e
import soak

SOAK_SECONDS = 60.0
SAMPLE_INTERVAL = 5.0
SETTLE_SECONDS = 10.0
# Resident memory moves by whole pages as Wine's heaps settle; objects must not grow at all.
RSS_GROWTH_ALLOWED = 0.01


class SoakTest(e2e.WineDesktopTest):

    SCREEN_SIZE = (1920, 1080)

    def test_holds_no_more_objects_after_ten_seconds(self):
        program = self.start_saver("/s")
        window = self.inspector.wait_for_window(e2e.SAVER_NAME)
        self.assertIsNotNone(window, "the saver showed no window")
        samples = soak.run(self.wine, program, window["pid"], SOAK_SECONDS, SAMPLE_INTERVAL)
        report = "\n".join(soak.describe(s) for s in samples)
        self.assertTrue(program.running, "the saver ended during the run (status %s):\n%s"
                        % (program.exit_code, report))
        self.assertGreaterEqual(samples[-1]["seconds"], SOAK_SECONDS - 1, report)
        for figure in ("gdi", "user"):
            settled, highest = soak.growth_after(samples, SETTLE_SECONDS, figure)
            # A count of nothing would mean the inspector read nothing, not that nothing leaks.
            self.assertGreater(settled[figure], 0, "no %s objects counted:\n%s" % (figure, report))
            self.assertLessEqual(highest, settled[figure], "%s objects grew after %g s:\n%s"
                                 % (figure, settled["seconds"], report))
        # Memory: the goal of the long run, within the same 1%.
        settled, highest = soak.growth_after(samples, SETTLE_SECONDS, "rss_kb")
        self.assertLessEqual(highest, settled["rss_kb"] * (1 + RSS_GROWTH_ALLOWED),
                             "the saver's memory grew by more than %g%% after %g s:\n%s"
                             % (100 * RSS_GROWTH_ALLOWED, settled["seconds"], report))
        print(report)

        self.xdo.mousemove_relative(1, 0)
        self.assertTrue(program.wait(e2e.PATIENCE), "a mouse move did not end the saver")
        self.assertEqual(program.exit_code, 0, "the saver did not end normally after a mouse move")
        self.assertTrue(self.inspector.wait_for_no_window(e2e.SAVER_NAME, e2e.PATIENCE), "the saver left a window")


if __name__ == "__main__":
    unittest.main()
