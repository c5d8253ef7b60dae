# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Virtual X servers, their monitor layouts, xdotool, and screenshots."""

import os
import select
import subprocess
import time

from PIL import Image

from .places import HERE
from .processes import EnvironmentFailure, PATIENCE, POLL_INTERVAL, start_process, stop_process, wait_until


THREE_MONITOR_CONFIG = os.path.join(HERE, "xorg-three-monitors.conf")
XORG = "/usr/lib/xorg/Xorg"


class XServer:
    """A running X server on `display` (":N"). close() stops it by its PID."""

    def __init__(self, process, display, log_path):
        self.process = process
        self.display = display
        self.log_path = log_path

    def paint_desktop(self, color):
        """Fills the bare desktop (the root window) with `color` (r, g, b), so a
        screenshot tells uncovered desktop apart from anything a program draws."""
        run_checked(["xsetroot", "-solid", "#%02x%02x%02x" % color], self.display)

    def close(self):
        stop_process(self.process)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def _display_candidates():
    # Spread parallel test processes over the range so they rarely try the
    # same number; the X server's own lock settles the rare collision.
    first = 100 + os.getpid() % 400
    return [first + offset for offset in range(60)]


def _start_x_server(command_for_display, log_path, ready_timeout=PATIENCE):
    """Starts an X server on the first free display. `command_for_display(n)`
    builds the command line; the server reports readiness through -displayfd."""
    for number in _display_candidates():
        if os.path.exists("/tmp/.X%d-lock" % number):
            continue
        read_end, write_end = os.pipe()
        try:
            process = start_process(command_for_display(number) + ["-displayfd", str(write_end)],
                                    log_path, pass_fds=(write_end,))
        finally:
            os.close(write_end)
        try:
            answer = _read_with_timeout(read_end, ready_timeout)
        finally:
            os.close(read_end)
        if answer.strip() == str(number).encode():
            return XServer(process, ":%d" % number, log_path)
        # The display was taken (or the server failed): the server has ended or is ended here.
        stop_process(process)
    raise EnvironmentFailure("no X server could be started; see " + log_path)


def _read_with_timeout(fd, timeout):
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        remaining = deadline - time.monotonic()
        if remaining <= 0 or not select.select([fd], [], [], remaining)[0]:
            return data
        chunk = os.read(fd, 64)
        if not chunk:
            return data
        data += chunk
    return data


def start_xvfb(work, width, height):
    """One monitor of width x height, 24-bit."""
    log_path = os.path.join(work, "xvfb.log")
    return _start_x_server(
        lambda n: ["Xvfb", ":%d" % n, "-screen", "0", "%dx%dx24" % (width, height), "-nolisten", "tcp",
                   "-noreset"],
        log_path)


def start_xorg_three_monitors(work):
    """Xorg with the dummy driver: left 800x600 | primary 1280x720 | right 1024x768
    (outputs DUMMY2, DUMMY0, DUMMY1; see xorg-three-monitors.conf)."""
    log_path = os.path.join(work, "xorg.log")
    return _start_x_server(
        lambda n: [XORG, ":%d" % n, "-config", THREE_MONITOR_CONFIG, "-logfile", log_path, "-nolisten", "tcp",
                   "-noreset"],
        os.path.join(work, "xorg.out"))


# Another layout of the three-monitor server: two monitors, the primary on the
# right. Windows then sees the primary at (0,0)-(1280,720) and the other at
# (-1024,0)-(0,768).
TWO_MONITORS_PRIMARY_RIGHT = [("DUMMY0", "1280x720", 1024, 0), ("DUMMY1", "1024x768", 0, 0)]


def lay_out_outputs(display, outputs):
    """Re-lays the RandR outputs: `outputs` is a list of (name, "WxH", x, y) in X
    coordinates, the first one primary; every other connected output is turned
    off. Wine reads the layout when its server starts: restart the Wine session after."""
    connected = [line.split()[0] for line in
                 run_checked(["xrandr", "--query"], display).splitlines() if " connected" in line]
    command = ["xrandr"]
    for index, (name, mode, x, y) in enumerate(outputs):
        command += ["--output", name, "--mode", mode, "--pos", "%dx%d" % (x, y)]
        if index == 0:
            command.append("--primary")
    listed = {name for name, _, _, _ in outputs}
    for name in connected:
        if name not in listed:
            command += ["--output", name, "--off"]
    run_checked(command, display)


def run_checked(command, display, timeout=PATIENCE):
    result = subprocess.run(command, env=dict(os.environ, DISPLAY=display), capture_output=True, text=True,
                            timeout=timeout)
    if result.returncode != 0:
        raise EnvironmentFailure("%s failed: %s" % (" ".join(command), result.stderr.strip()))
    return result.stdout


class Xdo:
    """xdotool on one display. Positions are X coordinates."""

    def __init__(self, display):
        self.display = display

    def run(self, *args):
        return run_checked(["xdotool"] + [str(arg) for arg in args], self.display)

    def mousemove(self, x, y):
        self.run("mousemove", x, y)

    def mousemove_relative(self, dx, dy):
        # "--" so that a negative step is not read as an option.
        self.run("mousemove_relative", "--", dx, dy)

    def key(self, *keys):
        self.run("key", *keys)

    def windowfocus(self, xid):
        # Without a window manager keys go to the window under the pointer
        # unless a window has the focus; --sync waits until it has it. Win32
        # calls a window visible a moment before X has mapped it, and X gives
        # no focus to an unmapped window.
        if not wait_until(lambda: x_window_viewable(self.display, xid)):
            raise EnvironmentFailure("X never showed the window %s" % xid)
        self.run("windowfocus", "--sync", xid)


def x_window_viewable(display, xid):
    """True while X shows the window `xid` (mapped, on screen). Asks X directly,
    in milliseconds, where the inspector needs a Wine process each time."""
    result = subprocess.run(["xwininfo", "-id", str(xid)], env=dict(os.environ, DISPLAY=display),
                            capture_output=True, text=True, timeout=PATIENCE)
    return result.returncode == 0 and "Map State: IsViewable" in result.stdout


def wait_for_x_windows_gone(display, xids, timeout):
    """True once none of the X windows `xids` is on screen, within `timeout`.
    This is what a person sees; the Win32 window may still be tearing down."""
    deadline = time.monotonic() + timeout
    while any(x_window_viewable(display, xid) for xid in xids):
        if time.monotonic() >= deadline:
            return False
        time.sleep(POLL_INTERVAL)
    return True


def screenshot(display, path):
    """The whole root window as an RGB image, also kept at `path` for a person to look at."""
    run_checked(["import", "-window", "root", path], display, timeout=30.0)
    with Image.open(path) as image:
        return image.convert("RGB")
