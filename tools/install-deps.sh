#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Installs the Debian packages that Frostlane needs, when any is missing, as
# root or through sudo. One group of packages at a time:
#
#   install-deps.sh show   building the Windows program and showing it under Wine
#   install-deps.sh all    everything the tests need as well (the default), and
#                          the locales the tests run Wine in
#
# Each list below is the only place its packages are named. A package already
# installed is left as it is, whatever its version: the tests read what a tool's
# output means, not one version's wording. "all" also installs, with npm, the
# package that carries CycloneDX's published schemas (see npm_schemas below).
set -euo pipefail

group=${1:-all}

# The Windows program: CMake with Ninja, and MinGW-w64's win32-thread compilers,
# which the toolchain file names (the release is built with them alone).
show=(
  cmake ninja-build
  g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  # The notices of what the link takes in: Debian's Python reads the packages'
  # machine-readable copyright files with python-debian.
  python3 python3-debian
  # Showing it: Wine, a virtual X server, a screenshot and a mouse move.
  wine wine64 xvfb x11-utils imagemagick xdotool
)

all=(
  "${show[@]}"
  # The native tree: unit tests, benchmarks and tools, with GCC and Clang.
  g++ clang libgtest-dev libgmock-dev googletest libbenchmark-dev zlib1g-dev
  libpng-dev libgif-dev libimagequant-dev
  # End to end: three monitors on Xorg's dummy driver, xrandr, a window manager,
  # the pointer's image (XFixes), and the immutable flag that makes a folder
  # unwritable for root (chattr).
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils openbox
  libx11-6 libxfixes3 e2fsprogs
  # The art and the resources: the rasterizer, the PNG squeezer, icon tools,
  # and Debian's Python with PIL and pefile.
  librsvg2-bin zopfli icoutils python3 python3-pil python3-pefile
  # The release: its time comes from the last commit (git); its second test
  # build runs in another time zone (tzdata); signing (osslsigncode, openssl)
  # and reading what a signature says (python3-asn1crypto).
  git tzdata osslsigncode openssl python3-asn1crypto
  # The release's Windows Installer package: wixl builds it, libmsi's Python
  # bindings give it its times and codes, msitools reads it back in the tests.
  wixl python3-gi gir1.2-libmsi-1.0 msitools
  # The languages the tests show the program in (locale-gen).
  locales
  # Every file's licence declared (reuse lint); the bill of materials checked
  # against its schema (python3-jsonschema), which npm brings.
  reuse python3-jsonschema
)
if ! command -v npm >/dev/null; then
  all+=(npm)
fi

# CycloneDX's JSON schemas as CycloneDX publishes them, from the npm registry
# into npm's global folder (the tests find it with `npm root -g` and need no
# network), at one version so every machine checks against the same schema.
# Its peer dependencies are the library's own validators, which the tests do
# not use, and it runs no install scripts.
npm_schemas=@cyclonedx/cyclonedx-library@10.3.0

# Wine speaks the language of its locale, which glibc must have generated; a
# missing one silently gives US English. C.UTF-8, the tests' own, is built in.
test_locales=(de_DE.UTF-8)

case "$group" in
  show) packages=("${show[@]}") ;;
  all) packages=("${all[@]}") ;;
  *) echo "usage: $0 [show|all]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
ungenerated=()
if [[ "$group" == all ]]; then
  for locale in "${test_locales[@]}"; do
    # locale -a lists de_DE.UTF-8 as de_DE.utf8.
    locale -a 2>/dev/null | grep -qixF "${locale%.UTF-8}.utf8" || ungenerated+=("$locale")
  done
fi
npm_missing=false
if [[ "$group" == all ]]; then
  # Without npm (it comes with the packages above) nothing can be installed
  # yet, and asking it where its global folder is would end this script.
  npm_missing=true
  if command -v npm >/dev/null && global=$(npm root -g 2>/dev/null); then
    installed=$global/${npm_schemas%@*}/package.json
    grep -qF "\"version\": \"${npm_schemas##*@}\"" "$installed" 2>/dev/null && npm_missing=false
  fi
fi
[[ ${#missing[@]} -eq 0 && ${#ungenerated[@]} -eq 0 && $npm_missing == false ]] && exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing Debian packages: ${missing[*]}; locales not generated: ${ungenerated[*]};" \
      "npm package missing: $([[ $npm_missing == true ]] && echo "$npm_schemas")" >&2
    echo "Run this again as root, or install sudo first." >&2
    exit 1
  fi
  as_root=(sudo)
fi

# apt's own report goes to a log, shown only when something fails.
log=$(mktemp -t frostlane-apt.XXXXXX)
trap 'rm -f "$log"' EXIT
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
  started=$SECONDS
  if ! { "${as_root[@]}" apt-get update -q &&
         "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
           apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "Installing the packages failed (above)." >&2
    exit 1
  fi
  echo "Installed in $((SECONDS - started)) s."
fi

if [[ ${#ungenerated[@]} -gt 0 ]]; then
  # Named in /etc/locale.gen, they stay when locale-gen runs again.
  echo "Generating the locales ${ungenerated[*]}"
  if ! { printf '%s UTF-8\n' "${ungenerated[@]}" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null &&
         "${as_root[@]}" locale-gen; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "Generating the locales failed (above)." >&2
    exit 1
  fi
fi

if [[ $npm_missing == true ]]; then
  echo "Installing $npm_schemas with npm"
  # From the root folder, so that nothing is written into the checkout.
  if ! (cd / && "${as_root[@]}" npm install --global --legacy-peer-deps --ignore-scripts --no-audit --no-fund \
          "$npm_schemas") >"$log" 2>&1; then
    cat "$log" >&2
    echo "Installing $npm_schemas failed (above)." >&2
    exit 1
  fi
fi
