#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Runs the README's test command once more as a newcomer on Debian 13 would: as
# root in a fresh root made by mmdebstrap (Debian's package, installed when
# missing), on a fresh clone of this checkout's last commit. The root is given
# what this machine has for reaching Debian's mirror and the npm registry: the
# mirror it installs bookworm or trixie from, its apt proxy settings and proxy
# variables, its certificate authorities and npm's configuration. The root lies
# in build/ of this checkout (it needs a few gigabytes, and a /tmp may be
# mounted noexec) and is taken away afterwards, its mounts first, whatever
# happens. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
# Physical, as the kernel names a process's root below.
checkout=$(pwd -P)
suite=trixie

if ! command -v mmdebstrap >/dev/null; then
  echo "Installing mmdebstrap"
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null
fi

# The machine's own Debian mirror, as apt sees it (deb822 or one-line sources).
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
mirror=$(apt-get indextargets --format '$(SITE)' "Label: Debian" "Codename: $codename" 2>/dev/null |
         grep -v security | head -n 1 || true)
mirror=${mirror:-http://deb.debian.org/debian}
# apt's proxy settings go into the root's own apt configuration.
apt_options=()
for file in /etc/apt/apt.conf /etc/apt/apt.conf.d/*; do
  [[ -f $file ]] && grep -qi proxy "$file" && apt_options+=("--aptopt=$file")
done

root=$checkout/build/ci-debian-13
mounted=()
leave_root() {
  local status=$? process index target
  # Anything the tests left running inside would keep the mounts busy.
  for process in /proc/[0-9]*; do
    [[ $(readlink "$process/root" 2>/dev/null) == "$root" ]] && kill -9 "${process#/proc/}" 2>/dev/null
  done
  sleep 1
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    umount "${mounted[index]}" 2>/dev/null || umount -l "${mounted[index]}" || status=1
  done
  # Never remove the root while anything is still mounted in it: that would
  # reach into the machine's own /dev.
  for target in "${mounted[@]}"; do
    if mountpoint -q "$target"; then
      echo "Left $root in place: $target is still mounted" >&2
      exit 1
    fi
  done
  rm -rf --one-file-system "$root"
  exit "$status"
}
trap leave_root EXIT
trap 'exit 130' INT TERM
rm -rf --one-file-system "$root"
mkdir -p "$(dirname "$root")"

echo "Making a Debian 13 root from $mirror"
started=$SECONDS
mmdebstrap --quiet --variant=apt --include=git,ca-certificates,locales "${apt_options[@]}" \
  "$suite" "$root" "$mirror"
echo "Made in $((SECONDS - started)) s."

shopt -s nullglob
authorities=(/usr/local/share/ca-certificates/*)
if [[ ${#authorities[@]} -gt 0 ]]; then
  cp -r "${authorities[@]}" "$root/usr/local/share/ca-certificates/"
fi
if [[ -f /etc/npmrc ]]; then
  cp /etc/npmrc "$root/etc/npmrc"
fi
mount_in() {
  local target=$root$1
  shift
  mount "$@" "$target"
  mounted+=("$target")
}
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /tmp -t tmpfs tmpfs
chroot "$root" update-ca-certificates >/dev/null

git clone --quiet "$checkout" "$root/root/frostlane"
passed=()
for name in http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY CI; do
  [[ -n ${!name:-} ]] && passed+=("$name=${!name}")
done
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt "${passed[@]}" \
  bash -c 'cd /root/frostlane && bash tools/run-tests.sh' </dev/null
