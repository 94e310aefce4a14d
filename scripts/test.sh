#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test: the
# native unit tests (ASan + UBSan), the in-process Win32 tests and the
# end-to-end tests under Wine, in an 8-bit and a 24-bit display.
# Prints a summary line; exits non-zero when anything fails.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

step() { printf '\n== %s (at %d s)\n' "$*" "$SECONDS"; }

step "set-up"
scripts/setup.sh || { echo "test.sh: set-up failed" >&2; exit 1; }

step "format"
format=0
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror >/dev/null 2>&1; then
  echo "clang-format finds files to reformat: run scripts/format.sh"
  format=1
fi

# The displays and their Wine sessions start while the builds run: booting
# Wine takes seconds, mostly spent waiting.
# shellcheck source=lib/displays.sh
. scripts/lib/displays.sh
mkdir -p build
quil_displays_up >build/displays.log 2>&1 &
displays_pid=$!
# Ends the displays, once they are up, however the run ends.
trap 'wait "$displays_pid"; quil_displays_down' EXIT

step "build (native)"
cmake --preset native >/dev/null && cmake --build --preset native || { echo "test.sh: native build failed"; exit 1; }
step "build (win32)"
cmake --preset win32 >/dev/null && cmake --build --preset win32 || { echo "test.sh: win32 build failed"; exit 1; }

step "displays"
wait "$displays_pid" || {
  cat build/displays.log
  echo "test.sh: the test displays did not start"
  exit 1
}

artifacts=$root/build/win32/artifacts
rm -rf "$artifacts"

# The native tests and the fuzz smoke run (and the fuzz preset builds) beside
# the Wine tiers, which spend most of their time waiting on the launcher's
# windows; their output is shown once the Wine tiers are done. They take only
# the processor time that the Wine tiers leave (nice 19): a launcher kept
# waiting for the processor answers late, and a late answer is not what the
# end-to-end tests are about.
side=$root/build/side
rm -rf "$side" && mkdir -p "$side"
(
  renice -n 19 -p "$BASHPID" >/dev/null
  ctest --preset native --timeout 300 >"$side/native.log" 2>&1
  echo $? >"$side/native.rc"
  if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh --smoke >"$side/fuzz.log" 2>&1
    echo $? >"$side/fuzz.rc"
  else
    echo 0 >"$side/fuzz.rc"
  fi
) &
side_pid=$!

step "win32 and end-to-end tests"
# As many at once as there are displays, whose tests take each one in turn
# (RESOURCE_LOCK): at each depth three for the end-to-end shards, one for the
# in-process tests and two for the placement tests' screen sizes.
ctest --preset win32 --timeout 600 -j "$(wc -w <<<"$QUIL_DISPLAYS")"
win32=$?

wait "$side_pid"
step "native tests"
cat "$side/native.log"
native=$(cat "$side/native.rc" 2>/dev/null || echo 1)
step "fuzz smoke run"
cat "$side/fuzz.log" 2>/dev/null
fuzz=$(cat "$side/fuzz.rc" 2>/dev/null || echo 1)

# Screenshots are saved as BMP under Wine; keep PNG copies to look at.
if [ -d "$artifacts" ]; then
  for bmp in "$artifacts"/*.bmp; do
    [ -e "$bmp" ] || continue
    /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
fi

if [ $native -eq 0 ] && [ $win32 -eq 0 ] && [ $fuzz -eq 0 ] && [ $format -eq 0 ]; then
  echo "test.sh: all tests passed (native, fuzz smoke, win32 and end-to-end) in $((SECONDS / 60)) min $((SECONDS % 60)) s; screenshots in $artifacts"
  exit 0
fi
echo "test.sh: FAILED (native $native, fuzz $fuzz, win32/end-to-end $win32, format $format); screenshots in $artifacts"
exit 1
