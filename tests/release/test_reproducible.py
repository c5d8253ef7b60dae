#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Builds the release twice, as two people would: from two copies of the source in
folders of different names, one after the other, with different time zones,
locales and umasks, each with `cmake --workflow --preset release`. Both builds
must give the same bytes, the program's and its Windows Installer package's;
each dist/SHA256SUMS must verify with sha256sum -c; the release must keep its
hardening and carry what the program needs, and the package the program as its
version, for the machine. Then the
workflow runs once more in the second checkout with a throwaway publisher's
certificate and time-stamp authority (throwaway_pki.py): the signed release must
verify and, without its signature, be the first checkout's bytes, as anyone who
checks a signed release against their own build will find; the signed package
must verify and carry the signed program; the password must
appear in no output and no file of the checkout. Each release's third-party
notices must be the ones the program carries, and its bill of materials must
be valid CycloneDX 1.6 (the schema of the npm package @cyclonedx/cyclonedx-library,
resolved offline) with the hashes of the files beside it, signed or not.

Environment: FROSTLANE_SOURCE (the source tree), FROSTLANE_CMAKE (the cmake to run)."""
import hashlib
import itertools
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

import jsonschema
import pefile

import pe_difference
import throwaway_pki
import windows_installer

SOURCE = os.path.abspath(os.environ.get("FROSTLANE_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..")))
CMAKE = os.environ.get("FROSTLANE_CMAKE", "cmake")
PROGRAM = "Frostlane1.exe"
PACKAGE = "Frostlane1.msi"
NOTICES, BILL = "THIRD-PARTY-NOTICES.txt", "Frostlane1.cdx.json"
BILL_SCHEMA = "http://cyclonedx.org/schema/bom-1.6.schema.json"
with open(os.environ["FROSTLANE_IDENTITY"], encoding="utf-8") as identity_file:
    INSTALLED_NAME = json.load(identity_file)["installed_name"]
# Where the builds differ on purpose: every setting a builder's machine may vary.
BUILDS = [
    ("one", {"TZ": "UTC", "LC_ALL": "C"}, 0o022),
    ("a-second-and-longer-checkout", {"TZ": "Pacific/Chatham", "LC_ALL": "C.UTF-8"}, 0o077),
]
LEFT_OUT = {".git", "build", "dist", "__pycache__"}
SIGNING_VARIABLES = ("FROSTLANE_SIGN_PFX", "FROSTLANE_SIGN_PASSWORD", "FROSTLANE_SIGN_TIMESTAMP_URL")


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
    history of their own. Without it the release's header time would be 0 and
    the test of that time would prove nothing, so a checkout whose history
    cannot be read fails here unless SOURCE_DATE_EPOCH is set."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return os.environ["SOURCE_DATE_EPOCH"]
    try:
        result = subprocess.run(["git", "-C", SOURCE, "log", "-1", "--format=%ct"], capture_output=True, text=True)
    except OSError as error:
        raise AssertionError(f"git is needed to read the last commit's time ({error}); "
                             "install it (tools/install-deps.sh) or set SOURCE_DATE_EPOCH") from error
    if result.returncode != 0 or not result.stdout.strip():
        raise AssertionError("the history of " + SOURCE + " cannot be read, so the release's time is unknown: "
                             + result.stderr.strip() + "; run from a git clone or set SOURCE_DATE_EPOCH")
    return result.stdout.strip()


def copy_source(checkout):
    """Copies the source to the checkout folder, with fresh file times."""
    for name in source_files():
        target = os.path.join(checkout, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy(os.path.join(SOURCE, name), target)


def run_release_workflow(checkout, settings, umask, epoch, signing=None):
    """Runs the release workflow in the checkout with the signing variables given
    and no others, and no proxy; returns its CompletedProcess and the seconds it took."""
    environment = {k: v for k, v in os.environ.items()
                   if k not in SIGNING_VARIABLES + throwaway_pki.PROXY_VARIABLES}
    environment.update(settings, **(signing or {}))
    environment["SOURCE_DATE_EPOCH"] = epoch
    started = time.monotonic()
    result = subprocess.run([CMAKE, "--workflow", "--preset", "release"], cwd=checkout, env=environment,
                            preexec_fn=lambda: os.umask(umask), capture_output=True, text=True)
    return result, time.monotonic() - started


def build_release(checkout, settings, umask, epoch):
    """Builds the unsigned release in a fresh copy of the source; returns the
    seconds the workflow took."""
    copy_source(checkout)
    result, seconds = run_release_workflow(checkout, settings, umask, epoch)
    if result.returncode != 0:
        raise AssertionError(f"release build in {checkout} failed:\n{result.stdout[-4000:]}\n{result.stderr[-4000:]}")
    return seconds


def bill_validator():
    """CycloneDX 1.6's schema as its npm package carries it, with the schemas it
    refers to taken from beside it and never from the network."""
    root = subprocess.run(["npm", "root", "-g"], capture_output=True, text=True).stdout.strip()
    folder = os.path.join(root, "@cyclonedx", "cyclonedx-library", "res", "schema")
    if not os.path.isdir(folder):
        raise AssertionError(f"no CycloneDX schemas in {folder}: run tools/install-deps.sh")
    store = {}
    for name in os.listdir(folder):
        if name.endswith(".schema.json"):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                schema = json.load(f)
            store[urllib.parse.urljoin(BILL_SCHEMA, name)] = store[schema["$id"]] = schema

    def offline(uri):
        raise AssertionError(f"the schema refers to {uri}, which is not beside it")
    original = jsonschema.Draft7Validator.VALIDATORS["additionalItems"]

    def additional_items(validator, allowed, instance, schema):
        # Debian 12's jsonschema sorts the surplus items to name them, and fails
        # on objects; a licence list of several (valid) meets it inside a oneOf.
        items = schema.get("items", [])
        if allowed is False and isinstance(items, list) and isinstance(instance, list) and len(instance) > len(items):
            yield jsonschema.ValidationError(f"{len(instance) - len(items)} more items than allowed")
        else:
            yield from original(validator, allowed, instance, schema)
    checker = jsonschema.validators.extend(jsonschema.Draft7Validator, {"additionalItems": additional_items})
    resolver = jsonschema.RefResolver(BILL_SCHEMA, store[BILL_SCHEMA], store=store,
                                      handlers={"http": offline, "https": offline})
    return checker(store[BILL_SCHEMA], resolver=resolver, format_checker=jsonschema.FormatChecker())


class Release(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # glibc quietly falls back to UTC for a zone it cannot find, and the two
        # builds would then differ in one setting less than they claim to.
        for _, settings, _ in BUILDS:
            if not os.path.isfile(os.path.join("/usr/share/zoneinfo", settings["TZ"])):
                raise AssertionError(f"time zone {settings['TZ']} is not installed: install tzdata")
        cls.work = tempfile.TemporaryDirectory(prefix="frostlane-release-")
        cls.epoch = epoch = source_date_epoch()
        cls.dists, checkouts = [], []
        for folder, settings, umask in BUILDS:
            checkout = os.path.join(cls.work.name, folder)
            seconds = build_release(checkout, settings, umask, epoch)
            print(f"release build in {folder}/ ({settings['TZ']}, umask {umask:03o}): {seconds:.1f} s", file=sys.stderr)
            cls.dists.append(os.path.join(checkout, "dist"))
            checkouts.append(checkout)
        cls.program, cls.other = (cls.read(os.path.join(dist, PROGRAM)) for dist in cls.dists)
        cls.package, cls.other_package = (cls.read(os.path.join(dist, PACKAGE)) for dist in cls.dists)
        # The signing run below overwrites the second release.
        cls.unsigned_second = {name: cls.read(os.path.join(cls.dists[1], name)) for name in (NOTICES, BILL)}

        # The publisher's run: the second checkout once more, now signing.
        cls.pki = throwaway_pki.ThrowawayPki(cls.work.name)
        timestamps = cls.pki.start_time_stamp_authority()
        try:
            _, settings, umask = BUILDS[1]
            cls.signing_run, seconds = run_release_workflow(checkouts[1], settings, umask, epoch,
                                                            cls.pki.environment(timestamps))
        finally:
            cls.pki.stop_time_stamp_authority()
        print(f"signing release workflow in {BUILDS[1][0]}/: {seconds:.1f} s", file=sys.stderr)
        cls.signed_checkout = checkouts[1]

    @staticmethod
    def read(path):
        with open(path, "rb") as f:
            return f.read()

    @classmethod
    def tearDownClass(cls):
        cls.work.cleanup()

    def test_both_builds_give_the_same_bytes(self):
        difference = pe_difference.report(self.program, self.other,
                                          *(f"{folder}/dist/{PROGRAM}" for folder, _, _ in BUILDS))
        if difference:
            self.fail(difference)
        print(f"{PROGRAM}: {len(self.program)} bytes, identical in both builds", file=sys.stderr)
        self.assertTrue(self.package == self.other_package, f"the two builds' {PACKAGE} differ")
        print(f"{PACKAGE}: {len(self.package)} bytes, identical in both builds", file=sys.stderr)
        for name in (NOTICES, BILL):
            ours = self.read(os.path.join(self.dists[0], name))
            self.assertEqual(ours, self.unsigned_second[name], f"the two builds' {name} differ")
            print(f"{name}: {len(ours)} bytes, identical in both builds", file=sys.stderr)

    def test_header_time_is_the_last_commits(self):
        stamp = pefile.PE(data=self.program, fast_load=True).FILE_HEADER.TimeDateStamp
        self.assertEqual(stamp, int(self.epoch))

    def test_each_checksum_file_verifies(self):
        for dist in self.dists:
            with open(os.path.join(dist, "SHA256SUMS")) as f:
                self.assertRegex(f.read(), "^" + "".join(r"[0-9a-f]{64}  " + re.escape(name) + r"\n"
                                                         for name in (PROGRAM, PACKAGE, NOTICES, BILL)) + "$")
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

    def test_the_package_installs_the_program_as_its_version_for_the_machine(self):
        package = os.path.join(self.dists[0], PACKAGE)
        pe = pefile.PE(data=self.program)
        fixed = pe.VS_FIXEDFILEINFO[0]
        major, minor, build, revision = (fixed.ProductVersionMS >> 16, fixed.ProductVersionMS & 0xFFFF,
                                         fixed.ProductVersionLS >> 16, fixed.ProductVersionLS & 0xFFFF)
        expected = {"ProductName": "Quillon Solutions Frostlane 1", "Manufacturer": "Quillon Solutions",
                    # Windows Installer orders by three fields: the fourth joins the third.
                    "ProductVersion": f"{major}.{minor}.{build * 1000 + revision}",
                    "ALLUSERS": "1", "ARPNOMODIFY": "1"}
        properties = windows_installer.properties(package)
        self.assertEqual({name: properties.get(name) for name in expected}, expected)
        with open(os.path.join(SOURCE, "assets", "icon", "frostlane.ico"), "rb") as f:
            self.assertEqual(windows_installer.stream(package, "Icon." + properties["ARPPRODUCTICON"]), f.read())
        # Windows Installer's validation asks a versioned file for a language
        # and no hash, and a long name for its short form too.
        self.assertEqual(windows_installer.rows(package, "SELECT `Directory_`, `FileName`, `Version`, `Language` "
                                                         "FROM `File`, `Component` WHERE `Component_` = `Component`"),
                         [("WindowsFolder", "QUILLO~1.SCR|" + INSTALLED_NAME, f"{major}.{minor}.{build}.{revision}",
                           "1033")])
        self.assertEqual(windows_installer.rows(package, "SELECT `File_` FROM `MsiFileHash`"), [])
        # It sets no registry value, and so no user's screen saver.
        self.assertEqual(windows_installer.rows(package, "SELECT `Registry` FROM `Registry`"), [])
        with tempfile.TemporaryDirectory(dir=self.work.name) as folder:
            self.assertEqual(windows_installer.files(package, folder), {INSTALLED_NAME: self.program})
        self.assertEqual(windows_installer.summary(package)[1], int(self.epoch))

    def test_the_workflow_signs_with_a_certificate_and_the_signature_hides_no_other_bytes(self):
        run = self.signing_run
        self.assertEqual(run.returncode, 0, run.stdout[-4000:] + run.stderr[-4000:])
        signed = os.path.join(self.dists[1], PROGRAM)
        verified = throwaway_pki.osslsigncode("verify", "-CAfile", self.pki.ca, "-TSA-CAfile", self.pki.ca,
                                              "-in", signed)
        self.assertEqual(verified.returncode, 0, verified.stdout + verified.stderr)
        throwaway_pki.check_time_stamp(self, signed, self.pki)
        checksums = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=self.dists[1], capture_output=True, text=True)
        self.assertEqual(checksums.returncode, 0, checksums.stdout)
        unsigned = throwaway_pki.without_signature(signed, self.work.name)
        difference = pe_difference.report(self.program, unsigned, f"{BUILDS[0][0]}/dist/{PROGRAM}",
                                          f"{BUILDS[1][0]}/dist/{PROGRAM} without its signature")
        if difference:
            self.fail(difference)
        print(f"{PROGRAM}: {len(self.read(signed))} bytes signed, {len(unsigned)} without the signature",
              file=sys.stderr)
        package = os.path.join(self.dists[1], PACKAGE)
        verified = throwaway_pki.osslsigncode("verify", "-CAfile", self.pki.ca, "-TSA-CAfile", self.pki.ca,
                                              "-in", package)
        self.assertEqual(verified.returncode, 0, verified.stdout + verified.stderr)
        with tempfile.TemporaryDirectory(dir=self.work.name) as folder:
            self.assertEqual(windows_installer.files(package, folder), {INSTALLED_NAME: self.read(signed)})

    def test_the_bill_is_valid_and_holds_the_hashes_of_the_files_as_published(self):
        validator = bill_validator()
        for dist, signed in ((self.dists[0], False), (self.dists[1], True)):
            with open(os.path.join(dist, BILL), encoding="utf-8") as f:
                bill = json.load(f)
            errors = [f"{'/'.join(map(str, e.absolute_path))}: {e.message}" for e in validator.iter_errors(bill)]
            self.assertEqual(errors, [], dist)
            for name in (PROGRAM, PACKAGE):
                data = self.read(os.path.join(dist, name))
                hashes = {h["alg"]: h["content"] for h in next(c for c in bill["components"] if c["name"] == name)["hashes"]}
                self.assertEqual(hashes, {"SHA-256": hashlib.sha256(data).hexdigest(),
                                          "SHA-512": hashlib.sha512(data).hexdigest()}, name)
            self.assertEqual([c["name"] for c in bill["components"] if "name" not in c.get("supplier", {})], [])
            tools = [tool["name"] for tool in bill["metadata"]["tools"]["components"]]
            self.assertEqual("osslsigncode" in tools, signed, tools)
            self.assertEqual(bill["metadata"]["timestamp"],
                             time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(int(self.epoch))))
        # The licence ids are checked against the SPDX list beside the schema.
        bill["components"][0]["licenses"] = [{"license": {"id": "Not-A-Licence"}}]
        self.assertFalse(validator.is_valid(bill))

    def test_the_program_carries_the_notices_of_what_it_links(self):
        carried = subprocess.run(["wrestool", "-x", "--raw", "--type=10", "--name=THIRD_PARTY_NOTICES",
                                  os.path.join(self.dists[0], PROGRAM)], capture_output=True, check=True).stdout
        self.assertEqual(carried, self.read(os.path.join(self.dists[0], NOTICES)))
        for notice in (b"License: Zope Public License 2.1 (ZPL-2.1)", b"GCC RUNTIME LIBRARY EXCEPTION", b"Hewlett-Packard Company",
                       b"Silicon Graphics Computer Systems", b"GNU GENERAL PUBLIC LICENSE"):
            self.assertIn(notice, carried)

    def test_a_member_the_notices_cannot_map_stops_the_step_and_leaves_no_notices(self):
        built = os.path.join(self.signed_checkout, "build", "release", "third-party")
        with open(os.path.join(built, "Frostlane1.map"), encoding="utf-8") as f:
            link_map = f.read()
        # A threads library, a floating-point conversion of an archive whose other members map, and
        # GCC 14's time zones, which hold the time zone database. A build that is not the release
        # only warns, and its notices list the member as not yet reviewed.
        for stranger, release in itertools.product(
                ("/usr/x86_64-w64-mingw32/lib/libwinpthread.a(libwinpthread_la-thread.o)",
                 "/usr/lib/gcc/x86_64-w64-mingw32/12-win32/libstdc++.a(floating_to_chars.o)",
                 "/usr/lib/gcc/x86_64-w64-mingw32/14-win32/libstdc++.a(tzdb.o)"), (True, False)):
            with self.subTest(stranger, release=release), tempfile.TemporaryDirectory(dir=self.work.name) as folder:
                shutil.copy(os.path.join(built, NOTICES), folder)
                with open(os.path.join(folder, "Frostlane1.map"), "w", encoding="utf-8") as f:
                    f.write(link_map.replace("(symbol)\n\n", f"(symbol)\n\n{stranger}\n      x.o (f)\n", 1))
                result = subprocess.run([sys.executable, os.path.join(SOURCE, "packaging", "third_party.py"),
                                         "notices", os.path.join(folder, "Frostlane1.map"), folder,
                                         "--identity", os.environ["FROSTLANE_IDENTITY"]]
                                        + ([] if release else ["--not-a-release"]), capture_output=True, text=True)
                self.assertIn(stranger, result.stderr)
                if release:
                    self.assertEqual(result.returncode, 1)
                    self.assertEqual(sorted(set(os.listdir(folder)) & {NOTICES, "components.json"}), [])
                else:
                    self.assertEqual(result.returncode, 0, result.stderr)
                    notices = self.read(os.path.join(folder, NOTICES)).decode()
                    self.assertIn(stranger, notices.split("Not yet reviewed")[1])

    def test_the_password_stays_out_of_the_output_and_the_build_tree(self):
        password = throwaway_pki.PASSWORD
        self.assertNotIn(password, self.signing_run.stdout + self.signing_run.stderr)
        encoded = password.encode()
        holding = [os.path.join(folder, name) for folder, _, names in os.walk(self.signed_checkout) for name in names
                   if encoded in self.read(os.path.join(folder, name))]
        self.assertEqual(holding, [])


if __name__ == "__main__":
    unittest.main()
