# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The modes the command line selects, as a user meets them: the settings
notice (no argument or /c...), which offers the website and sits on the window
that a settings request names, and the preview (/p ...), which must end without
showing anything."""

import time
import unittest

import e2e

CAPTION = "Quillon Solutions Frostlane 1"
NOTICE = ("No settings are available for this screensaver.\r\n"
          "Would you like to visit the Quillon Solutions website?")
WEBSITE = e2e.product_identity()["site"]
ID_YES, ID_NO = 6, 7

# How long after an answer the browser is watched for even when the answer asks
# for none: winebrowser hands a URL on about 0.7 s after the program asked.
BROWSER_GRACE = 2.0


def is_warning_color(rgb):
    """The yellow to orange of the exclamation icon; the other message box
    icons are blue (question, information) or red (stop)."""
    red, green, blue = rgb
    return red >= 200 and green >= 90 and blue <= 100


class SettingsNoticeTest(e2e.WineDesktopTest):
    # arguments, the button pressed, how it is pressed, what the browser must receive
    CASES = [
        ((), "Yes", "click", [WEBSITE]),
        (("/c:1234",), "No", "click", []),
        (("/C",), "Yes", "keyboard", [WEBSITE]),
        (("/c",), "No", "keyboard", []),
    ]

    def test_notice_reads_exactly_and_its_answer_decides_the_website(self):
        for arguments, answer, how, expected_urls in self.CASES:
            with self.subTest(arguments=arguments, answer=answer, how=how):
                self.browser.forget()
                with self.start_saver(*arguments) as program:
                    box = self.inspector.wait_for_window(e2e.SAVER_NAME, title=CAPTION)
                    self.assertIsNotNone(box, "no box titled %r; windows: %s" % (CAPTION, self.inspector.list()))
                    self.assertNoticeContent(self.inspector.dialog(box["hwnd"]))

                    answered = time.monotonic()
                    self.press(box, answer, how)
                    self.assertTrue(program.wait(e2e.PATIENCE), "still running after answering " + answer)
                    self.assertEqual(program.exit_code, 0)
                if expected_urls:
                    self.browser.wait_for_calls(len(expected_urls), e2e.PATIENCE)
                else:
                    time.sleep(max(0.0, answered + BROWSER_GRACE - time.monotonic()))
                # The program has ended, so it asks for nothing more; a URL it
                # did ask for, a second one included, is in the log once none
                # is on its way, however slowly the machine hands it on.
                self.assertTrue(e2e.wait_for_browser_hand_off(self.wine, self.browser),
                                "a URL was still on its way to the browser after %.0f s" % e2e.PATIENCE)
                self.assertEqual(self.browser.calls(), expected_urls)

    def test_a_settings_request_that_names_a_window_puts_the_notice_on_it(self):
        # The dialog that asks: any window of another process will do, here the
        # notice of a first run.
        with self.start_saver("/c") as first:
            dialog = self.inspector.wait_for_window(e2e.SAVER_NAME, title=CAPTION)
            self.assertIsNotNone(dialog, "the first run shows no notice")
            # arguments, the owner the second run's notice must have
            cases = [
                (("/c:%d" % dialog["hwnd"],), dialog["hwnd"]),
                (("/c", "%d" % dialog["hwnd"]), dialog["hwnd"]),
                (("/c:1",), 0),
                (("/c:%dx" % dialog["hwnd"],), 0),
            ]
            for arguments, owner in cases:
                with self.subTest(arguments=arguments):
                    with self.start_saver(*arguments) as second:
                        box = self.wait_for_notice_of_another_run(dialog)
                        self.assertIsNotNone(box, "the second run shows no notice")
                        self.assertEqual(box["owner"], owner)
                        self.assertEqual(self.inspector.click(box["hwnd"], "No"), ID_NO)
                        self.assertTrue(second.wait(e2e.PATIENCE), "still running after No")
            self.assertEqual(self.inspector.click(dialog["hwnd"], "No"), ID_NO)
            self.assertTrue(first.wait(e2e.PATIENCE), "the first run still runs after No")

    def wait_for_notice_of_another_run(self, first_notice):
        def notice():
            return next((window for window in self.inspector.windows_of(e2e.SAVER_NAME)
                         if window["title"] == CAPTION and window["pid"] != first_notice["pid"]), None)
        return e2e.poll(notice)

    def assertNoticeContent(self, dialog):
        self.assertEqual(dialog["caption"], CAPTION)
        self.assertEqual(dialog["texts"], [NOTICE])
        self.assertTrue(dialog["icon"], "the notice shows no icon")
        # On one monitor Windows and X coordinates agree, so the icon's
        # rectangle can be cut straight out of the screenshot. A box only just
        # shown may not be painted yet, hence the tries.
        icon = tuple(dialog["icon_rect"])
        warning_share = e2e.poll(lambda: e2e.fraction_where(self.screenshot("notice"), is_warning_color, icon),
                                 lambda share: share > 0.1, interval=0.1)
        self.assertGreater(warning_share, 0.1, "the icon is not the exclamation mark")
        buttons = {b["id"]: b["text"].replace("&", "") for b in dialog["buttons"] if b["visible"]}
        self.assertEqual(buttons, {ID_YES: "Yes", ID_NO: "No"})

    def press(self, box, answer, how):
        if how == "click":
            self.assertEqual(self.inspector.click(box["hwnd"], answer), {"Yes": ID_YES, "No": ID_NO}[answer])
        else:
            self.xdo.windowfocus(box["xid"])
            self.xdo.key(answer[0].lower())


class PreviewTest(e2e.WineDesktopTest):
    ARGUMENTS = [("/p", "1234"), ("/P", "99"), ("/p:1234",)]

    def test_preview_ends_at_once_without_a_window(self):
        for arguments in self.ARGUMENTS:
            with self.subTest(arguments=arguments):
                with self.start_saver(*arguments) as program:
                    started = time.monotonic()
                    seen = []
                    deadline = time.monotonic() + e2e.PATIENCE
                    while program.running and time.monotonic() < deadline:
                        seen += self.inspector.windows_of(e2e.SAVER_NAME)
                    ended = program.wait(0.0)
                    e2e.report_time("the preview %s ended after" % " ".join(arguments), time.monotonic() - started)
                    seen += self.inspector.windows_of(e2e.SAVER_NAME)
                self.assertEqual(seen, [], "the preview showed windows")
                self.assertTrue(ended, "still running after %.0f s" % e2e.PATIENCE)
                self.assertEqual(program.exit_code, 0)


if __name__ == "__main__":
    unittest.main()
