# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Harness for Frostlane's end-to-end tests: the real Windows program under
Wine, on a virtual X server, driven by keys and mouse and read back through
Win32 with our inspector (wininspect.exe).

Contract
- Every start_* function and every class here owns the processes it starts and
  ends them by their PID in close() (or on leaving its `with` block), also when
  a test fails. Nothing is ended by name.
- Times are seconds, screen positions are pixels. Windows coordinates come from
  the inspector; X coordinates go to xdotool. On one monitor they agree; on the
  three-monitor server Windows = X - 800 (the primary monitor is Windows' origin).
- Failures of the environment (no free display, a server that does not come up,
  a missing program) raise EnvironmentFailure; what a test checks is left to
  the test's own assertions.

Environment
- FROSTLANE_WINDOWS_BIN (required): folder with Frostlane1.exe and wininspect.exe.
- FROSTLANE_E2E_PREFIX_TEMPLATE: the Wine prefix made once per run
  (make_wine_prefix.py); default <work root>/wine-prefix-template.
- FROSTLANE_E2E_WORK: the folder under which each test gets its own work folder;
  default <temp>/frostlane-e2e. Keep it short: Windows paths into it, such as
  a download in a folder of a long name, must stay under 260 characters. It may
  lie on a file system that runs no programs (a /tmp mounted noexec): Wine
  reads a Windows program it cannot map as executable.
- FROSTLANE_TEST_SCRIPTS: the folder, in the build tree, where the tests write
  the Unix scripts they run (the fake browser); default build/test-scripts
  in the source tree.
"""

import contextlib
import ctypes
import inspect
import json
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
THREE_MONITOR_CONFIG = os.path.join(HERE, "xorg-three-monitors.conf")
XORG = "/usr/lib/xorg/Xorg"

PROGRAM_NAME = "Frostlane1.exe"
INSPECTOR_NAME = "wininspect.exe"
# The name Windows runs an installed screen saver under. The program treats a
# `<its name>.exe` beside itself as a downloaded installer, so the saver modes
# are always started through a copy with this name in a folder without it.
SAVER_NAME = "Frostlane1.scr"

POLL_INTERVAL = 0.02
# How long a test waits for what the program should do at once, before it calls
# it a failure. Waits poll and go on the moment their condition holds, so this
# only comes into play on a busy machine (two cores, two Wine sessions) or when
# the program is at fault. How fast the program is belongs to the benchmarks.
PATIENCE = 20.0
# When Wine manages a window (one with a caption, or full screen) and no window
# manager runs, destroying it waits this long for a withdrawal that never comes.
# The prefix template turns window management off, so the wait should not
# happen; PATIENCE still allows for it many times over, in any prefix.
WINE_WITHDRAW_DELAY = 2.0

WINE_ENVIRONMENT = {
    "WINEDEBUG": "-all",
    # With winedbg disabled a crash ends the program (exit code 5) instead of
    # hanging the test; with winemenubuilder disabled Wine writes nothing into $HOME.
    "WINEDLLOVERRIDES": "winedbg.exe,winemenubuilder.exe=d",
    # Wine takes its language and its file-name code page from the locale:
    # another language changes every button and error text the tests read, and
    # the C locale cannot name the Cyrillic, Japanese and emoji folders. C.UTF-8
    # is built into every glibc, so no locale needs generating.
    "LANG": "C.UTF-8",
    "LC_ALL": "C.UTF-8",
}


def wine_environment(**settings):
    """The environment every Wine of the tests runs in: the caller's, without
    any WINE* variable or locale setting of theirs (a WINEARCH, WINESERVER or
    LANGUAGE from the shell would change what Wine does), with
    WINE_ENVIRONMENT and then `settings` on top."""
    environment = {name: value for name, value in os.environ.items()
                   if not name.startswith("WINE") and not name.startswith("LC_") and name != "LANGUAGE"}
    environment.update(WINE_ENVIRONMENT, **settings)
    return environment


class EnvironmentFailure(RuntimeError):
    """The test machine could not provide what a test needs."""


def require_locale(name):
    """Wine in a locale that glibc lacks silently speaks US English."""
    listed = subprocess.run(["locale", "-a"], stdout=subprocess.PIPE, text=True).stdout.lower().split()
    if name.lower().replace("utf-8", "utf8") not in listed:
        raise EnvironmentFailure("the locale %s is not generated; run tools/install-deps.sh" % name)


# ---------------------------------------------------------------- locations

def windows_bin():
    folder = os.environ.get("FROSTLANE_WINDOWS_BIN")
    if not folder:
        raise EnvironmentFailure("FROSTLANE_WINDOWS_BIN is not set: point it at the folder holding "
                                 + PROGRAM_NAME + " and " + INSPECTOR_NAME)
    return folder


def product_identity():
    """The product's name, maker, site, version and installed file, as the build
    wrote them from CMakeLists.txt."""
    path = os.environ.get("FROSTLANE_IDENTITY")
    if not path:
        raise EnvironmentFailure("FROSTLANE_IDENTITY is not set: point it at the build's identity.json")
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def windows_binary(name):
    """The built Windows program `name`, from a copy under the work root. Wine
    runs programs through Windows paths, which stop at 260 characters; the
    build folder lies as deep as the checkout, the work root does not."""
    path = os.path.join(windows_bin(), name)
    if not os.path.isfile(path):
        raise EnvironmentFailure(path + " does not exist; build the Windows programs first")
    folder = os.path.join(work_root(), "bin")
    copy = os.path.join(folder, name)
    built = os.stat(path)
    with contextlib.suppress(FileNotFoundError):
        copied = os.stat(copy)
        if (copied.st_size, copied.st_mtime_ns) == (built.st_size, built.st_mtime_ns):
            return copy
    # Tests run side by side: each writes its own file and renames it into place.
    os.makedirs(folder, exist_ok=True)
    partial = "%s.%d" % (copy, os.getpid())
    shutil.copy2(path, partial)
    os.replace(partial, copy)
    return copy


def work_root():
    return os.environ.get("FROSTLANE_E2E_WORK") or os.path.join(tempfile.gettempdir(), "frostlane-e2e")


def scripts_root():
    return os.environ.get("FROSTLANE_TEST_SCRIPTS") or os.path.join(HERE, "..", "..", "build", "test-scripts")


def prefix_template():
    return os.environ.get("FROSTLANE_E2E_PREFIX_TEMPLATE") or os.path.join(work_root(), "wine-prefix-template")


def fresh_work_folder(name):
    """An empty folder for one test, replacing what an earlier run left there,
    including Wine processes of a run that was killed before it could clean up."""
    folder = os.path.join(work_root(), name)
    end_wine_processes_under(folder)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


def end_wine_processes_under(folder):
    """SIGKILLs, by PID, every process whose WINEPREFIX lies inside `folder`.
    Wine's services outlive a wineserver that was killed, so a test run ended
    by SIGKILL leaves them behind; only processes of our own prefixes match."""
    inside = os.path.join(os.path.abspath(folder), "").encode()
    for pid in processes_of_prefixes(lambda prefix: prefix.startswith(inside)):
        with contextlib.suppress(ProcessLookupError):
            os.kill(int(pid), signal.SIGKILL)


def processes_of_prefixes(matches):
    """The PIDs (as text) of the processes whose WINEPREFIX, in bytes, `matches`."""
    pids = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/environ" % pid, "rb") as environ:
                variables = environ.read().split(b"\0")
        except OSError:
            continue
        if any(v.startswith(b"WINEPREFIX=") and matches(v[len(b"WINEPREFIX="):]) for v in variables):
            pids.append(pid)
    return pids


@contextlib.contextmanager
def unwritable_folder(folder):
    """Nobody may create or remove files in `folder` until the block ends; it
    is writable again afterwards, whatever happened. A normal user loses the
    write permission; root ignores permissions, so for root the folder is made
    immutable instead (chattr, from e2fsprogs)."""
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i", folder], check=True)
        try:
            yield
        finally:
            subprocess.run(["chattr", "-i", folder], check=True)
    else:
        mode = os.stat(folder).st_mode
        os.chmod(folder, mode & ~0o222)
        try:
            yield
        finally:
            os.chmod(folder, mode)


# ---------------------------------------------------------------- processes

_PR_SET_PDEATHSIG = 1


def _own_session_dying_with_us():
    # Runs in the child before exec: its own session, so signals aimed at the
    # test's terminal leave it alone, and SIGTERM if the test process dies
    # without cleaning up (for example when CTest kills it on a timeout).
    os.setsid()
    ctypes.CDLL(None, use_errno=True).prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


def start_process(args, log_path, env=None, pass_fds=()):
    log = open(log_path, "ab")
    try:
        return subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=log, stderr=log, env=env,
                                pass_fds=pass_fds, preexec_fn=_own_session_dying_with_us)
    finally:
        log.close()


def stop_process(process, grace=3.0):
    """Ends one process we started, by its PID: SIGTERM, then SIGKILL after `grace`."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def _end_tests_cleanly_on_sigterm():
    # A run stopped with SIGTERM (by hand or by CI) becomes SystemExit, so
    # every finally block and class cleanup still ends the servers we started.
    # A SIGKILL (CTest's timeout) is covered by the children's death signal.
    def raise_exit(signum, frame):
        raise SystemExit(128 + signum)
    signal.signal(signal.SIGTERM, raise_exit)


_end_tests_cleanly_on_sigterm()


# ---------------------------------------------------------------- X servers

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


# ---------------------------------------------------------------- input

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


# ---------------------------------------------------------------- screenshots

def screenshot(display, path):
    """The whole root window as an RGB image, also kept at `path` for a person to look at."""
    run_checked(["import", "-window", "root", path], display, timeout=30.0)
    with Image.open(path) as image:
        return image.convert("RGB")


WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
# The bare desktop of every test's X server: a colour the program has no reason
# to draw, so any of it in a screenshot is desktop showing through.
DESKTOP = (58, 110, 165)


def color_fraction(image, color, box=None):
    """Share (0..1) of the pixels in `box` (left, top, right, bottom; default
    the whole image) that are exactly `color`."""
    return fraction_where(image, lambda value: value == color, box)


def fraction_where(image, test, box=None):
    """Share (0..1) of the pixels in `box` whose (r, g, b) passes `test`."""
    region = image.crop(box) if box else image
    total = region.width * region.height
    counts = region.getcolors(total)
    return sum(count for count, value in counts if test(value)) / total


def dominant_color(image, box=None):
    """The most common exact colour in `box` (default the whole image)."""
    region = image.crop(box) if box else image
    return max(region.getcolors(region.width * region.height))[1]


def grid_boxes(box, columns, rows):
    """Splits `box` into columns x rows cells, left to right, top to bottom."""
    left, top, right, bottom = box
    return [(left + (right - left) * c // columns, top + (bottom - top) * r // rows,
             left + (right - left) * (c + 1) // columns, top + (bottom - top) * (r + 1) // rows)
            for r in range(rows) for c in range(columns)]


class _XFixesCursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def pointer_position(display):
    """Where the pointer is, in X coordinates. Asks the root window alone: asking
    about the window under the pointer too, as xdotool's getmouselocation does,
    fails when the program destroys that window meanwhile."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise EnvironmentFailure("cannot open display " + display)
    # The root and child windows, the position on the root and in the child, the buttons.
    answers = [ctypes.c_ulong(), ctypes.c_ulong()] + [ctypes.c_int() for _ in range(4)] + [ctypes.c_uint()]
    try:
        xlib.XQueryPointer(connection, xlib.XDefaultRootWindow(connection), *map(ctypes.byref, answers))
    finally:
        xlib.XCloseDisplay(connection)
    return answers[2].value, answers[3].value


def pointer_opacity(display):
    """How many pixels of the pointer image X shows now are not fully
    transparent (0 for an invisible pointer). Screenshots never contain the
    pointer, so this asks the XFixes extension (libXfixes comes with Wine)."""
    xlib = ctypes.CDLL("libX11.so.6")
    xfixes = ctypes.CDLL("libXfixes.so.3")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_XFixesCursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise EnvironmentFailure("cannot open display " + display)
    try:
        image = xfixes.XFixesGetCursorImage(connection)
        if not image:
            raise EnvironmentFailure("XFixes gave no pointer image")
        try:
            cursor = image.contents
            # Each pixel is ARGB in the low 32 bits of an unsigned long.
            return sum(1 for i in range(cursor.width * cursor.height) if cursor.pixels[i] >> 24 & 0xFF)
        finally:
            xlib.XFree(image)
    finally:
        xlib.XCloseDisplay(connection)


# ---------------------------------------------------------------- window styles

WS_BORDER_STYLES = 0x00C00000 | 0x00040000  # WS_CAPTION (title bar and border) | WS_THICKFRAME


def is_borderless(window):
    """A window record from the inspector with no caption, border or sizing frame."""
    return window["style"] & WS_BORDER_STYLES == 0


# ---------------------------------------------------------------- the browser

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


# ---------------------------------------------------------------- Wine

def make_prefix_template(path):
    """Makes a Wine prefix at `path` with `wineboot -i`, replacing any old one.
    Built beside the target and renamed, so no test ever sees half a prefix."""
    building = path + ".building"
    end_wine_processes_under(building)
    shutil.rmtree(building, ignore_errors=True)
    env = wine_environment(WINEPREFIX=building)
    env.pop("DISPLAY", None)
    subprocess.run(["wineboot", "-i"], env=env, check=True, stdin=subprocess.DEVNULL, timeout=300)
    # No window manager runs in the tests, so Wine manages no window either:
    # otherwise closing any captioned or full-screen window waits
    # WINE_WITHDRAW_DELAY for a window manager that never answers.
    subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
                   env=env, check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=60)
    subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=60)
    shutil.rmtree(path, ignore_errors=True)
    os.rename(building, path)


def copy_prefix(template, destination):
    """A private copy of the template. Plain `cp -a`, never hard links: Wine
    rewrites files in place, which would write through to the template."""
    if not os.path.isdir(os.path.join(template, "drive_c")):
        raise EnvironmentFailure("no Wine prefix template at %s; run make_wine_prefix.py" % template)
    subprocess.run(["cp", "-a", template, destination], check=True, timeout=120)


class Program:
    """One Windows program started under Wine. The Unix process is the Windows
    process: it ends when the program ends."""

    def __init__(self, process, log_path):
        self.process = process
        self.log_path = log_path

    @property
    def running(self):
        return self.process.poll() is None

    @property
    def exit_code(self):
        """The program's exit code once it has ended, else None. Under Wine a
        crash ends with 5 (see WINE_ENVIRONMENT) and abort() with 3."""
        return self.process.poll()

    def wait(self, timeout):
        """True if the program ended within `timeout`."""
        try:
            self.process.wait(timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def close(self):
        # The program is ours alone, so SIGKILL is safe: wineserver removes its windows.
        if self.running:
            self.process.kill()
        self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Wine:
    """A Wine session: one prefix, one display, one persistent wineserver.
    Programs started here see the fake browser first on PATH."""

    def __init__(self, prefix, display, work, extra_path=None, locale=None):
        """`locale` (such as "de_DE.UTF-8") gives the session's Windows that
        display language; without it, the tests' own C.UTF-8 speaks US English."""
        self.prefix = prefix
        self.display = display
        self.work = work
        path = os.environ.get("PATH", "/usr/bin:/bin")
        if extra_path:
            path = extra_path + os.pathsep + path
        language = {}
        if locale:
            require_locale(locale)
            language = {"LANG": locale, "LC_ALL": locale}
        self.env = wine_environment(WINEPREFIX=prefix, DISPLAY=display, PATH=path, **language)
        self.server = None
        self.inspector = Inspector(self)
        self._programs = []
        self._started_count = 0

    def start_server(self):
        # Foreground (-f) so it is our child and dies with us; persistent (-p)
        # so each program starts in a tenth of a second instead of half a second.
        self.server = start_process(["wineserver", "-f", "-p"], os.path.join(self.work, "wineserver.log"),
                                    env=self.env)
        # The first program in a new prefix brings up explorer and the services
        # (about a second); do it now so the tests time only the program.
        self.inspector.list()

    def stop_server(self):
        for program in self._programs:
            program.close()
        self._programs = []
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30)
        if self.server:
            stop_process(self.server, grace=10.0)
            self.server = None

    def restart(self):
        """Needed after the X server's monitor layout changed: Wine reads it once."""
        self.stop_server()
        self.start_server()

    def set_dots_per_inch(self, dots_per_inch):
        """Gives the prefix the screen density of a Windows display scale (96 is
        100%, 144 is 150%) in LogPixels, and starts the session afresh, so every
        program, explorer included, reads it. DpiScalingVer stays unset: with it
        Wine 8 reads PerMonitorV2 from the manifest, rejects it and leaves the
        program unaware of the density."""
        self.stop_server()
        subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(dots_per_inch), "/f"], env=self.env, check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=60)
        self.start_server()

    def start(self, exe, *args):
        self._started_count += 1
        log_path = os.path.join(self.work, "program-%d.log" % self._started_count)
        program = Program(start_process(["wine", exe] + list(args), log_path, env=self.env), log_path)
        self._programs.append(program)
        return program

    def run(self, exe, *args, timeout=30.0):
        """Runs a console program to its end; returns its exit status and output."""
        result = self.run_capturing(exe, *args, timeout=timeout)
        return result.returncode, result.stdout

    def run_capturing(self, exe, *args, timeout=30.0):
        """Runs a console program to its end: a CompletedProcess with its exit
        status, output and error text. They go through files, not pipes: Wine's
        own services start with the first program and would hold a pipe open
        for their lifetime."""
        command = ["wine", exe] + list(args)
        with tempfile.TemporaryFile() as output, tempfile.TemporaryFile() as errors:
            process = subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL, stdout=output, stderr=errors)
            try:
                status = process.wait(timeout)
            finally:
                stop_process(process)
            output.seek(0)
            errors.seek(0)
            return subprocess.CompletedProcess(command, status, output.read().decode("utf-8", "replace"),
                                               errors.read().decode("utf-8", "replace"))


def resident_kilobytes(pid):
    """The resident memory of a Unix process (a Windows program under Wine is
    one), in kilobytes; None once it has ended."""
    try:
        with open("/proc/%d/status" % pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


# ---------------------------------------------------------------- inspector

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


# ---------------------------------------------------------------- test base

class WineDesktopTest(unittest.TestCase):
    """Gives each test class its own X server, Wine prefix copy, wineserver,
    fake browser and a copy of the program installed as a screen saver.
    Subclasses may override start_display() for another X server."""

    SCREEN_SIZE = (1280, 720)

    @classmethod
    def start_display(cls, work):
        return start_xvfb(work, *cls.SCREEN_SIZE)

    @classmethod
    def setUpClass(cls):
        resources = contextlib.ExitStack()
        cls.addClassCleanup(resources.close)
        test_file = os.path.splitext(os.path.basename(inspect.getfile(cls)))[0]
        cls.work = fresh_work_folder("%s.%s" % (test_file, cls.__name__))
        prefix = os.path.join(cls.work, "prefix")
        # The copy is large; it goes when the class ends, whatever happened.
        resources.callback(shutil.rmtree, prefix, ignore_errors=True)
        copy_prefix(prefix_template(), prefix)
        cls.x_server = resources.enter_context(cls.start_display(cls.work))
        cls.x_server.paint_desktop(DESKTOP)
        cls.xdo = Xdo(cls.x_server.display)
        cls.browser = FakeBrowser(cls.work)
        cls.wine = Wine(prefix, cls.x_server.display, cls.work, extra_path=cls.browser.bin_dir)
        resources.callback(cls.wine.stop_server)
        cls.wine.start_server()
        cls.inspector = cls.wine.inspector
        cls.saver = install_as_saver(cls.work)

    def setUp(self):
        self.browser.forget()

    def start_saver(self, *args):
        program = self.wine.start(self.saver, *args)
        self.addCleanup(program.close)
        return program

    @classmethod
    def screenshot(cls, name):
        """The screen now, also kept as <work>/<name>.png."""
        return screenshot(cls.x_server.display, os.path.join(cls.work, name + ".png"))


def install_as_saver(work):
    """Copies the program to <work>/saver/Frostlane1.scr, alone in its folder,
    the way Windows runs an installed screen saver."""
    folder = os.path.join(work, "saver")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, SAVER_NAME)
    shutil.copyfile(windows_binary(PROGRAM_NAME), path)
    return path


# ---------------------------------------------------------------- waiting

def poll(read, accept=bool, timeout=PATIENCE, interval=POLL_INTERVAL):
    """Calls `read` until `accept` takes what it returns, or until `timeout`
    seconds have passed; returns the last reading either way, for the test to
    judge. A loaded machine makes this slower, never wrong."""
    deadline = time.monotonic() + timeout
    while True:
        reading = read()
        if accept(reading) or time.monotonic() >= deadline:
            return reading
        time.sleep(interval)


def wait_until(condition, timeout=PATIENCE, interval=POLL_INTERVAL):
    """True as soon as `condition()` is true; False if it is still false after `timeout` seconds."""
    return bool(poll(condition, bool, timeout, interval))


def report_time(what, seconds):
    """Prints a time a test measured on its way: how fast the program was is
    for a person (and the benchmarks) to judge, not a reason to fail."""
    print("%s: %.2f s" % (what, seconds), flush=True)


def command_lines_of_prefix(prefix):
    """The command lines of the processes that run with this WINEPREFIX: the
    session's services, its programs, and what they start on the Unix side."""
    lines = []
    for pid in processes_of_prefixes(lambda value: value == prefix.encode()):
        with contextlib.suppress(OSError), open("/proc/%s/cmdline" % pid, "rb") as cmdline:
            lines.append(cmdline.read().replace(b"\0", b" ").decode("utf-8", "replace"))
    return lines


def wait_for_browser_hand_off(wine, browser, timeout=PATIENCE):
    """True once no URL is on its way from the Wine session to the fake
    browser. A program's ShellExecuteEx has started winebrowser before it
    returns, winebrowser starts xdg-open, and xdg-open writes its line before it
    ends: with none of them running, every URL asked for is in the log."""
    def in_flight():
        return [line for line in command_lines_of_prefix(wine.env["WINEPREFIX"])
                if "winebrowser" in line.lower() or browser.bin_dir in line]
    return wait_until(lambda: not in_flight(), timeout)
