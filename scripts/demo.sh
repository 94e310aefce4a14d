#!/usr/bin/env bash
# Builds the launcher, assembles the game folder in build/game/ and runs it
# there under Wine:
#  - with DISPLAY set, on your display, until you close it (Alt+F4 on the stage);
#  - without DISPLAY, on virtual 8-bit and 24-bit displays, where a scripted
#    tour takes screenshots of what a player sees and closes the launcher; the
#    script then says where the pictures are.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target game_folder quil_demo_tour

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="$root/build/demo/prefix"
  # As scripts/wine-run.sh: a driver's OpenGL libraries in the game folder
  # before Wine's own.
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;opengl32,glu32=n,b"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "demo: preparing a Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
  fi
  echo "demo: running build/game/Quil3D.exe on $DISPLAY (close it with Alt+F4 on the menu)"
  cd build/game
  status=0
  wine Quil3D.exe || status=$?
  wineserver -w || true
  echo "demo: the launcher ended with exit code $status"
  exit 0
fi

export QUIL_RUN_DIR="$root/build/demo/run"
export QUIL_DISPLAYS="8 24"
# shellcheck source=lib/displays.sh
. scripts/lib/displays.sh
trap quil_displays_down EXIT
echo "demo: no DISPLAY; starting virtual displays"
quil_displays_up

shots="$root/build/demo/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
status=0
for depth in 8 24; do
  echo "demo: touring the launcher on the ${depth}-bit display"
  QUIL_GAME_DIR="$root/build/game" QUIL_ARTIFACTS_DIR="$shots" \
    timeout 120 scripts/wine-run.sh --depth "$depth" build/win32/tools/demo/quil_demo_tour.exe || status=$?
done
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "demo: screenshots saved in $shots:"
ls -1 "$shots"
exit $status
