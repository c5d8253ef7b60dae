#!/usr/bin/python3
"""Builds the release twice, as two people would: from two copies of the source in
folders of different names, one after the other, with different time zones,
locales and umasks, each with `cmake --workflow --preset release`. Both builds
must give the same bytes; each dist/SHA256SUMS must verify with sha256sum -c; the
release must keep its hardening and carry what the program needs.

Environment: FROSTLANE_SOURCE (the source tree), FROSTLANE_CMAKE (the cmake to run)."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pefile

import pe_difference

SOURCE = os.path.abspath(os.environ.get("FROSTLANE_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..")))
CMAKE = os.environ.get("FROSTLANE_CMAKE", "cmake")
PROGRAM = "Frostlane1.exe"
# Where the builds differ on purpose: every setting a builder's machine may vary.
BUILDS = [
    ("one", {"TZ": "UTC", "LC_ALL": "C"}, 0o022),
    ("a-second-and-longer-checkout", {"TZ": "Pacific/Chatham", "LC_ALL": "C.UTF-8"}, 0o077),
]
LEFT_OUT = {".git", "build", "dist", "__pycache__"}


def source_files():
    """The files a checkout holds: what git tracks or would track, with uncommitted
    edits, or every file but build output when the tree is not a git checkout."""
    try:
        listing = subprocess.run(["git", "-C", SOURCE, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                                 capture_output=True, check=True).stdout
        return [name for name in listing.decode().split("\0") if name and os.path.isfile(os.path.join(SOURCE, name))]
    except (OSError, subprocess.CalledProcessError):
        files = []
        for folder, subfolders, names in os.walk(SOURCE):
            subfolders[:] = [name for name in subfolders if name not in LEFT_OUT]
            files += [os.path.relpath(os.path.join(folder, name), SOURCE) for name in names]
        return files


def source_date_epoch():
    """The last commit's time, given to both builds, because the copies have no git
    history of their own; None leaves both builds to their fallback."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return os.environ["SOURCE_DATE_EPOCH"]
    try:
        return subprocess.run(["git", "-C", SOURCE, "log", "-1", "--format=%ct"], capture_output=True, text=True,
                              check=True).stdout.strip() or None
    except (OSError, subprocess.CalledProcessError):
        return None


def build_release(checkout, settings, umask, epoch):
    """Copies the source to the checkout folder (fresh file times) and builds the
    release there; returns the seconds the workflow took."""
    for name in source_files():
        target = os.path.join(checkout, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy(os.path.join(SOURCE, name), target)
    environment = dict(os.environ, **settings)
    environment.pop("SOURCE_DATE_EPOCH", None)
    if epoch:
        environment["SOURCE_DATE_EPOCH"] = epoch
    started = time.monotonic()
    result = subprocess.run([CMAKE, "--workflow", "--preset", "release"], cwd=checkout, env=environment,
                            preexec_fn=lambda: os.umask(umask), capture_output=True, text=True)
    seconds = time.monotonic() - started
    if result.returncode != 0:
        raise AssertionError(f"release build in {checkout} failed:\n{result.stdout[-4000:]}\n{result.stderr[-4000:]}")
    return seconds


class Release(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory(prefix="frostlane-release-")
        cls.epoch = epoch = source_date_epoch()
        cls.dists = []
        for folder, settings, umask in BUILDS:
            checkout = os.path.join(cls.work.name, folder)
            seconds = build_release(checkout, settings, umask, epoch)
            print(f"release build in {folder}/ ({settings['TZ']}, umask {umask:03o}): {seconds:.1f} s", file=sys.stderr)
            cls.dists.append(os.path.join(checkout, "dist"))
        with open(os.path.join(cls.dists[0], PROGRAM), "rb") as f:
            cls.program = f.read()

    @classmethod
    def tearDownClass(cls):
        cls.work.cleanup()

    def test_both_builds_give_the_same_bytes(self):
        with open(os.path.join(self.dists[1], PROGRAM), "rb") as f:
            other = f.read()
        difference = pe_difference.report(self.program, other, *(f"{folder}/dist/{PROGRAM}" for folder, _, _ in BUILDS))
        if difference:
            self.fail(difference)
        print(f"{PROGRAM}: {len(self.program)} bytes, identical in both builds", file=sys.stderr)

    def test_header_time_is_the_last_commits(self):
        stamp = pefile.PE(data=self.program, fast_load=True).FILE_HEADER.TimeDateStamp
        self.assertEqual(stamp, int(self.epoch) if self.epoch else 0)

    def test_each_checksum_file_verifies(self):
        for dist in self.dists:
            with open(os.path.join(dist, "SHA256SUMS")) as f:
                self.assertRegex(f.read(), r"^[0-9a-f]{64}  " + PROGRAM + r"\n$")
            result = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=dist, capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_release_is_hardened_stripped_and_carries_a_valid_checksum(self):
        pe = pefile.PE(data=self.program)
        header = pe.OPTIONAL_HEADER
        self.assertTrue(header.IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, "address space layout randomisation")
        self.assertTrue(header.IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, "64-bit randomisation")
        self.assertTrue(header.IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "no execution from data pages")
        debug = header.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_DEBUG"]]
        self.assertEqual(debug.Size, 0, "no debug directory")
        self.assertNotIn(b".debug", b"".join(section.Name for section in pe.sections))
        self.assertNotEqual(header.CheckSum, 0)
        self.assertTrue(pe.verify_checksum(), "the header checksum matches the file")

    def test_release_carries_its_resources_and_imports_only_windows_libraries(self):
        check = os.path.join(SOURCE, "tests", "resources", "test_resources.py")
        result = subprocess.run([sys.executable, check], capture_output=True, text=True,
                                env=dict(os.environ, FROSTLANE_EXE=os.path.join(self.dists[0], PROGRAM),
                                         FROSTLANE_SOURCE=SOURCE))
        self.assertEqual(result.returncode, 0, result.stderr)


if __name__ == "__main__":
    unittest.main()
