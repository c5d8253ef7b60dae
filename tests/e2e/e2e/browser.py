# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""A stand-in for the desktop's browser, which records the URLs Wine hands it."""

import contextlib
import os
import shutil
import time

from .places import scripts_root
from .processes import PATIENCE, POLL_INTERVAL, command_lines_of_prefix, wait_until


class FakeBrowser:
    """An `xdg-open` first on PATH that appends its arguments, one call a line,
    to a file in the test's work folder. Wine's winebrowser hands URLs to it, as
    it does on a desktop. The script itself lives under scripts_root(), in a
    folder named as the work folder, since the work root may run no programs."""

    def __init__(self, work):
        self.bin_dir = os.path.join(os.path.abspath(scripts_root()), os.path.basename(work), "fake-bin")
        self.log_path = os.path.join(work, "xdg-open.log")
        shutil.rmtree(self.bin_dir, ignore_errors=True)
        os.makedirs(self.bin_dir)
        script = os.path.join(self.bin_dir, "xdg-open")
        with open(script, "w") as out:
            out.write("#!/bin/sh\nprintf '%%s\\n' \"$*\" >> '%s'\n" % self.log_path.replace("'", "'\\''"))
        os.chmod(script, 0o755)

    def calls(self):
        try:
            with open(self.log_path) as log:
                return log.read().splitlines()
        except FileNotFoundError:
            return []

    def forget(self):
        with contextlib.suppress(FileNotFoundError):
            os.remove(self.log_path)

    def wait_for_calls(self, count, timeout):
        deadline = time.monotonic() + timeout
        while len(self.calls()) < count and time.monotonic() < deadline:
            time.sleep(POLL_INTERVAL)
        return self.calls()


def wait_for_browser_hand_off(wine, browser, timeout=PATIENCE):
    """True once no URL is on its way from the Wine session to the fake
    browser. A program's ShellExecuteEx has started winebrowser before it
    returns, winebrowser starts xdg-open, and xdg-open writes its line before it
    ends: with none of them running, every URL asked for is in the log."""
    def in_flight():
        return [line for line in command_lines_of_prefix(wine.env["WINEPREFIX"])
                if "winebrowser" in line.lower() or browser.bin_dir in line]
    return wait_until(lambda: not in_flight(), timeout)
