#!/usr/bin/env bash
# Runs a Windows program under Wine on one of the run's test displays:
#   scripts/wine-run.sh [--depth 8|24] [--screen WxH] program.exe [arguments...]
#   scripts/wine-run.sh --display KEY program.exe [arguments...]
# where KEY names a display as scripts/lib/displays.sh does ("24", "8-1024x768").
# The displays are started by scripts/test.sh (scripts/lib/displays.sh). The
# program's exit code is this script's exit code.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
run_dir=${QUIL_RUN_DIR:-$root/build/run}
depth=24
screen=1024x768
key=
while [ $# -gt 0 ]; do
  case "$1" in
    --depth) depth=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --display) key=$2; shift 2 ;;
    *) break ;;
  esac
done
if [ -z "$key" ]; then
  key=$depth
  [ "$screen" = 1024x768 ] || key="$depth-$screen"
fi

if [ ! -f "$run_dir/env.sh" ]; then
  echo "wine-run.sh: no test displays are running; use scripts/test.sh" >&2
  exit 2
fi
# shellcheck disable=SC1091
. "$run_dir/env.sh"
display_var="QUIL_DISPLAY_${key//-/_}"
prefix_var="QUIL_PREFIX_${key//-/_}"
if [ -z "${!display_var:-}" ]; then
  echo "wine-run.sh: the display $key is not running" >&2
  exit 2
fi

export DISPLAY=${!display_var}
export WINEPREFIX=${!prefix_var}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts; and OpenGL libraries in a program's folder (the
# stand-in drivers the launcher installs for the game) before Wine's own, as
# Windows takes them: without this Wine loads its builtin opengl32 and glu32
# whatever lies beside the program.
export WINEDLLOVERRIDES="mscoree,mshtml=;opengl32,glu32=n,b"
# QUIL_NO_SOUND=1 runs the program as on a machine with no sound set-up at all.
if [ "${QUIL_NO_SOUND:-0}" = 1 ]; then
  export ALSA_CONFIG_PATH="$run_dir/alsa-none.conf"
  : >"$ALSA_CONFIG_PATH"
else
  export ALSA_CONFIG_PATH="$run_dir/alsa-$key.conf"
fi
export QUIL_SOUND_CAPTURE_DIR="$run_dir/sound-$key"
# Wine may start helper processes (services, devices) that outlive the
# program and would hold on to our standard output, so a caller reading it
# (CTest) would wait for them. They get a file instead, which is shown as it
# grows and once more when the program has ended.
output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$output"' EXIT
wine "$@" </dev/null >"$output" 2>&1 &
program=$!
tail -n +1 -f --pid="$program" "$output" &
follower=$!
status=0
wait "$program" || status=$?
wait "$follower" 2>/dev/null || true
exit "$status"
