# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Where the tests find the built programs, the product's identity and their
work folders."""

import contextlib
import json
import os
import shutil
import subprocess
import tempfile

from .processes import EnvironmentFailure, end_wine_processes_under


# The folder of the end-to-end tests, which holds this package.
HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM_NAME = "Frostlane1.exe"
INSPECTOR_NAME = "wininspect.exe"
# The name Windows runs an installed screen saver under. The program treats a
# `<its name>.exe` beside itself as a downloaded installer, so the saver modes
# are always started through a copy with this name in a folder without it.
SAVER_NAME = "Frostlane1.scr"


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


def install_as_saver(work):
    """Copies the program to <work>/saver/Frostlane1.scr, alone in its folder,
    the way Windows runs an installed screen saver."""
    folder = os.path.join(work, "saver")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, SAVER_NAME)
    shutil.copyfile(windows_binary(PROGRAM_NAME), path)
    return path
