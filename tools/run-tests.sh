#!/usr/bin/env bash
# Builds everything (the native tests and tools, and the Windows program with
# MinGW-w64) and runs every test: unit, asset checks and end to end under Wine;
# then builds the native tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the unit and renderer tests there.
# Ends with CTest's summary; the exit status is CTest's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --workflow --preset all
cmake --workflow --preset linux-asan
