#!/usr/bin/env bash
# Builds the Windows program and shows the screen saver under Wine, started the
# way Windows starts an installed screen saver ("/s"). With a display ($DISPLAY)
# it opens there: move the mouse or press a key to end it. Without one it runs on
# a virtual 1280x720 screen, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

show=build/show
mkdir -p "$show/saver"
# As an installed screen saver: a .scr with no .exe beside it.
cp build/windows/bin/Frostlane1.exe "$show/saver/Quillon_Solutions_Frostlane_1.scr"

export WINEPREFIX="$PWD/$show/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe,winemenubuilder.exe=d"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "Making a Wine prefix (once, about ten seconds)..."
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  echo "Showing the saver on $DISPLAY: move the mouse or press a key to end it."
  wine "$show/saver/Quillon_Solutions_Frostlane_1.scr" /s
  exit 0
fi

display=:$(( 90 + RANDOM % 9 ))
setsid Xvfb "$display" -screen 0 1280x720x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'DISPLAY=$display wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
wineserver -k 2>/dev/null || true
wine "$show/saver/Quillon_Solutions_Frostlane_1.scr" /s &
saver=$!
sleep 4
import -window root "$show/frostlane.png"
# A move of the mouse ends the saver, as it would for a person.
xdotool mousemove_relative 1 0
for _ in $(seq 50); do kill -0 $saver 2>/dev/null || break; sleep 0.1; done
kill $saver 2>/dev/null || true
echo "No display: the saver ran on a virtual 1280x720 screen. Screenshot: $PWD/$show/frostlane.png"
