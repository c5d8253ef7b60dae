# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Processes the tests start and end by their PID, and waiting for what a
program should do at once."""

import contextlib
import ctypes
import os
import signal
import subprocess
import time


POLL_INTERVAL = 0.02
# How long a test waits for what the program should do at once, before it calls
# it a failure. Waits poll and go on the moment their condition holds, so this
# only comes into play on a busy machine (two cores, two Wine sessions) or when
# the program is at fault. How fast the program is belongs to the benchmarks.
PATIENCE = 20.0


class EnvironmentFailure(RuntimeError):
    """The test machine could not provide what a test needs."""


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


def command_lines_of_prefix(prefix):
    """The command lines of the processes that run with this WINEPREFIX: the
    session's services, its programs, and what they start on the Unix side."""
    lines = []
    for pid in processes_of_prefixes(lambda value: value == prefix.encode()):
        with contextlib.suppress(OSError), open("/proc/%s/cmdline" % pid, "rb") as cmdline:
            lines.append(cmdline.read().replace(b"\0", b" ").decode("utf-8", "replace"))
    return lines


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
