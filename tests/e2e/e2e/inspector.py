# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The client of our inspector, wininspect.exe, which reads windows, dialogs
and monitors through Win32 and tells windows what Windows would."""

import json
import time

from .places import INSPECTOR_NAME, windows_binary
from .processes import PATIENCE, POLL_INTERVAL


WS_BORDER_STYLES = 0x00C00000 | 0x00040000  # WS_CAPTION (title bar and border) | WS_THICKFRAME


def is_borderless(window):
    """A window record from the inspector with no caption, border or sizing frame."""
    return window["style"] & WS_BORDER_STYLES == 0


class Inspector:
    """wininspect.exe inside a Wine session. Window records are dicts with hwnd,
    pid, exe, class, title, rect [l, t, r, b] (Windows coordinates), style,
    exstyle, topmost, toolwindow, appwindow, owner and xid (the X window)."""

    def __init__(self, wine):
        self.wine = wine

    def _ask(self, *args):
        result = self.wine.run_capturing(windows_binary(INSPECTOR_NAME), *[str(arg) for arg in args])
        records = [json.loads(line) for line in result.stdout.splitlines() if line.startswith("{")]
        if result.returncode != 0:
            raise LookupError("wininspect %s exited with %d: %s %s" % (" ".join(map(str, args)), result.returncode,
                                                                       records or result.stdout, result.stderr))
        return records

    def list(self):
        return self._ask("list")

    def dialog(self, hwnd):
        """caption, texts (the Statics' texts), icon (bool), buttons [{id, text, visible}]."""
        return self._ask("dialog", hwnd)[0]

    def click(self, hwnd, button):
        """Presses a button of a dialog by id or by text ("Yes" matches "&Yes")."""
        return self._ask("click", hwnd, button)[0]["clicked"]

    def cursor(self):
        position = self._ask("cursor")[0]
        return position["x"], position["y"]

    def monitors(self):
        return self._ask("monitors")

    def resources(self, pid):
        """The GDI and USER objects the Windows process `pid` holds: gdi, user,
        and gdi_source / user_source, which say how each was counted
        ("GetGuiResources" on Windows; under Wine, which does not implement it,
        "handle table" and "windows")."""
        return self._ask("resources", pid)[0]

    def display_power(self, hwnd, value):
        """Tells the window, as Windows would, that the console's display is now
        `value`: 0 off, 1 on, 2 dimmed."""
        return self._ask("power", hwnd, value)[0]["answer"]

    def session_change(self, hwnd, event):
        """Tells the window of a change to its own session (3 remote connect, 4 disconnect, 7 lock)."""
        return self._ask("session", hwnd, event)[0]["answered"]

    def windows_of(self, exe_name):
        return [w for w in self.list() if w["exe"].lower() == exe_name.lower()]

    def wait_for_window(self, exe_name, title=None, timeout=PATIENCE):
        """The first visible window of the program (with this exact title, if
        given) to appear within `timeout`, or None."""
        deadline = time.monotonic() + timeout
        while True:
            for window in self.windows_of(exe_name):
                if title is None or window["title"] == title:
                    return window
            if time.monotonic() >= deadline:
                return None
            time.sleep(POLL_INTERVAL)

    def wait_for_no_window(self, exe_name, timeout):
        """True once the program shows no window, within `timeout`."""
        deadline = time.monotonic() + timeout
        while self.windows_of(exe_name):
            if time.monotonic() >= deadline:
                return False
            time.sleep(POLL_INTERVAL)
        return True
