# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Makes the Wine prefix that every end-to-end test of this run copies
(CTest's wine_prefix fixture). Takes about ten seconds; the path comes from
FROSTLANE_E2E_PREFIX_TEMPLATE, or defaults under the e2e work folder."""

import os
import sys
import time

import e2e


def main():
    path = e2e.prefix_template()
    os.makedirs(os.path.dirname(path), exist_ok=True)
    started = time.monotonic()
    e2e.make_prefix_template(path)
    print("Wine prefix template at %s made in %.1f s" % (path, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
