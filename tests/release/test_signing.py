#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Signing the release: the step the release workflow runs to write dist/
(cmake/WriteDist.cmake), run here on an already built program with a throwaway
publisher's certificate. The signed file must verify, name the program and its
maker's site as the program does (read from the signature itself, not from a
tool's report), give back the built bytes once its signature
is removed, and stop verifying when one byte changes; without the signing
variables the release is the built program itself; every failure says why and
leaves no program in dist/; the password never appears on a command line or in
the output. (test_reproducible.py runs the whole workflow once with signing.)

The test's own time-stamp authority listens on the loopback; osslsigncode goes
to it with no proxy setting of the caller's, while the workflow itself, given
one, must still go through it.

Environment: FROSTLANE_EXE (a built Frostlane1.exe), FROSTLANE_SOURCE (the
source tree), FROSTLANE_CMAKE (the cmake to run), FROSTLANE_TEST_SCRIPTS (a
folder of the build tree where the test writes the wrapper it runs; /tmp may
forbid running programs)."""
import json
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

import pefile

import authenticode
import throwaway_pki
from throwaway_pki import PASSWORD, PROXY_VARIABLES, osslsigncode, without_signature

EXE = os.environ.get("FROSTLANE_EXE", "")
SOURCE = os.path.abspath(os.environ.get("FROSTLANE_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..")))
CMAKE = os.environ.get("FROSTLANE_CMAKE", "cmake")
NAME = "Frostlane1.exe"
SCRIPTS = os.environ.get("FROSTLANE_TEST_SCRIPTS") or os.path.join(SOURCE, "build", "test-scripts")
SIGNING_VARIABLES = ("FROSTLANE_SIGN_PFX", "FROSTLANE_SIGN_PASSWORD", "FROSTLANE_SIGN_TIMESTAMP_URL")
# A proxy where nothing listens, for every scheme. The caller's own proxy
# settings never reach a run; a row sets these itself.
DEAD_PROXY = {name: "http://127.0.0.1:9" for name in PROXY_VARIABLES if name.lower() != "no_proxy"}

# Stands first on PATH in front of osslsigncode: records each command line and,
# for the password file, the permissions it had while osslsigncode ran.
RECORDING_OSSLSIGNCODE = """#!/usr/bin/python3
import json, os, stat, sys
args = sys.argv[1:]
entry = {{"args": args}}
if "-readpass" in args:
    password_file = args[args.index("-readpass") + 1]
    entry["folder_mode"] = stat.S_IMODE(os.stat(os.path.dirname(password_file)).st_mode)
with open(os.environ["RECORD"], "a") as record:
    record.write(json.dumps(entry) + "\\n")
os.execv({real!r}, ["osslsigncode"] + args)
"""


# The name and site the program is built with (identity.json, from CMakeLists.txt),
# so that the signature and the program can never name different things.
IDENTITY_FILE = os.environ["FROSTLANE_IDENTITY"]
with open(IDENTITY_FILE, encoding="utf-8") as identity_file:
    IDENTITY = json.load(identity_file)
TITLE, SITE = IDENTITY["title"], IDENTITY["site"]


class SigningStep(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="frostlane-signing-")
        cls.pki = throwaway_pki.ThrowawayPki(cls.scratch.name)
        with open(EXE, "rb") as f:
            cls.program = f.read()
        os.makedirs(SCRIPTS, exist_ok=True)
        cls.wrapper = tempfile.mkdtemp(prefix="signing-", dir=SCRIPTS)
        with open(os.path.join(cls.wrapper, "osslsigncode"), "w") as f:
            f.write(RECORDING_OSSLSIGNCODE.format(real=shutil.which("osslsigncode")))
        os.chmod(os.path.join(cls.wrapper, "osslsigncode"), 0o755)

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()
        shutil.rmtree(cls.wrapper, ignore_errors=True)

    def write_dist(self, variables, earlier_release=False):
        """Runs the workflow's release step with exactly these signing and proxy variables,
        over an earlier release in dist/ if asked; returns its result, the dist
        folder and osslsigncode's recorded calls."""
        run = tempfile.mkdtemp(dir=self.scratch.name)
        dist, work = os.path.join(run, "dist"), os.path.join(run, "work")
        if earlier_release:
            os.makedirs(dist)
            for name in (NAME, "SHA256SUMS"):
                with open(os.path.join(dist, name), "w") as f:
                    f.write("an earlier release")
        record = os.path.join(run, "osslsigncode.log")
        environment = {k: v for k, v in os.environ.items() if k not in SIGNING_VARIABLES + PROXY_VARIABLES}
        environment.update(variables, RECORD=record, PATH=self.wrapper + os.pathsep + environment.get("PATH", ""))
        result = subprocess.run(
            [CMAKE, "-DPROGRAM=" + EXE, "-DDIST=" + dist, "-DWORK=" + work, "-DTITLE=" + TITLE, "-DURL=" + SITE,
             "-DIDENTITY=" + IDENTITY_FILE,
             "-DNOTICES=" + os.path.join(os.path.dirname(os.path.dirname(EXE)), "third-party"),
             "-P", os.path.join(SOURCE, "cmake", "WriteDist.cmake")],
            env=environment, capture_output=True, text=True)
        self.assertNotIn(PASSWORD, result.stdout + result.stderr, "the password was printed")
        calls = []
        if os.path.exists(record):
            with open(record) as f:
                calls = [json.loads(line) for line in f]
        for call in calls:
            self.assertNotIn(PASSWORD, " ".join(call["args"]), "the password was on a command line")
            if "folder_mode" in call:
                self.assertEqual(call["folder_mode"] & (stat.S_IRWXG | stat.S_IRWXO), 0,
                                 "others could open the password file")
        leftovers = [os.path.join(folder, name) for folder, _, names in os.walk(run) for name in names]
        self.assertFalse([path for path in leftovers if "private" in path], "the password file was left behind")
        return result, dist, calls

    def signed_release(self, variables):
        result, dist, calls = self.write_dist(variables)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual(sorted(os.listdir(dist)), sorted([NAME, "Frostlane1.msi", "SHA256SUMS", "Frostlane1.cdx.json",
                                                           "THIRD-PARTY-NOTICES.txt"]))
        checksums = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=dist, capture_output=True, text=True)
        self.assertEqual(checksums.returncode, 0, "SHA256SUMS is not for the published file: " + checksums.stdout)
        self.assertTrue(any(call["args"][0] == "sign" for call in calls))
        return os.path.join(dist, NAME)

    def test_without_the_variables_the_release_is_the_built_program(self):
        result, dist, calls = self.write_dist({})
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(dist, NAME), "rb") as f:
            self.assertEqual(f.read(), self.program)
        self.assertEqual(calls, [], "osslsigncode ran for an unsigned release")

    def test_the_signed_release_verifies_names_the_program_and_holds_the_built_bytes(self):
        signed = self.signed_release(self.pki.environment())
        verified = osslsigncode("verify", "-CAfile", self.pki.ca, "-in", signed)
        self.assertEqual(verified.returncode, 0, verified.stdout + verified.stderr)
        signature = authenticode.signature_of(signed)
        self.assertEqual((signature.file_digest_algorithm, signature.signer_digest_algorithm), ("sha256", "sha256"))
        self.assertEqual((signature.program_name, signature.url), (TITLE, SITE))
        self.assertEqual(without_signature(signed, self.scratch.name), self.program)
        with open(signed, "rb") as f:
            signed_bytes = f.read()
        pe = pefile.PE(data=signed_bytes)
        print(f"{NAME}: {len(self.program)} bytes unsigned, {len(signed_bytes)} signed", file=sys.stderr)

        text = next(s for s in pe.sections if s.Name.rstrip(b"\0") == b".text")
        with open(os.path.join(SOURCE, "assets", "pictures", "05-bell.bmp"), "rb") as f:
            picture = signed_bytes.find(f.read())
        for place, offset in [("the code", text.PointerToRawData + 0x400), ("a picture", picture + 200)]:
            with self.subTest(changed=place):
                changed = bytearray(signed_bytes)
                changed[offset] ^= 0x01
                tampered = os.path.join(self.scratch.name, "tampered.exe")
                with open(tampered, "wb") as f:
                    f.write(changed)
                result = osslsigncode("verify", "-CAfile", self.pki.ca, "-in", tampered)
                self.assertNotEqual(result.returncode, 0, f"a changed byte in {place} still verifies")

    def test_a_time_stamp_comes_from_the_authority_given(self):
        url = self.pki.start_time_stamp_authority()
        self.addCleanup(self.pki.stop_time_stamp_authority)
        signed = self.signed_release(self.pki.environment(timestamp_url=url))
        verified = osslsigncode("verify", "-CAfile", self.pki.ca, "-TSA-CAfile", self.pki.ca, "-in", signed)
        self.assertEqual(verified.returncode, 0, verified.stdout + verified.stderr)
        throwaway_pki.check_time_stamp(self, signed, self.pki)
        self.assertEqual(without_signature(signed, self.scratch.name), self.program)

    def test_a_failure_says_why_and_leaves_no_program(self):
        good = self.pki.environment()
        authority = self.pki.start_time_stamp_authority()
        self.addCleanup(self.pki.stop_time_stamp_authority)
        rows = [
            # the signing and proxy variables, what the message must say
            (dict(good, FROSTLANE_SIGN_PASSWORD="not the password"), "does not open"),
            (dict(good, FROSTLANE_SIGN_PFX=os.path.join(self.scratch.name, "missing.pfx")), "names no file"),
            (dict(good, FROSTLANE_SIGN_PFX="publisher.pfx"), "must be an absolute path"),
            ({"FROSTLANE_SIGN_PFX": self.pki.pfx}, "set FROSTLANE_SIGN_PASSWORD"),
            ({"FROSTLANE_SIGN_PASSWORD": PASSWORD}, "FROSTLANE_SIGN_PFX must name"),
            (dict(good, FROSTLANE_SIGN_PFX=self.pki.ca), "could not sign"),
            (dict(good, FROSTLANE_SIGN_TIMESTAMP_URL="http://127.0.0.1:9/"), "gave no time stamp"),
            # A publisher's authority may lie behind their proxy: the workflow
            # goes through the one it is given, here one that does not answer.
            (dict(good, FROSTLANE_SIGN_TIMESTAMP_URL=authority, **DEAD_PROXY), "gave no time stamp"),
        ]
        for variables, told in rows:
            with self.subTest(told=told):
                result, dist, _ = self.write_dist(variables, earlier_release=True)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn(told, " ".join(result.stderr.split()))
                self.assertEqual(os.listdir(dist), [], "a release was left in dist/")


if __name__ == "__main__":
    unittest.main()
