# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""A downloads folder collects files from any site. A DLL lying there beside the
program, named like a system DLL that the program or Windows loads while it
runs, must never be loaded: not by the settings notice, not by the install
(whose copy runs a second time with an administrator's rights), not by that
elevated run started directly, not by the saver.

Each row runs the program from a folder of its own that also holds
loadmarker.dll under every name in PLANTED, with Wine told to prefer a DLL it
finds on disk to its own (a native-first override, as Windows always does). A
loaded copy appends a line to planted-dll-loads.txt in that folder.

Names left out: under Wine the DLLs that system DLLs import (kernelbase,
ucrtbase, sechost, advapi32, zlib1, version, win32u, rpcrt4, combase, shcore,
shlwapi, imm32) load with the program's own imports, before any code of the
program runs, so no program can keep them from its own folder; on Windows the
list of known DLLs covers the program's imports."""

import contextlib
import os
import shutil
import time
import unittest

import e2e
from test_mosaic import wait_for_bands_to_move

# Loaded by Wine's window layer while the program runs (found with
# WINEDEBUG=+loaddll in every mode), and what drawing with the screen's own
# scaling and pictures may come to load.
PLANTED = ["uxtheme.dll", "winex11.drv", "dwmapi.dll", "windowscodecs.dll", "wtsapi32.dll"]
MARKER_DLL = "loadmarker.dll"
LOAD_RECORD = "planted-dll-loads.txt"

CAPTION = "Quillon Solutions Frostlane 1"
SETTINGS_NOTICE = ("No settings are available for this screensaver.\r\n"
                   "Would you like to visit the Quillon Solutions website?")
QUESTION = "Would you like to install Quillon Solutions Frostlane 1?"
ELEVATED_SWITCH = "/elevated-copy"
INSTALLED_NAME = e2e.product_identity()["installed_name"]
DIALOG_CLASS = "#32770"

BOX_TIMEOUT = EXIT_TIMEOUT = e2e.PATIENCE


def recorded_loads(folder):
    """What the planted copies in the folder wrote: one line per load."""
    try:
        with open(os.path.join(folder, LOAD_RECORD), encoding="utf-8") as record:
            return record.read()
    except FileNotFoundError:
        return ""


class PlantedDllTest(e2e.WineDesktopTest):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.wine.env["WINEDLLOVERRIDES"] += ";%s=n,b" % ",".join(PLANTED)

    def download(self, row, file_name):
        """The program in a folder of its own, with the planted DLLs beside it."""
        folder = os.path.join(self.work, row)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name in PLANTED:
            shutil.copyfile(e2e.windows_binary(MARKER_DLL), os.path.join(folder, name))
        program = os.path.join(folder, file_name)
        shutil.copyfile(e2e.windows_binary(e2e.PROGRAM_NAME), program)
        return program

    def start(self, exe, *args):
        program = self.wine.start(exe, *args)
        self.addCleanup(program.close)
        return program

    def box(self, exe, text, seen=()):
        """The program's next message box with this text."""
        name = os.path.basename(exe)
        deadline = time.monotonic() + BOX_TIMEOUT
        while time.monotonic() < deadline:
            for window in self.inspector.windows_of(name):
                if window["class"] != DIALOG_CLASS or window["hwnd"] in seen:
                    continue
                with contextlib.suppress(LookupError):
                    dialog = self.inspector.dialog(window["hwnd"])
                    if text is None or dialog["texts"] == [text]:
                        return window
            time.sleep(e2e.POLL_INTERVAL)
        self.fail("no box %r from %s; windows: %s" % (text, name, self.inspector.list()))

    def windows_folder(self):
        return os.path.join(self.wine.prefix, "drive_c", "windows")

    # ------------------------------------------------------------ the rows

    def settings_notice_answered_yes(self, exe):
        program = self.start(exe, "/c")
        self.inspector.click(self.box(exe, SETTINGS_NOTICE)["hwnd"], "Yes")
        self.assertEqual(self.browser.wait_for_calls(1, e2e.PATIENCE), [e2e.product_identity()["site"]])
        self.assertTrue(program.wait(EXIT_TIMEOUT), "still running after the notice")

    def install_with_an_unwritable_windows_folder(self, exe):
        # The Windows folder refuses the user's copy, so the install runs itself
        # again with raised rights; Wine's process trace shows that run.
        self.wine.env["WINEDEBUG"] = "-all,+process"
        self.addCleanup(self.wine.env.update, WINEDEBUG=e2e.WINE_ENVIRONMENT["WINEDEBUG"])
        with e2e.unwritable_folder(self.windows_folder()):
            program = self.start(exe)
            question = self.box(exe, QUESTION)
            self.inspector.click(question["hwnd"], "Yes")
            self.inspector.click(self.box(exe, None, seen={question["hwnd"]})["hwnd"], "OK")
            self.assertTrue(program.wait(EXIT_TIMEOUT), "still running after the failure was told")
        with open(program.log_path, encoding="utf-8", errors="replace") as log:
            elevated = [line for line in log
                        if "CreateProcessInternalW app" in line and line.rstrip().endswith(ELEVATED_SWITCH + '"')]
        self.assertEqual(len(elevated), 1, "the elevated run did not happen")

    def elevated_run_started_directly(self, exe):
        installed = os.path.join(self.windows_folder(), INSTALLED_NAME)
        with contextlib.suppress(FileNotFoundError):
            os.remove(installed)
        program = self.start(exe, ELEVATED_SWITCH)
        self.assertTrue(program.wait(BOX_TIMEOUT), "the elevated run did not end")
        self.assertEqual(program.exit_code, 0)
        self.assertTrue(os.path.isfile(installed), "the elevated run copied nothing")

    def saver_until_the_mouse_moves(self, exe):
        program = self.start(exe, "/s")
        self.assertIsNotNone(self.inspector.wait_for_window(e2e.SAVER_NAME, timeout=BOX_TIMEOUT), "no saver window")
        # The timers tick, the bands move, and the mouse counts from the first tick on.
        self.assertTrue(wait_for_bands_to_move(self.x_server.display, (0, 0) + self.SCREEN_SIZE), "no bands move")
        self.xdo.mousemove_relative(5, 5)
        self.assertTrue(program.wait(EXIT_TIMEOUT), "the saver did not end on the mouse")

    def test_no_planted_dll_is_ever_loaded(self):
        # The name the program runs under picks what it does: a downloaded .exe
        # installs, a .scr (a download renamed, as users install without
        # administrator rights) shows its settings or the saver.
        rows = [
            (self.settings_notice_answered_yes, e2e.SAVER_NAME),
            (self.install_with_an_unwritable_windows_folder, "frostlane1_install.exe"),
            (self.elevated_run_started_directly, "frostlane1_install.exe"),
            (self.saver_until_the_mouse_moves, e2e.SAVER_NAME),
        ]
        for row, file_name in rows:
            with self.subTest(row.__name__):
                exe = self.download(row.__name__, file_name)
                try:
                    row(exe)
                finally:
                    # Checked even when the row failed: a planted DLL may be why.
                    loads = recorded_loads(os.path.dirname(exe))
                    if loads:
                        self.fail("planted DLLs were loaded:\n" + loads)

if __name__ == "__main__":
    unittest.main()
