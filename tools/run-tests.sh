#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Builds everything (the native tests and tools, and the Windows program with
# MinGW-w64) and runs every test: unit, asset checks, the release's
# reproducibility and end to end under Wine; then builds the native tree again
# with Clang, every warning an error, and runs its tests; then builds the native
# tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit
# and renderer tests there. Ends with the CTest summaries; fails when any run
# fails, after running all three.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh all
bash tools/tool-versions.sh
status=0
cmake --workflow --preset all || status=$?
cmake --workflow --preset linux-clang || status=$?
cmake --workflow --preset linux-asan || status=$?
exit "$status"
