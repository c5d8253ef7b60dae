#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Frostlane need,
# when any is missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xdotool imagemagick x11-utils
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils openbox
  libx11-6 libxfixes3
  librsvg2-bin zopfli icoutils python3 python3-pil python3-pefile
  osslsigncode openssl
  libpng-dev libgif-dev libimagequant-dev
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
