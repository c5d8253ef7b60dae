# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Samples a running saver's footprint for the long-run checks: the resident
memory of its Wine process and the GDI and USER objects it holds (read by the
inspector). Shared by the CI soak test and the soak script under bench/."""

import time

import e2e

# Figures whose growth the checks judge, in the order they are printed.
FIGURES = ("rss_kb", "gdi", "user")


def sample(wine, program, windows_pid, started):
    """One reading of a saver started at `started` (time.monotonic())."""
    rss = e2e.resident_kilobytes(program.process.pid)
    resources = wine.inspector.resources(windows_pid)
    return {"seconds": time.monotonic() - started, "rss_kb": rss, "gdi": resources["gdi"],
            "user": resources["user"], "gdi_source": resources["gdi_source"],
            "user_source": resources["user_source"]}


def run(wine, program, windows_pid, seconds, interval, report=None):
    """Samples the running saver every `interval` seconds for `seconds`, and
    once at the start; stops early if the program ends. Each sample is passed
    to `report` as it is taken. Returns the samples."""
    started = time.monotonic()
    samples = []
    next_at = 0.0
    while True:
        if not program.running:
            break
        reading = sample(wine, program, windows_pid, started)
        samples.append(reading)
        if report:
            report(reading)
        next_at += interval
        if next_at > seconds + 1e-6:
            break
        time.sleep(max(0.0, started + next_at - time.monotonic()))
    return samples


def growth_after(samples, settle_seconds, figure):
    """The sample taken when the figure should have settled (the first one at
    or after `settle_seconds`), and the highest value of the figure after it."""
    settled = [s for s in samples if s["seconds"] >= settle_seconds - 0.5]
    if not settled:
        return None, None
    return settled[0], max(s[figure] for s in settled)


def describe(reading):
    return "%6.0f s  RSS %7d kB  GDI %4d (%s)  USER %4d (%s)" % (
        reading["seconds"], reading["rss_kb"], reading["gdi"], reading["gdi_source"], reading["user"],
        reading["user_source"])
