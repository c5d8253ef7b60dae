#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Prints one line for each tool the build and the tests rely on, with the
# version this machine has, so that a failure on another machine can be read
# against them at a glance. A tool that is missing says so; this never fails.
set -uo pipefail

# The first line a command prints that holds a version number.
version_of() {
  "$@" 2>&1 | grep -m1 -E '[0-9]+\.[0-9]+' | sed -E 's/^[[:space:]]+//' || true
}

# The version of an installed Debian package.
package_version() {
  dpkg-query -W -f='${Version}' "$1" 2>/dev/null | sed -E 's/^(.+)$/package \1/' || true
}

line() {
  local what=$1 found=$2
  printf '%-14s %s\n' "$what:" "${found:-not found}"
}

mingw=x86_64-w64-mingw32
python_modules=$(/usr/bin/python3 - 2>/dev/null <<'EOF'
import importlib
found = []
for name in ("PIL", "pefile", "asn1crypto", "jsonschema", "debian"):
    try:
        found.append("%s %s" % (name, getattr(importlib.import_module(name), "__version__", "?")))
    except ImportError:
        found.append(name + " missing")
print(", ".join(found))
EOF
)

line "cmake" "$(version_of cmake --version)"
line "ninja" "$(version_of ninja --version)"
line "MinGW GCC" "$($mingw-g++-win32 -v 2>&1 | grep -m1 '^gcc version' || true) ($(package_version g++-mingw-w64-x86-64-win32)), $($mingw-g++-win32 -v 2>&1 | grep -m1 'Thread model' || echo 'thread model unknown')"
line "binutils" "$(version_of $mingw-ld --version)"
line "GCC" "$(version_of g++ --version)"
line "Clang" "$(version_of clang++ --version)"
line "Wine" "$(version_of wine --version)"
line "Xvfb" "$(package_version xvfb)"
line "Xorg" "$(version_of /usr/lib/xorg/Xorg -version)"
line "osslsigncode" "$(version_of osslsigncode --version)"
line "wixl" "$(version_of wixl --version) ($(package_version wixl))"
line "openssl" "$(version_of openssl version)"
line "Python" "$(version_of /usr/bin/python3 --version)${python_modules:+ ($python_modules)}"
line "librsvg" "$(version_of rsvg-convert --version)"
line "ImageMagick" "$(version_of convert -version)"
line "git" "$(version_of git --version)"
line "reuse" "$(version_of reuse --version)"
line "npm" "$(version_of npm --version), node $(version_of node --version)"
line "CycloneDX" "schemas of @cyclonedx/cyclonedx-library $(grep -m1 -oE '"version": "[^"]+"' \
  "$(npm root -g 2>/dev/null)/@cyclonedx/cyclonedx-library/package.json" 2>/dev/null | cut -d'"' -f4)"
line "locale" "LANG=${LANG:-} LC_ALL=${LC_ALL:-}"
line "user" "$(id -un) (uid $(id -u))"
exit 0
