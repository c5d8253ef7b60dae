# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver (/s) while the displays change under it, on Xorg's dummy driver with
xrandr: the primary grows, shrinks back, another monitor is turned off and back
on. After each change the primary shows bands over white and nothing else, the
covered monitors that still exist stay black, the program keeps running, and a
one-pixel mouse move ends it with every window gone. The outputs always lie edge
to edge, as Windows keeps its monitors."""

import os
import time
import unittest

import e2e
from test_mosaic import wait_for_bands_to_move

# The program looks at the monitors four times a second, on a tick: once this
# long has passed after a change, its next tick sees the change.
LOOK_INTERVAL = 0.25
STILL_RUNNING_AFTER = 5.0

# (name, mode) of the outputs left to right in X; None turns the output off.
THREE = [("DUMMY2", "800x600"), ("DUMMY0", "1280x720"), ("DUMMY1", "1024x768")]
GROWN = [("DUMMY2", "800x600"), ("DUMMY0", "1920x1080"), ("DUMMY1", "1024x768")]
RIGHT_OFF = [("DUMMY2", "800x600"), ("DUMMY0", "1280x720")]


def lay_out(display, outputs):
    """Lays the outputs edge to edge from X's origin, DUMMY0 primary; returns each
    output's box (left, top, right, bottom) in X coordinates."""
    boxes, x = {}, 0
    for name, mode in outputs:
        width, height = (int(v) for v in mode.split("x"))
        boxes[name] = (x, 0, x + width, height)
        x += width
    primary_first = sorted(outputs, key=lambda output: output[0] != "DUMMY0")
    e2e.lay_out_outputs(display, [(name, mode, boxes[name][0], 0) for name, mode in primary_first])
    return boxes


def shows_the_layout(picture, boxes, covered):
    """Whether the screen shows what the program owes the layout `boxes`: bands
    over white on the whole primary, black on every covered monitor left."""
    primary = boxes["DUMMY0"]
    return (e2e.color_fraction(picture, e2e.DESKTOP, primary) == 0.0
            and all(e2e.color_fraction(picture, e2e.WHITE, cell) > 0.15
                    and e2e.color_fraction(picture, e2e.BLACK, cell) < 0.5
                    for cell in e2e.grid_boxes(primary, 6, 6))
            and all(e2e.color_fraction(picture, e2e.BLACK, boxes[output]) == 1.0 for output in covered & set(boxes)))


class DisplayChangesTest(e2e.WineDesktopTest):

    @classmethod
    def start_display(cls, work):
        return e2e.start_xorg_three_monitors(work)

    def bands_move(self, boxes):
        # Every layout here keeps the first 1280x720 of the primary where it was.
        left, top, _, _ = boxes["DUMMY0"]
        return wait_for_bands_to_move(self.x_server.display, (left, top, left + 1280, top + 720))

    def run_row(self, name, changes):
        display = self.x_server.display
        boxes = lay_out(display, THREE)
        self.wine.restart()  # the saver starts on three monitors side by side
        self.x_server.paint_desktop(e2e.DESKTOP)
        self.xdo.mousemove(boxes["DUMMY0"][0] + 100, 100)  # on the primary in every layout
        program = self.start_saver("/s")
        windows = e2e.poll(lambda: self.inspector.windows_of(e2e.SAVER_NAME), lambda found: len(found) >= 3)
        self.assertEqual(len(windows), 3, "the saver and two covers")
        self.assertTrue(self.bands_move(boxes), "the saver's bands do not move")
        covered = {name for name in boxes if name != "DUMMY0"}

        before = e2e.pointer_position(display)
        for outputs in changes:
            changed = time.monotonic()
            boxes = lay_out(display, outputs)
            if e2e.pointer_position(display) != before:
                # X moved the pointer as part of the change: that is a mouse movement.
                self.assertTrue(program.wait(e2e.PATIENCE), "the pointer moved but the program did not end")
                self.assertEqual(self.inspector.windows_of(e2e.SAVER_NAME), [])
                return
            # A tick after the look interval has seen the change, and frames
            # presented after that tick show what the program made of it.
            time.sleep(LOOK_INTERVAL)
            self.assertTrue(self.bands_move(boxes) and self.bands_move(boxes), "the saver stopped after the change")
            picture = e2e.poll(lambda: self.screenshot(name), lambda shot: shows_the_layout(shot, boxes, covered))
            e2e.report_time("%s: followed %s after" % (name, [mode for _, mode in outputs]),
                            time.monotonic() - changed)

        primary = boxes["DUMMY0"]
        picture.crop(primary).save(os.path.join(self.work, name + "-primary.png"))
        self.assertEqual(e2e.color_fraction(picture, e2e.DESKTOP, primary), 0.0, "desktop shows on the primary")
        for cell in e2e.grid_boxes(primary, 6, 6):
            with self.subTest(cell=cell):
                # Bands over white: white in every cell, and no black or unpainted area.
                self.assertGreater(e2e.color_fraction(picture, e2e.WHITE, cell), 0.15)
                self.assertLess(e2e.color_fraction(picture, e2e.BLACK, cell), 0.5)
        for output in covered & set(boxes):
            with self.subTest(covered=output):
                self.assertEqual(e2e.color_fraction(picture, e2e.BLACK, boxes[output]), 1.0)

        time.sleep(STILL_RUNNING_AFTER)
        # Still moving bands show the program kept ticking all along.
        self.assertTrue(program.running and self.bands_move(boxes), "the saver ended on its own after the change")
        moved = time.monotonic()
        self.xdo.mousemove_relative(1, 0)
        self.assertTrue(program.wait(e2e.PATIENCE), "a mouse move did not end the program")
        e2e.report_time("%s: ended after the mouse move in" % name, time.monotonic() - moved)
        self.assertNotIn(program.exit_code, (3, 5), "the program crashed")
        self.assertEqual(self.inspector.windows_of(e2e.SAVER_NAME), [])

    def test_the_primary_grows(self):
        self.run_row("grows", [GROWN])

    def test_the_primary_shrinks_back(self):
        self.run_row("shrinks", [GROWN, THREE])

    def test_a_monitor_is_turned_off(self):
        self.run_row("off", [RIGHT_OFF])

    def test_a_monitor_is_turned_back_on(self):
        self.run_row("on", [RIGHT_OFF, THREE])


if __name__ == "__main__":
    unittest.main()
