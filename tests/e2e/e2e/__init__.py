# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Harness for Frostlane's end-to-end tests: the real Windows program under
Wine, on a virtual X server, driven by keys and mouse and read back through
Win32 with our inspector (wininspect.exe).

Contract
- Every start_* function and every class here owns the processes it starts and
  ends them by their PID in close() (or on leaving its `with` block), also when
  a test fails. Nothing is ended by name.
- Times are seconds, screen positions are pixels. Windows coordinates come from
  the inspector; X coordinates go to xdotool. On one monitor they agree; on the
  three-monitor server Windows = X - 800 (the primary monitor is Windows' origin).
- Failures of the environment (no free display, a server that does not come up,
  a missing program) raise EnvironmentFailure; what a test checks is left to
  the test's own assertions.

Environment
- FROSTLANE_WINDOWS_BIN (required): folder with Frostlane1.exe and wininspect.exe.
- FROSTLANE_E2E_PREFIX_TEMPLATE: the Wine prefix made once per run
  (make_wine_prefix.py); default <work root>/wine-prefix-template.
- FROSTLANE_E2E_WORK: the folder under which each test gets its own work folder;
  default <temp>/frostlane-e2e. Keep it short: Windows paths into it, such as
  a download in a folder of a long name, must stay under 260 characters. It may
  lie on a file system that runs no programs (a /tmp mounted noexec): Wine
  reads a Windows program it cannot map as executable.
- FROSTLANE_TEST_SCRIPTS: the folder, in the build tree, where the tests write
  the Unix scripts they run (the fake browser); default build/test-scripts
  in the source tree.
- FROSTLANE_IDENTITY: the build's identity.json (the product's name, site and
  installed file).

Modules: processes (start, stop and wait), places (built programs, identity and
work folders), wine (the scrubbed environment, prefixes and sessions), xserver
(virtual X servers, xdotool, screenshots), images (screenshot statistics),
pointer (the X pointer), inspector (the wininspect.exe client), browser (the
stand-in browser) and testcase (the base test case). Everything is also
reachable as e2e.<name>, as the tests and the benchmarks use it.
"""

from .processes import *  # noqa: F401,F403
from .places import *  # noqa: F401,F403
from .images import *  # noqa: F401,F403
from .pointer import *  # noqa: F401,F403
from .inspector import *  # noqa: F401,F403
from .xserver import *  # noqa: F401,F403
from .wine import *  # noqa: F401,F403
from .browser import *  # noqa: F401,F403
from .testcase import *  # noqa: F401,F403
