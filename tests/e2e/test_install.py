# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Self-installation as a user meets it: a downloaded frostlane1_install.exe,
run from a folder of its own, asks whether to install itself; on Yes it puts a
byte-identical copy into C:\\windows as the screen saver, says how to activate
it and opens the Screen Saver settings on it, or says why it could not. The
release's Windows Installer package puts the same file in the same place,
quietly, and takes it away again. Every test gets a Wine prefix of its own,
since most of them write into C:\\windows."""

import contextlib
import filecmp
import os
import shutil
import subprocess
import sys
import time
import unittest

import e2e

CAPTION = "Quillon Solutions Frostlane 1"
QUESTION = "Would you like to install Quillon Solutions Frostlane 1?"
NOTICE = ("The screensaver has been installed. But you will need to open the Display Properties and select "
          "\"Quillon Solutions Frostlane 1\" to activate it.")
SETTINGS_NOTICE = ("No settings are available for this screensaver.\r\n"
                   "Would you like to visit the Quillon Solutions website?")
DOWNLOAD_NAME = "frostlane1_install.exe"
INSTALLED_NAME = e2e.product_identity()["installed_name"]
# The 32-bit system folder of 64-bit Wine is C:\windows\syswow64; the program
# finds the target through that folder's parent and names it plainly.
TARGET = "C:\\windows\\" + INSTALLED_NAME
FAILURE = "The screensaver could not be installed to " + TARGET + ".\r\n"
# The system's own sentence for error 5: Windows' wording, then Wine's.
ACCESS_DENIED = ("Access is denied.", "Access denied.")
# Error 183, told for a folder standing at the target.
ALREADY_EXISTS = ("Cannot create a file when that file already exists.", "File already exists.")
# The one argument text of the run the install starts with raised rights.
ELEVATED_SWITCH = "/elevated-copy"
ID_OK, ID_YES, ID_NO = 1, 6, 7
# What loadmarker.exe, standing in for rundll32.exe, records of a start that
# opens the Screen Saver settings on the installed file.
SETTINGS_START = ('rundll32.exe loaded by "C:\\windows\\system32\\rundll32.exe" '
                  'desk.cpl,InstallScreenSaver C:\\windows\\' + INSTALLED_NAME)
DIALOG_CLASS = "#32770"
MAKE_PACKAGE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging", "make_msi.py")

# The first program in a fresh prefix may take a few seconds to show its box,
# and a box that closes leaves a program that ends: both are waited for this long.
BOX_TIMEOUT = EXIT_TIMEOUT = e2e.PATIENCE
# How long the installed saver is watched for an install question that must not
# come. The question would come before the saver's window, which the watch waits for.
NO_OFFER_WATCH = 1.5


def windows_path(unix_path):
    """The path as a program under Wine sees it, through drive Z:."""
    return "Z:" + unix_path.replace("/", "\\")


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


class InstallTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        resources = contextlib.ExitStack()
        cls.addClassCleanup(resources.close)
        cls.work = e2e.fresh_work_folder("test_install.InstallTest")
        cls.x_server = resources.enter_context(e2e.start_xvfb(cls.work, 1280, 720))

    # ------------------------------------------------------------ set-up

    @contextlib.contextmanager
    def session(self, name, locale=None):
        """A Wine session of its own: a fresh copy of the prefix and a wineserver,
        both gone when the block ends, so no two sessions run at once; in the
        display language of `locale` when given."""
        work = os.path.join(self.work, name)
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
        prefix = os.path.join(work, "prefix")
        with contextlib.ExitStack() as resources:
            resources.callback(shutil.rmtree, prefix, ignore_errors=True)
            e2e.copy_prefix(e2e.prefix_template(), prefix)
            wine = e2e.Wine(prefix, self.x_server.display, work, locale=locale)
            resources.callback(wine.stop_server)
            wine.start_server()
            yield wine

    def download(self, wine, folder_name="Downloads", file_name=DOWNLOAD_NAME):
        """The program as a user downloads it: alone in a folder of its own."""
        folder = os.path.join(wine.work, folder_name)
        os.makedirs(folder)
        path = os.path.join(folder, file_name)
        shutil.copyfile(e2e.windows_binary(e2e.PROGRAM_NAME), path)
        return path

    def start(self, wine, exe, *args):
        program = wine.start(exe, *args)
        self.addCleanup(program.close)
        return program

    @staticmethod
    def windows_folder(wine):
        return os.path.join(wine.prefix, "drive_c", "windows")

    # ------------------------------------------------------------ boxes

    def wait_for_box(self, wine, exe_name, seen=(), timeout=BOX_TIMEOUT, any_exe=False):
        """The program's next message box (one not among `seen` handles) and its
        content as the inspector reads it. With `any_exe`, a box of any program
        counts: the inspector reads no module name longer than 260 characters."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            windows = wine.inspector.list() if any_exe else wine.inspector.windows_of(exe_name)
            for window in windows:
                if window["class"] != DIALOG_CLASS or window["hwnd"] in seen:
                    continue
                # A box that closes while it is read is simply looked for again.
                with contextlib.suppress(LookupError):
                    return window, wine.inspector.dialog(window["hwnd"])
            time.sleep(e2e.POLL_INTERVAL)
        self.fail("no new message box of %s within %.0f s; windows: %s"
                  % (exe_name, timeout, wine.inspector.list()))

    def assertBox(self, dialog, text, buttons):
        self.assertEqual(dialog["caption"], CAPTION)
        self.assertEqual(dialog["texts"], [text])
        self.assertTrue(dialog["icon"], "the box shows no icon")
        shown = {b["id"]: b["text"].replace("&", "") for b in dialog["buttons"] if b["visible"]}
        self.assertEqual(shown, buttons)

    def answer_question(self, wine, answer, exe_name=DOWNLOAD_NAME, any_exe=False):
        """Reads the install question exactly and presses `answer`; returns the box."""
        box, dialog = self.wait_for_box(wine, exe_name, any_exe=any_exe)
        self.assertBox(dialog, QUESTION, {ID_YES: "Yes", ID_NO: "No"})
        self.assertEqual(wine.inspector.click(box["hwnd"], answer), {"Yes": ID_YES, "No": ID_NO}[answer])
        return box

    def install(self, wine, exe):
        """Runs the download, answers Yes, checks the notice and lets the program end."""
        program = self.start(wine, exe)
        question = self.answer_question(wine, "Yes")
        notice, dialog = self.wait_for_box(wine, DOWNLOAD_NAME, seen={question["hwnd"]})
        self.assertBox(dialog, NOTICE, {ID_OK: "OK"})
        wine.inspector.click(notice["hwnd"], "OK")
        self.assertTrue(program.wait(EXIT_TIMEOUT), "still running after the notice was closed")

    def answer_outcome(self, wine, exe_name, question, any_exe=False):
        """The text of the box after the question, closed with OK."""
        box, dialog = self.wait_for_box(wine, exe_name, seen={question["hwnd"]}, any_exe=any_exe)
        self.assertEqual(len(dialog["texts"]), 1, dialog["texts"])
        self.assertBox(dialog, dialog["texts"][0], {ID_OK: "OK"})
        wine.inspector.click(box["hwnd"], "OK")
        return dialog["texts"][0]

    def assertNoPartialFile(self, wine):
        leftovers = [name for name in os.listdir(self.windows_folder(wine)) if name.endswith(".partial")]
        self.assertEqual(leftovers, [])

    # ------------------------------------------------------------ tests

    def test_yes_installs_a_byte_identical_screen_saver_and_says_how_to_activate_it(self):
        with self.session("yes") as wine:
            exe = self.download(wine)
            self.install(wine, exe)
            installed = os.path.join(self.windows_folder(wine), INSTALLED_NAME)
            self.assertTrue(os.path.isfile(installed), "nothing at " + installed)
            self.assertTrue(filecmp.cmp(exe, installed, shallow=False), "the installed copy differs from the exe")
            self.assertNoPartialFile(wine)
            self.assertFalse(os.path.exists(os.path.join(self.windows_folder(wine), "syswow64", INSTALLED_NAME)))

    def test_a_download_folder_in_any_script_installs_the_same_way(self):
        for folder_name in ("Загрузки", "ダウンロード"):
            with self.subTest(folder=folder_name), self.session("script-" + folder_name.encode().hex()[:12]) as wine:
                exe = self.download(wine, folder_name)
                self.install(wine, exe)
                installed = os.path.join(self.windows_folder(wine), INSTALLED_NAME)
                self.assertTrue(os.path.isfile(installed), "nothing installed from " + folder_name)
                self.assertTrue(filecmp.cmp(exe, installed, shallow=False))

    def test_a_german_windows_asks_in_german(self):
        with self.session("german", locale="de_DE.UTF-8") as wine:
            program = self.start(wine, self.download(wine))
            box, dialog = self.wait_for_box(wine, DOWNLOAD_NAME)
            self.assertBox(dialog, "Möchten Sie „Quillon Solutions Frostlane 1“ installieren?",
                           {ID_YES: "Ja", ID_NO: "Nein"})
            wine.inspector.click(box["hwnd"], ID_NO)
            self.assertTrue(program.wait(EXIT_TIMEOUT), "still running after Nein")

    def test_no_copies_nothing_and_ends(self):
        with self.session("no") as wine:
            before = sorted(os.listdir(self.windows_folder(wine)))
            program = self.start(wine, self.download(wine))
            question = self.answer_question(wine, "No")
            # Nothing more is shown: no notice, no settings notice, no saver.
            shown = []
            deadline = time.monotonic() + EXIT_TIMEOUT
            while program.running and time.monotonic() < deadline:
                shown += [w for w in wine.inspector.windows_of(DOWNLOAD_NAME) if w["hwnd"] != question["hwnd"]]
            self.assertTrue(program.wait(0.0), "still running after No")
            self.assertEqual(shown, [])
            self.assertEqual(sorted(os.listdir(self.windows_folder(wine))), before)

    def test_the_installed_screen_saver_runs_with_no_offer(self):
        with self.session("installed") as wine:
            self.install(wine, self.download(wine))
            saver = self.start(wine, os.path.join(self.windows_folder(wine), INSTALLED_NAME), "/s")
            window = wine.inspector.wait_for_window(INSTALLED_NAME, timeout=BOX_TIMEOUT)
            self.assertIsNotNone(window, "the installed saver showed no window")
            seen = []
            watch_until = time.monotonic() + NO_OFFER_WATCH
            while time.monotonic() < watch_until:
                seen += wine.inspector.windows_of(INSTALLED_NAME)
            self.assertTrue(saver.running, "the saver ended by itself")
            self.assertEqual([w for w in seen if w["class"] == DIALOG_CLASS], [])
            self.assertIn([0, 0, 1280, 720], [w["rect"] for w in seen], "no window covers the monitor")

    def test_a_hidden_exe_is_no_installer_and_shows_the_settings_notice(self):
        with self.session("hidden") as wine:
            exe = self.download(wine)
            status, _ = wine.run("attrib", "+h", windows_path(exe))
            self.assertEqual(status, 0)
            status, listing = wine.run("attrib", windows_path(exe))
            self.assertIn("H", listing.split("Z:")[0], "the hidden attribute did not stick: " + listing)

            program = self.start(wine, exe)
            box, dialog = self.wait_for_box(wine, DOWNLOAD_NAME)
            self.assertBox(dialog, SETTINGS_NOTICE, {ID_YES: "Yes", ID_NO: "No"})
            wine.inspector.click(box["hwnd"], "No")
            self.assertTrue(program.wait(EXIT_TIMEOUT))
            self.assertFalse(os.path.exists(os.path.join(self.windows_folder(wine), INSTALLED_NAME)))

    def test_a_failed_copy_is_told_with_its_reason_and_leaves_no_file(self):
        # A refusal for want of rights is retried once in a second run of the
        # program with its switch (Wine starts "runas" without a prompt, as every
        # process there counts as elevated); a folder at the target is told at once.
        # Wine's process trace in the program's log names every process it starts.
        cases = [
            ("the Windows folder cannot be written", self.make_windows_folder_unwritable, ACCESS_DENIED, True),
            ("a folder stands at the target", self.put_folder_at_target, ALREADY_EXISTS, False),
        ]
        for name, arrange, reasons, retried in cases:
            with self.subTest(name), self.session("failure-" + arrange.__name__) as wine:
                exe = self.download(wine, "My Downloads")
                with arrange(wine) as check_target_untouched:
                    wine.env["WINEDEBUG"] = "-all,+process"
                    program = self.start(wine, exe)
                    question = self.answer_question(wine, "Yes")
                    self.assertIn(self.answer_outcome(wine, DOWNLOAD_NAME, question),
                                  [FAILURE + reason for reason in reasons])
                    self.assertTrue(program.wait(EXIT_TIMEOUT), "still running after the failure was told")
                    check_target_untouched()
                with open(program.log_path, encoding="utf-8", errors="replace") as log:
                    started = [line for line in log if "CreateProcessInternalW app" in line]
                second_runs = [line for line in started
                               if DOWNLOAD_NAME in line and line.rstrip().endswith(ELEVATED_SWITCH + '"')]
                self.assertEqual(len(second_runs), 1 if retried else 0, started)
                self.assertNoPartialFile(wine)

    def test_the_run_with_the_switch_copies_by_itself_shows_nothing_and_ends_with_its_outcome(self):
        with self.session("switch") as wine:
            exe = self.download(wine)
            target = os.path.join(self.windows_folder(wine), INSTALLED_NAME)

            def run_switched(count=1):
                programs = [self.start(wine, exe, ELEVATED_SWITCH) for _ in range(count)]
                shown = []
                deadline = time.monotonic() + BOX_TIMEOUT
                while any(p.running for p in programs) and time.monotonic() < deadline:
                    shown += wine.inspector.windows_of(DOWNLOAD_NAME)
                self.assertEqual(shown, [], "the run with the switch showed a window")
                self.assertTrue(all(p.wait(0.0) for p in programs))
                return [p.exit_code for p in programs]

            with self.subTest("copies itself byte for byte"):
                self.assertEqual(run_switched(), [0])
                self.assertTrue(filecmp.cmp(exe, target, shallow=False))
            with self.subTest("two at the same moment"):
                os.remove(target)
                self.assertEqual(run_switched(2), [0, 0])
                self.assertTrue(filecmp.cmp(exe, target, shallow=False))
                self.assertNoPartialFile(wine)
            with self.subTest("the Windows folder cannot be written"):
                os.remove(target)
                with self.make_windows_folder_unwritable(wine):
                    self.assertEqual(run_switched(), [5])
                self.assertFalse(os.path.exists(target))
                self.assertNoPartialFile(wine)

    def test_downloads_under_the_paths_and_names_users_give_them(self):
        long_folder = "/".join(["Downloads-" + "x" * 60] * 5)
        rows = [
            # folder, file name, how the earlier copy stands, what the user is told
            (long_folder, DOWNLOAD_NAME, None, NOTICE),
            ("dots", "frost.lane.v1.exe", None, NOTICE),
            ("upper", "FROSTLANE1.EXE", None, NOTICE),
            ("My Downloads", "Frostlane 1 setup.exe", None, NOTICE),
            ("\U0001F384 Downloads", DOWNLOAD_NAME, None, NOTICE),
            ("read-only", DOWNLOAD_NAME, "read-only", NOTICE),
            ("in use", DOWNLOAD_NAME, "running", None),
        ]
        with self.session("paths") as wine:
            target = os.path.join(self.windows_folder(wine), INSTALLED_NAME)
            for folder, file_name, earlier, told in rows:
                with self.subTest(folder=folder[:20], file=file_name, earlier=earlier):
                    exe = self.download(wine, folder, file_name)
                    self.assertEqual(len(windows_path(exe)) > 260, folder == long_folder)
                    any_exe = len(windows_path(exe)) > 260
                    saver = None
                    if earlier is not None:
                        shutil.copyfile(exe, target)
                        with open(target, "ab") as earlier_copy:
                            earlier_copy.write(b"earlier")
                        before = read_bytes(target)
                    if earlier == "read-only":
                        os.chmod(target, 0o444)
                    if earlier == "running":
                        saver = self.start(wine, target, "/s")
                        self.assertIsNotNone(wine.inspector.wait_for_window(INSTALLED_NAME, timeout=BOX_TIMEOUT))
                    program = self.start(wine, exe)
                    question = self.answer_question(wine, "Yes", file_name, any_exe)
                    text = self.answer_outcome(wine, file_name, question, any_exe)
                    self.assertTrue(program.wait(EXIT_TIMEOUT), "still running after the last box")
                    if told is not None:
                        self.assertEqual(text, told)
                        self.assertTrue(filecmp.cmp(exe, target, shallow=False))
                    else:
                        self.assertIn(text, [FAILURE + reason for reason in ACCESS_DENIED])
                        self.assertEqual(read_bytes(target), before, "the running copy was changed")
                        self.assertTrue(saver.running, "the running saver ended")
                        saver.close()
                    self.assertNoPartialFile(wine)
                    os.chmod(target, 0o644)
                    os.remove(target)

    def test_the_screen_saver_settings_open_once_after_the_notice_and_only_from_system32(self):
        with self.session("settings") as wine:
            # Wine prefers its own rundll32.exe to a file on disk unless told otherwise.
            wine.env["WINEDLLOVERRIDES"] += ";rundll32.exe=n"
            exe = self.download(wine)
            system32 = os.path.join(self.windows_folder(wine), "system32")
            for folder in (system32, os.path.dirname(exe)):
                shutil.copyfile(e2e.windows_binary("loadmarker.exe"), os.path.join(folder, "rundll32.exe"))

            def starts(folder=system32):
                with contextlib.suppress(FileNotFoundError), open(os.path.join(folder, "planted-dll-loads.txt")) as f:
                    return f.read().splitlines()
                return []

            program = self.start(wine, exe)
            self.answer_question(wine, "No")
            self.assertTrue(program.wait(EXIT_TIMEOUT))
            with self.make_windows_folder_unwritable(wine):
                program = self.start(wine, exe)
                self.answer_outcome(wine, DOWNLOAD_NAME, self.answer_question(wine, "Yes"))
                self.assertTrue(program.wait(EXIT_TIMEOUT))
            program = self.start(wine, exe)
            notice, _ = self.wait_for_box(wine, DOWNLOAD_NAME, seen={self.answer_question(wine, "Yes")["hwnd"]})
            self.assertEqual(starts(), [], "started before the notice was answered")
            wine.inspector.click(notice["hwnd"], "OK")
            self.assertTrue(program.wait(EXIT_TIMEOUT))
            e2e.wait_until(starts, BOX_TIMEOUT)
            time.sleep(NO_OFFER_WATCH)  # a second start would show by now
            self.assertEqual(starts(), [SETTINGS_START])
            self.assertEqual(starts(os.path.dirname(exe)), [], "the rundll32.exe beside the download ran")

    def test_the_package_installs_the_same_file_and_removes_it_quietly_also_over_the_self_install(self):
        program = e2e.windows_binary(e2e.PROGRAM_NAME)
        package = os.path.join(self.work, "Frostlane1.msi")
        subprocess.run([sys.executable, MAKE_PACKAGE, program, package], check=True, capture_output=True)
        with self.session("package") as wine:
            installed = os.path.join(self.windows_folder(wine), INSTALLED_NAME)

            def listed():
                # The programs Windows lists as installed, from their key through reg: Wine 10's
                # `uninstaller --list` writes nothing into a file, where wine.run sends output.
                status, listing = wine.run("reg", "query", r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall",
                                           "/s")
                self.assertEqual(status, 0)
                return [line for line in listing.splitlines()
                        if line.split(None, 2) == ["DisplayName", "REG_SZ", CAPTION]]

            for self_installed_first in (False, True):
                with self.subTest(self_installed_first=self_installed_first):
                    if self_installed_first:
                        self.install(wine, self.download(wine))
                    self.assertEqual(wine.run("msiexec", "/i", windows_path(package), "/qn", timeout=120)[0], 0)
                    self.assertTrue(filecmp.cmp(program, installed, shallow=False), "not the program's bytes")
                    self.assertEqual(len(listed()), 1)
                    self.assertEqual(wine.run("msiexec", "/x", windows_path(package), "/qn", timeout=120)[0], 0)
                    self.assertFalse(os.path.exists(installed), "the removal left the saver")
                    self.assertEqual(listed(), [])

    # ------------------------------------------------------------ failures

    @contextlib.contextmanager
    def make_windows_folder_unwritable(self, wine):
        folder = self.windows_folder(wine)
        with e2e.unwritable_folder(folder):
            yield lambda: self.assertFalse(os.path.exists(os.path.join(folder, INSTALLED_NAME)))

    @contextlib.contextmanager
    def put_folder_at_target(self, wine):
        # The copy into the temporary file succeeds here; only the final move
        # fails, so this proves the temporary file is taken away again.
        target = os.path.join(self.windows_folder(wine), INSTALLED_NAME)
        os.makedirs(target)
        yield lambda: self.assertTrue(os.path.isdir(target), "the folder at the target was replaced")


if __name__ == "__main__":
    unittest.main()
