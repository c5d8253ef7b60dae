# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver under Wine at the screen densities of Windows' display scales:
its CPU and its start-up time, at 1920x1080 at 96 and 144 dpi and at 3840x2160
at 96 and 192 dpi, in one command.

For each configuration, on a private Xvfb screen of that size and one private
Wine prefix whose LogPixels is set to the density (the Wine session started
afresh, so every program reads it):
- start-up: `Frostlane1.scr /s` is started once untimed, then `--startups`
  times; each time, the time from starting it to the first full frame on the
  screen, that is until rows sampled down the whole screen show no desktop
  colour and no unpainted black, and bands of pictures show on at least a
  quarter of them. The median is reported.
- CPU: the reference fullframe.exe (a full frame presented every 10 ms at the
  screen's size) and then the saver, each for `--seconds` after a warm-up,
  measured as bench/wine_cpu.py measures (every process of the prefix plus the
  X server, over the wall time).
Each line carries the machine's load average as it was measured: other work on
the machine raises the figures, so compare figures of one run only, and rerun
on a quiet machine for figures to keep.

Goals, judged after the table: at 1920x1080, 144 dpi costs at most 1.6 times
the saver's CPU at 96 dpi (the cost grows with the pixels that move); at 96 dpi
the saver's share of the reference stays within bench/wine_cpu.py's goal.

usage: /usr/bin/python3 bench/wine_dpi.py --windows-bin build/windows/bin
       [--seconds 20] [--startups 3] [--work FOLDER] [--prefix-template PREFIX] [--keep]
Run by hand, never in CI; see bench/README.md.
"""

import argparse
import ctypes
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import wine_cpu
from wine_cpu import e2e

CONFIGURATIONS = [("1920x1080", 96), ("1920x1080", 144), ("3840x2160", 96), ("3840x2160", 192)]
# Of the same screen size, the density measured against its 96-dpi run.
SCALED_GOAL = 1.6
SAMPLED_ROWS = 48
START_TIMEOUT = 20.0
POLL_INTERVAL = 0.005


def load():
    return "load %.2f %.2f %.2f" % os.getloadavg()


class _XImage(ctypes.Structure):
    # The head of Xlib's XImage, up to the pixel data.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte))]


class RowSampler:
    """Reads rows spread down the X root window, a row at a time: a few
    milliseconds for all of them, where a whole 3840x2160 grab takes far longer."""

    def __init__(self, display, width, height):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise wine_cpu.Failure("cannot open display %s" % display)
        self.root = self.x11.XDefaultRootWindow(self.display)
        self.width = width
        self.rows = [height * (2 * i + 1) // (2 * SAMPLED_ROWS) for i in range(SAMPLED_ROWS)]

    def row(self, y):
        """The row's pixels as 0x00RRGGBB values (the 24-bit screen keeps 32 bits a pixel)."""
        z_pixmap, all_planes = 2, 0xFFFFFFFF
        image = self.x11.XGetImage(self.display, self.root, 0, y, self.width, 1, all_planes, z_pixmap)
        if not image:
            raise wine_cpu.Failure("XGetImage failed")
        try:
            data = ctypes.string_at(image.contents.data, 4 * self.width)
        finally:
            self.x11.XFree(ctypes.cast(image.contents.data, ctypes.c_void_p))
            self.x11.XFree(ctypes.cast(image, ctypes.c_void_p))
        return [value & 0xFFFFFF for value in memoryview(data).cast("I")]

    def full_frame(self):
        """True when the sampled rows show the saver's whole first frame: no
        desktop, no unpainted black row, and bands on a quarter of the rows."""
        desktop = e2e.DESKTOP[0] << 16 | e2e.DESKTOP[1] << 8 | e2e.DESKTOP[2]
        inked = 0
        for y in self.rows:
            pixels = self.row(y)
            if desktop in pixels or not any(pixels):
                return False
            inked += any(value != 0xFFFFFF for value in pixels)
        return inked * 4 >= len(self.rows)

    def close(self):
        self.x11.XCloseDisplay(self.display)


def set_density(env, dots_per_inch, work):
    """LogPixels of the prefix, written with no wineserver running."""
    with open(os.path.join(work, "reg.log"), "ab") as log:
        subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(dots_per_inch), "/f"], env=env, stdout=log, stderr=subprocess.STDOUT, check=True,
                       timeout=120)
    subprocess.run(["wineserver", "-w"], env=env, timeout=120)


def time_start_up(saver, env, sampler, x_display, work, number):
    """Seconds from starting the saver to its first full frame on the screen."""
    subprocess.run(["xsetroot", "-solid", "#%02x%02x%02x" % e2e.DESKTOP], env=dict(env, DISPLAY=x_display), check=True)
    log = open(os.path.join(work, "start-%d.log" % number), "wb")
    started = time.monotonic()
    program = subprocess.Popen(["wine", saver, "/s"], env=env, stdin=subprocess.DEVNULL, stdout=log,
                               stderr=subprocess.STDOUT)
    try:
        while time.monotonic() - started < START_TIMEOUT:
            if sampler.full_frame():
                return time.monotonic() - started
            if program.poll() is not None:
                raise wine_cpu.Failure("the saver ended while starting (status %s)" % program.returncode)
            time.sleep(POLL_INTERVAL)
        raise wine_cpu.Failure("no full frame within %g s" % START_TIMEOUT)
    finally:
        if program.poll() is None:
            program.kill()
        program.wait()
        log.close()
        # The next start must find the desktop bare again.
        time.sleep(0.5)


def measure_configuration(size, dots_per_inch, arguments, paths, x_server, display, results):
    env = e2e.wine_environment(WINEPREFIX=paths["prefix"], DISPLAY=display)
    set_density(env, dots_per_inch, paths["work"])
    wineserver = subprocess.Popen(["wineserver", "-f", "-p"], env=env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
    try:
        time.sleep(0.5)
        # Wine's explorer and services come up with the first program; not counted.
        subprocess.run(["wine", "cmd", "/c", "exit"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120)
        width, height = (int(v) for v in size.split("x"))
        sampler = RowSampler(display, width, height)
        try:
            # The first start of a session also loads the program's file and Wine's
            # libraries from the disk: it is left out.
            time_start_up(paths["saver"], env, sampler, display, paths["work"], 0)
            starts = [time_start_up(paths["saver"], env, sampler, display, paths["work"], number)
                      for number in range(1, arguments.startups + 1)]
        finally:
            sampler.close()
        start_up = statistics.median(starts)
        print("%s at %d dpi: start to first full frame %.0f ms (median of %s ms; %s)"
              % (size, dots_per_inch, 1000 * start_up, ", ".join("%.0f" % (1000 * s) for s in starts), load()),
              flush=True)
        name = "%s-%d" % (size, dots_per_inch)
        reference, reference_parts = wine_cpu.measure(
            "fullframe-" + name, ["wine", paths["reference"], "%g" % (arguments.seconds + wine_cpu.WARM_UP_SECONDS + 10)],
            env, paths["prefix"], x_server, arguments.seconds, paths["work"])
        load_reference = load()
        saver, saver_parts = wine_cpu.measure("saver-" + name, ["wine", paths["saver"], "/s"], env, paths["prefix"],
                                              x_server, arguments.seconds, paths["work"])
        print("%s at %d dpi: reference %s; %s" % (size, dots_per_inch, wine_cpu.describe(reference, reference_parts),
                                                 load_reference), flush=True)
        print("%s at %d dpi: saver %s; %s" % (size, dots_per_inch, wine_cpu.describe(saver, saver_parts), load()),
              flush=True)
        results[(size, dots_per_inch)] = (start_up, reference, saver)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        e2e.stop_process(wineserver, grace=10.0)


def summarise(results):
    """The table of every configuration, then each goal judged."""
    print()
    print("%-10s %4s %10s %10s %10s %8s %10s %10s" % ("screen", "dpi", "start ms", "vs 96 dpi", "reference", "saver",
                                                      "saver/ref", "vs 96 dpi"))
    for size, dots_per_inch in CONFIGURATIONS:
        if (size, dots_per_inch) not in results:
            continue
        start_up, reference, saver = results[(size, dots_per_inch)]
        base = results.get((size, 96)) if dots_per_inch != 96 else None
        print("%-10s %4d %10.0f %10s %9.1f%% %7.1f%% %10.3f %10s"
              % (size, dots_per_inch, 1000 * start_up, "%.2f" % (start_up / base[0]) if base else "-",
                 100 * reference, 100 * saver, saver / reference if reference > 0 else float("inf"),
                 "%.2f" % (saver / base[2]) if base and base[2] > 0 else "-"))
    print()
    for size, dots_per_inch in CONFIGURATIONS:
        base = results.get((size, 96))
        if dots_per_inch == 96 or not base or (size, dots_per_inch) not in results or base[2] <= 0:
            continue
        ratio = results[(size, dots_per_inch)][2] / base[2]
        verdict = "goal <= %.1f: %s" % (SCALED_GOAL, "met" if ratio <= SCALED_GOAL else "NOT met") \
            if dots_per_inch == 144 else "no goal set"
        print("%s: the saver at %d dpi costs %.2f times its CPU at 96 dpi; its bands move %.2f times the pixels "
              "(%s)" % (size, dots_per_inch, ratio, dots_per_inch / 96, verdict))
    if ("1920x1080", 96) in results:
        _, reference, saver = results[("1920x1080", 96)]
        ratio = saver / reference if reference > 0 else float("inf")
        print("1920x1080 at 96 dpi: saver / reference = %.3f (bench/wine_cpu.py's goal <= %.1f: %s)"
              % (ratio, wine_cpu.GOAL, "met" if ratio <= wine_cpu.GOAL else "NOT met"))
    print("(bench/wine_cpu.py's goal is set at 1920x1080; saver/ref at 3840x2160 is for comparison only.)")


def run(arguments):
    windows_bin = os.path.abspath(arguments.windows_bin)
    for name in ("Frostlane1.exe", "fullframe.exe"):
        if not os.path.isfile(os.path.join(windows_bin, name)):
            raise wine_cpu.Failure("%s is not in %s: build the Windows program first" % (name, windows_bin))
    work = os.path.abspath(arguments.work or tempfile.mkdtemp(prefix="frostlane-dpi-"))
    os.makedirs(work, exist_ok=True)
    paths = {"work": work, "prefix": os.path.join(work, "prefix"),
             "saver": os.path.join(work, "saver", "Frostlane1.scr"),
             "reference": os.path.join(windows_bin, "fullframe.exe")}
    # The saver alone in its folder, under the name Windows runs screen savers by.
    os.makedirs(os.path.dirname(paths["saver"]), exist_ok=True)
    shutil.copyfile(os.path.join(windows_bin, "Frostlane1.exe"), paths["saver"])
    print("Wine at 1920x1080 (96, 144 dpi) and 3840x2160 (96, 192 dpi): %d start-ups, then %g s of CPU after %g s "
          "of warm-up per program; work folder %s; %s" % (arguments.startups, arguments.seconds,
                                                          wine_cpu.WARM_UP_SECONDS, work, load()), flush=True)
    results = {}
    prefix_made = False
    try:
        for size in dict.fromkeys(size for size, _ in CONFIGURATIONS):
            x_server = wine_cpu.start_x_server(size, work)
            display = x_server.display
            try:
                if not prefix_made:
                    wine_cpu.make_prefix(paths["prefix"], arguments.prefix_template)
                    prefix_made = True
                for configuration_size, dots_per_inch in CONFIGURATIONS:
                    if configuration_size == size:
                        measure_configuration(size, dots_per_inch, arguments, paths, x_server, display, results)
            finally:
                x_server.close()
        summarise(results)
        return 0
    finally:
        if not arguments.keep and not arguments.work:
            shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--windows-bin", required=True, help="the Windows build's bin folder")
    parser.add_argument("--seconds", type=float, default=20.0, help="measured seconds of CPU per program and configuration")
    parser.add_argument("--startups", type=int, default=5, help="start-ups timed per configuration; the median is reported")
    parser.add_argument("--work", help="a folder to work and keep logs in (default: a temporary one, removed)")
    parser.add_argument("--prefix-template", help="copy this Wine prefix instead of making one (saves ~10 s)")
    parser.add_argument("--keep", action="store_true", help="keep the temporary work folder")
    try:
        return run(parser.parse_args())
    except (wine_cpu.Failure, e2e.EnvironmentFailure) as failure:
        print("wine_dpi: %s" % failure, file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
