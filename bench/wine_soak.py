# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The saver over a long run under Wine: does anything it holds keep growing?

Runs `Frostlane1.scr /s` (copied alone into a folder of its own) on a private
Xvfb screen and Wine prefix for --minutes, and samples every --interval seconds
the resident memory of the saver's Wine process and the GDI and USER objects
the saver holds, read by the end-to-end tests' inspector (wininspect.exe).
Wine does not implement GetGuiResources; there the inspector counts the
process's GDI handle table and its windows instead, and each line says which.
Goal: after the first minute no figure grows by more than 1%.

usage: /usr/bin/python3 bench/wine_soak.py --windows-bin build/windows/bin
       [--minutes 10] [--interval 30] [--size 1920x1080] [--work FOLDER]
       [--prefix-template PREFIX]
Run by hand, never in CI (CTest's e2e.test_soak is the one-minute version);
see bench/README.md.
"""

import argparse
import os
import shutil
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))

import e2e  # noqa: E402
import soak  # noqa: E402

GOAL_GROWTH = 0.01
SETTLE_SECONDS = 60.0


def parse_size(text):
    width, _, height = text.partition("x")
    if not (width.isdigit() and height.isdigit() and int(width) > 0 and int(height) > 0):
        raise argparse.ArgumentTypeError("not WxH: %r" % text)
    return int(width), int(height)


def verdict(samples):
    """Lines judging each figure against the goal, and whether all met it."""
    lines, met = [], True
    for figure in soak.FIGURES:
        settled, highest = soak.growth_after(samples, SETTLE_SECONDS, figure)
        if settled is None:
            return ["the run was shorter than %g s: nothing to judge" % SETTLE_SECONDS], False
        base = settled[figure]
        growth = (highest - base) / base if base else (0.0 if highest == base else float("inf"))
        ok = growth <= GOAL_GROWTH
        met = met and ok
        lines.append("%-6s at %3.0f s %8d, highest after %8d: %+.2f%% (goal <= +%.0f%%) %s" % (
            figure, settled["seconds"], base, highest, 100 * growth, 100 * GOAL_GROWTH, "met" if ok else "NOT met"))
    return lines, met


def run(arguments):
    os.environ["FROSTLANE_WINDOWS_BIN"] = os.path.abspath(arguments.windows_bin)
    for name in (e2e.PROGRAM_NAME, e2e.INSPECTOR_NAME):
        e2e.windows_binary(name)  # fails early, and clearly, when one is missing
    work = os.path.abspath(arguments.work or tempfile.mkdtemp(prefix="frostlane-soak-"))
    os.makedirs(work, exist_ok=True)
    prefix = os.path.join(work, "prefix")
    try:
        if arguments.prefix_template:
            e2e.copy_prefix(arguments.prefix_template, prefix)
        else:
            e2e.make_prefix_template(prefix)
        width, height = arguments.size
        with e2e.start_xvfb(work, width, height) as x_server:
            x_server.paint_desktop(e2e.DESKTOP)
            wine = e2e.Wine(prefix, x_server.display, work)
            try:
                wine.start_server()
                with wine.start(e2e.install_as_saver(work), "/s") as program:
                    window = wine.inspector.wait_for_window(e2e.SAVER_NAME)
                    if window is None:
                        raise e2e.EnvironmentFailure("the saver showed no window; see %s" % program.log_path)
                    print("Soak of the saver at %dx%d for %g min, a sample every %g s; work folder %s" % (
                        width, height, arguments.minutes, arguments.interval, work))
                    samples = soak.run(wine, program, window["pid"], arguments.minutes * 60, arguments.interval,
                                       report=lambda reading: print(soak.describe(reading), flush=True))
                    if not program.running:
                        print("the saver ended during the run (status %s)" % program.exit_code)
                        return 1
            finally:
                wine.stop_server()
        lines, met = verdict(samples)
        for line in lines:
            print(line)
        return 0 if met else 1
    finally:
        shutil.rmtree(prefix, ignore_errors=True)
        if not arguments.work:
            shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--windows-bin", required=True, help="the Windows build's bin folder")
    parser.add_argument("--minutes", type=float, default=10.0, help="length of the run")
    parser.add_argument("--interval", type=float, default=30.0, help="seconds between two samples")
    parser.add_argument("--size", type=parse_size, default=(1920, 1080), help="the X screen, WxH")
    parser.add_argument("--work", help="a folder to work and keep logs in (default: a temporary one, removed)")
    parser.add_argument("--prefix-template", help="copy this Wine prefix instead of making one (saves ~10 s)")
    arguments = parser.parse_args()
    try:
        return run(arguments)
    except (e2e.EnvironmentFailure, LookupError) as failure:
        print("wine_soak: %s" % failure, file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
