#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Builds the Windows program (that target alone) and shows the screen saver
# under Wine, installed where Windows keeps it and started the way Windows
# starts a screen saver ("/s"). With a display ($DISPLAY) it opens there: move
# the mouse or type a letter to end it. Without one it runs on a virtual 1280x720
# screen, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh show

show=build/show
mkdir -p "$show"
# Wine's language and file-name code page follow the locale; the caller's
# WINE* settings would change which Wine runs and where.
for name in $(compgen -e | grep '^WINE' || true); do unset "$name"; done
unset LANGUAGE
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEPREFIX="$PWD/$show/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe,winemenubuilder.exe=d"

# A new prefix takes about ten seconds: make it while the program compiles.
prefix_job=
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "Making a Wine prefix in $show/prefix (once)..."
  ( env -u DISPLAY wineboot -i >"$show/wineboot.log" 2>&1 || true; wineserver -w ) &
  prefix_job=$!
fi
cmake --preset windows >/dev/null
cmake --build --preset windows --target Frostlane1
[[ -z "$prefix_job" ]] || wait "$prefix_job"

# Installed as Windows installs it: C:\windows\<title>.scr, with no .exe beside it.
saver='C:\windows\Quillon_Solutions_Frostlane_1.scr'
cp build/windows/bin/Frostlane1.exe "$WINEPREFIX/drive_c/windows/Quillon_Solutions_Frostlane_1.scr"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  echo "Showing the saver on $DISPLAY: move the mouse or type a letter to end it."
  wine "$saver" /s
  exit 0
fi

# Xvfb picks a free display itself and writes its number to the file.
rm -f "$show/display"
setsid Xvfb -displayfd 1 -screen 0 1280x720x24 -nolisten tcp -noreset >"$show/display" 2>"$show/xvfb.log" &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do [[ -s "$show/display" ]] && break; sleep 0.1; done
[[ -s "$show/display" ]] || { echo "Xvfb did not start; see $show/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$show/display")
wineserver -k 2>/dev/null || true

wine "$saver" /s &
saver_job=$!
# The saver is up once a window covers the whole screen; then the bands get
# two seconds to slide before the picture is taken.
for _ in $(seq 300); do
  xwininfo -root -children 2>/dev/null | grep -q '1280x720+0+0' && break
  kill -0 $saver_job 2>/dev/null || { echo "The saver ended before it showed." >&2; exit 1; }
  sleep 0.1
done
sleep 2
import -window root "$show/frostlane.png"
# A move of the mouse ends the saver, as it would for a person.
xdotool mousemove_relative 1 0
for _ in $(seq 100); do kill -0 $saver_job 2>/dev/null || break; sleep 0.1; done
kill $saver_job 2>/dev/null || true
echo "No display: the saver ran on a virtual 1280x720 screen. Screenshot: $PWD/$show/frostlane.png"
