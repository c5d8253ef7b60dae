# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Wine for the tests and the benchmarks: its scrubbed environment, prefixes,
sessions and the programs started in them."""

import os
import shutil
import subprocess
import tempfile

from .inspector import Inspector
from .processes import EnvironmentFailure, end_wine_processes_under, start_process, stop_process


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


def require_locale(name):
    """Wine in a locale that glibc lacks silently speaks US English."""
    listed = subprocess.run(["locale", "-a"], stdout=subprocess.PIPE, text=True).stdout.lower().split()
    if name.lower().replace("utf-8", "utf8") not in listed:
        raise EnvironmentFailure("the locale %s is not generated; run tools/install-deps.sh" % name)


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
