# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Runs the Win32 machine's own tests (frostlane_win32_tests.exe, which the
Windows build makes from tests/win32) under Wine, on an X server and in a Wine
prefix of their own, as the end-to-end tests run the program."""

import os
import re
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "e2e"))
import e2e  # noqa: E402

TEST_PROGRAM = "frostlane_win32_tests.exe"


class Win32MachineTest(e2e.WineDesktopTest):

    def test_win32_machine_tests_pass_under_wine(self):
        # As Windows 10 and 11, where most users are: Wine's own prefix says Windows 7.
        self.wine.run("reg", "add", "HKCU\\Software\\Wine\\AppDefaults\\" + TEST_PROGRAM, "/v", "Version", "/d", "win10",
                      "/f")
        result = self.wine.run_capturing(e2e.windows_binary(TEST_PROGRAM), "--gtest_color=no", timeout=120.0)
        # Shown by CTest when the test fails.
        print(result.stdout)
        print(result.stderr, file=sys.stderr)
        # A crash under Wine ends with 5 and prints no summary: ask for both.
        self.assertEqual(result.returncode, 0, "the Win32 tests failed or crashed")
        self.assertRegex(result.stdout, re.compile(r"^\[  PASSED  \] [1-9]\d* tests?\.\r?$", re.MULTILINE))
        self.assertNotIn("[  FAILED  ]", result.stdout)


if __name__ == "__main__":
    unittest.main()
