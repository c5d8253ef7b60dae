# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The CPU the saver costs under Wine, against a yardstick measured in the same run.

Runs, on a private Xvfb screen and Wine prefix, first the reference program
fullframe.exe (a full frame presented every 10 ms) and then the saver
(`Frostlane1.scr /s`, copied alone into a folder of its own), each for the same
number of seconds after a warm-up; then, in the same run of the saver, it
measures it for as long again after each of these, told as Windows tells them
(through the end-to-end tests' inspector, since Wine never does): the display
off; the display on and the session disconnected; the session connected again
as a remote session with a virtual graphics card (another session holds the
machine's graphics). Last it starts the saver again with the user's animations
turned off and measures it standing still: a running program under Wine keeps
the setting it read first, though Windows would tell it of the change. The CPU of a run is the user +
system time of every process of our Wine prefix (the program, wineserver,
explorer, the services) plus the X server's, divided by the wall time. Runs of
the same thing vary by about 15%, so only ratios of one run mean much.

usage: /usr/bin/python3 bench/wine_cpu.py --windows-bin build/windows/bin
       [--seconds 20] [--size 1920x1080] [--rounds 3] [--work FOLDER]
       [--prefix-template PREFIX] [--keep]
Run by hand, never in CI; see bench/README.md.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

# The end-to-end tests' harness: the same Wine environment (the caller's WINE*
# and locale settings left out), X server and prefix as the tests.
import e2e  # noqa: E402

WARM_UP_SECONDS = 3.0
# After the display is told off: the last frames and the inspector's own run end.
SETTLE_SECONDS = 1.0
GOAL = 0.5
# Goals as shares of the saver running at the console, by what was told.
PHASE_GOALS = [("display off", 0.1), ("disconnected", 0.1), ("remote", 0.5), ("animations off", 0.1)]
GLASS_KEY = r"HKLM\SYSTEM\CurrentControlSet\Control\Terminal Server"
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")



class Failure(RuntimeError):
    """The machine could not give what the measurement needs."""


def cpu_ticks(pid):
    """utime + stime of a process in clock ticks; None once it is gone."""
    try:
        with open("/proc/%d/stat" % pid) as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    # After the command's closing parenthesis, field 3 is the state; utime and
    # stime are fields 14 and 15 of the whole line.
    return int(fields[11]) + int(fields[12])


def prefix_processes(prefix):
    """PIDs of every process started with WINEPREFIX=prefix."""
    marker = b"WINEPREFIX=" + os.fsencode(prefix) + b"\0"
    pids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/environ" % entry, "rb") as environ:
                if marker in environ.read() + b"\0":
                    pids.append(int(entry))
        except OSError:
            continue
    return pids


def process_name(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
            first = cmdline.read().split(b"\0")[0].decode("utf-8", "replace")
    except OSError:
        return "?"
    return first.replace("\\", "/").rsplit("/", 1)[-1] or "?"


def snapshot(prefix, x_server_pid):
    """CPU ticks and name of every process that counts, by PID."""
    processes = {}
    for pid in prefix_processes(prefix) + [x_server_pid]:
        value = cpu_ticks(pid)
        if value is not None:
            processes[pid] = (value, process_name(pid))
    return processes


def cpu_shares(before, after, seconds):
    """Share of one core used between two snapshots, in total and by process
    name. A process that appeared in between counts whole; one that ended in
    between is lost (none should)."""
    by_name = {}
    for pid, (ticks, name) in after.items():
        used = (ticks - before.get(pid, (0, name))[0]) / CLOCK_TICKS / seconds
        by_name[name] = by_name.get(name, 0.0) + used
    return sum(by_name.values()), by_name


def describe(total, by_name):
    parts = ["%s %.1f%%" % (name, 100 * share) for name, share in sorted(by_name.items(), key=lambda e: -e[1])
             if share >= 0.001]
    return "%.1f%% of a core (%s)" % (100 * total, ", ".join(parts))


def start_x_server(size, work):
    """A private Xvfb screen of `size` ("WxH"), started as the end-to-end tests start theirs."""
    width, height = (int(value) for value in size.split("x"))
    return e2e.start_xvfb(work, width, height)


def make_prefix(prefix, template):
    """The prefix as the end-to-end tests make theirs, or a copy of `template`."""
    if template:
        e2e.copy_prefix(template, prefix)
    else:
        e2e.make_prefix_template(prefix)


def measure(name, command, env, prefix, x_server, seconds, work):
    """CPU share of one program's run, its start-up left out."""
    return measure_phases(name, command, env, prefix, x_server, seconds, work)[0]


def measure_phases(name, command, env, prefix, x_server, seconds, work, changes=()):
    """CPU shares of one program's run, its start-up left out: as started, then
    after each of `changes` (a function of no arguments) has acted and the
    program has settled, each for `seconds`."""
    log = open(os.path.join(work, name + ".log"), "wb")
    program = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
    try:
        time.sleep(WARM_UP_SECONDS)
        if program.poll() is not None:
            raise Failure("%s ended during its warm-up (status %s); see %s" % (name, program.returncode, log.name))
        shares = []
        for change in (None,) + tuple(changes):
            if change:
                change()
                time.sleep(SETTLE_SECONDS)
            started = time.monotonic()
            before = snapshot(prefix, x_server.process.pid)
            time.sleep(seconds)
            after = snapshot(prefix, x_server.process.pid)
            elapsed = time.monotonic() - started
            if program.poll() is not None:
                raise Failure("%s ended during the measurement (status %s)" % (name, program.returncode))
            shares.append(cpu_shares(before, after, elapsed))
        return shares
    finally:
        # The program is ours alone: wineserver removes its windows.
        if program.poll() is None:
            program.kill()
        program.wait()
        log.close()


def wine(env, *command):
    """Runs a Windows program of the prefix to its end; its answers, one JSON object a line."""
    done = subprocess.run(["wine"] + list(command), env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          timeout=60)
    if done.returncode != 0:
        raise Failure("%s exited with %d" % (" ".join(command), done.returncode))
    return [json.loads(line) for line in done.stdout.decode().splitlines() if line.startswith("{")]


def phase_changes(windows_bin, env):
    """What to tell the running saver before each phase after the first, as PHASE_GOALS names them."""
    inspector = os.path.join(windows_bin, "wininspect.exe")

    def tell(*args):
        windows = [w for w in wine(env, inspector, "list") if w["exe"].lower() == "frostlane1.scr"]
        if not windows:
            raise Failure("the saver shows no window to tell")
        for arguments in args:
            wine(env, inspector, arguments[0], str(windows[0]["hwnd"]), str(arguments[1]))

    def remote():
        # Any session but the saver's own (Wine's is 1) holds the graphics.
        wine(env, "reg", "add", GLASS_KEY, "/v", "GlassSessionId", "/t", "REG_DWORD", "/d", "7", "/f")
        tell(("session", 3))  # a remote client connects

    return [lambda: tell(("power", 0)),
            lambda: tell(("power", 1), ("session", 4)),  # the display on, the session disconnected
            remote]


def run(arguments):
    windows_bin = os.path.abspath(arguments.windows_bin)
    for name in ("Frostlane1.exe", "fullframe.exe", "wininspect.exe", "animations.exe"):
        if not os.path.isfile(os.path.join(windows_bin, name)):
            raise Failure("%s is not in %s: build the Windows program first" % (name, windows_bin))
    work = os.path.abspath(arguments.work or tempfile.mkdtemp(prefix="frostlane-cpu-"))
    os.makedirs(work, exist_ok=True)
    prefix = os.path.join(work, "prefix")
    # The saver alone in its folder, under the name Windows runs screen savers by:
    # beside a Frostlane1.exe it would take itself for a downloaded installer.
    saver = os.path.join(work, "saver", "Frostlane1.scr")
    os.makedirs(os.path.dirname(saver), exist_ok=True)
    shutil.copyfile(os.path.join(windows_bin, "Frostlane1.exe"), saver)
    reference = os.path.join(windows_bin, "fullframe.exe")

    x_server = start_x_server(arguments.size, work)
    display = x_server.display
    env = e2e.wine_environment(WINEPREFIX=prefix, DISPLAY=display)
    wineserver = None
    try:
        make_prefix(prefix, arguments.prefix_template)
        # A persistent wineserver of our own, so no program's start-up brings one up.
        wineserver = subprocess.Popen(["wineserver", "-f", "-p"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        print("Wine CPU at %s, %g s per run after %g s of warm-up; X display %s, work folder %s"
              % (arguments.size, arguments.seconds, WARM_UP_SECONDS, display, work))
        ratios, phase_ratios = [], [[] for _ in PHASE_GOALS]
        for round_number in range(1, arguments.rounds + 1):
            reference_share, reference_parts = measure("fullframe-%d" % round_number,
                                      ["wine", reference, "%g" % (arguments.seconds + WARM_UP_SECONDS + 10)],
                                      env, prefix, x_server, arguments.seconds, work)
            try:
                shares = measure_phases("saver-%d" % round_number, ["wine", saver, "/s"], env, prefix, x_server,
                                        arguments.seconds, work, phase_changes(windows_bin, env))
                wine(env, os.path.join(windows_bin, "animations.exe"), "0")
                shares.append(measure("saver-still-%d" % round_number, ["wine", saver, "/s"], env, prefix, x_server,
                                      arguments.seconds, work))
            finally:
                # Both last in the prefix: the next round starts at the console, animated.
                for command in (("reg", "delete", GLASS_KEY, "/v", "GlassSessionId", "/f"),
                                (os.path.join(windows_bin, "animations.exe"), "1")):
                    subprocess.run(["wine"] + list(command), env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, timeout=60)
            saver_share, saver_parts = shares[0]
            ratio = saver_share / reference_share if reference_share > 0 else float("inf")
            ratios.append(ratio)
            print("round %d: reference (full frame every 10 ms) %s" % (round_number, describe(reference_share, reference_parts)))
            print("round %d: saver %s" % (round_number, describe(saver_share, saver_parts)))
            for (name, _), (share, parts), kept in zip(PHASE_GOALS, shares[1:], phase_ratios):
                kept.append(share / saver_share if saver_share > 0 else float("inf"))
                print("round %d: saver, %s %s; / running = %.3f" % (round_number, name, describe(share, parts),
                                                                    kept[-1]))
            print("round %d: saver / reference = %.3f" % (round_number, ratio))
        ratio = statistics.median(ratios)
        print("saver / reference = %.3f (goal <= %.1f): %s" % (ratio, GOAL, "met" if ratio <= GOAL else "NOT met"))
        for (name, goal), kept in zip(PHASE_GOALS, phase_ratios):
            share = statistics.median(kept)
            print("saver, %s / running = %.3f (goal <= %.1f): %s" % (name, share, goal,
                                                                      "met" if share <= goal else "NOT met"))
        return 0
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        if wineserver:
            e2e.stop_process(wineserver, grace=10.0)
        x_server.close()
        if not arguments.keep and not arguments.work:
            shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--windows-bin", required=True, help="the Windows build's bin folder")
    parser.add_argument("--seconds", type=float, default=20.0, help="measured seconds per run")
    parser.add_argument("--size", default="1920x1080", help="the X screen, WxH")
    parser.add_argument("--rounds", type=int, default=3, help="reference + saver pairs; the median ratio is reported")
    parser.add_argument("--work", help="a folder to work and keep logs in (default: a temporary one, removed)")
    parser.add_argument("--prefix-template", help="copy this Wine prefix instead of making one (saves ~10 s)")
    parser.add_argument("--keep", action="store_true", help="keep the temporary work folder")
    try:
        return run(parser.parse_args())
    except (Failure, e2e.EnvironmentFailure) as failure:
        print("wine_cpu: %s" % failure, file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
