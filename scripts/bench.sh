#!/usr/bin/env bash
# The performance bench: the launcher against a bare Win32 window program,
# both started in turn by bench/bench_driver.cpp under the same Wine and Xvfb.
# Prints, as medians with their range and each beside its goal, the
# launcher's CPU while idle on the stage, its start-up time as a ratio to the
# bare program's (goal 1.1), and its peak memory on the main menu over that of
# the bare program in the launcher's shape, a full-screen frame and the
# 640 x 480 window (bare_window.exe --frame; goal +4 MiB); then how soon the stage follows the intro video's end, the
# launcher's CPU while the game runs, and on the NT family how soon the video's
# first frame follows the "Starting AVI" box's OK.
#
#   scripts/bench.sh [--runs N] [--start-runs M] [--idle-seconds S] [--intro-runs I]
#                    [--game-runs G] [--game-seconds T] [--soak-cycles C] [--box-runs B]
#                    [--depths "24"|"8 24"] [--inprocess-soak R] [--no-build]
#
# --runs: rounds with idle seconds and memory (7); --start-runs: further
# rounds that only time the start-up (21); a round runs both programs.
# --intro-runs: launcher starts with the intro (7); --game-runs: games started
# from the stage (3), each measured for --game-seconds (10); --soak-cycles:
# cycles of every screen in one launcher run, with its memory after 20 and
# after all of them (0, none; 200 takes about 20 minutes a depth); --box-runs:
# launcher starts on the NT family whose "Starting AVI" box is answered with
# the pointer (7).
# --inprocess-soak: rounds of the in-process soak (tests/win32/soak_test.cpp)
# after the rest, every dialog opened and closed that many times with the
# handle ledger held to its first round (0, none; 200 takes about 3 minutes a
# depth; the test suite runs a few).
#
# Installs what is missing and builds the bench targets of the win32 preset
# first (--no-build skips both), then measures a copy of that build. Its
# displays and Wine prefixes live in build/bench-run, apart from the test
# run's, and end with the script. Where allowed, the bench's X server, Wine
# and programs run with real-time round-robin scheduling (else at nice -10),
# so that builds beside it hardly show in its timings; QUIL_BENCH_PRIORITY
# names another command prefix ("nice -n -10", or "" for none).
# Exit code 0 when every run was measured; whether a goal is met is printed.
# QUIL_BENCH_DRIVER and QUIL_GAME_DIR may name another build's driver and
# game folder.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

runs=7
start_runs=21
idle_seconds=10
intro_runs=7
game_runs=3
game_seconds=10
soak_cycles=0
inprocess_rounds=0
box_runs=7
depths=24
build=1
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --start-runs) start_runs=$2; shift 2 ;;
    --idle-seconds) idle_seconds=$2; shift 2 ;;
    --intro-runs) intro_runs=$2; shift 2 ;;
    --game-runs) game_runs=$2; shift 2 ;;
    --game-seconds) game_seconds=$2; shift 2 ;;
    --soak-cycles) soak_cycles=$2; shift 2 ;;
    --box-runs) box_runs=$2; shift 2 ;;
    --inprocess-soak) inprocess_rounds=$2; shift 2 ;;
    --depths) depths=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    *) echo "usage: scripts/bench.sh [--runs N] [--start-runs M] [--idle-seconds S] [--intro-runs I]" \
         "[--game-runs G] [--game-seconds T] [--soak-cycles C] [--box-runs B] [--depths \"24\"|\"8 24\"]" \
         "[--inprocess-soak R] [--no-build]" >&2
       exit 2 ;;
  esac
done
for depth in $depths; do
  case $depth in
    8|24) ;;
    *) echo "bench.sh: depth $depth: only 8 and 24 are set up" >&2; exit 2 ;;
  esac
done

if [ $build -eq 1 ]; then
  scripts/setup.sh || { echo "bench.sh: set-up failed" >&2; exit 1; }
  { cmake --preset win32 >/dev/null && cmake --build --preset win32 --target bench_driver quil_win32_soak; } ||
    { echo "bench.sh: win32 build failed" >&2; exit 1; }
fi
build_driver=${QUIL_BENCH_DRIVER:-$root/build/win32/bench/bench_driver.exe}
build_game=${QUIL_GAME_DIR:-$root/build/game}
build_soak=$root/build/win32/tests/win32/quil_win32_soak.exe
for needed in "$build_driver" "$(dirname "$build_driver")/bare_window.exe" "$build_game/Quil3D.exe"; do
  [ -f "$needed" ] || { echo "bench.sh: $needed is missing; build the win32 preset" >&2; exit 1; }
done

export QUIL_RUN_DIR=$root/build/bench-run
mkdir -p "$QUIL_RUN_DIR"
# The bench measures one build: its own copy of the programs and of the game
# folder, which a build running beside it may remove and assemble again.
snapshot() {
  rm -rf "${QUIL_RUN_DIR:?}/bin" "${QUIL_RUN_DIR:?}/game" &&
    mkdir -p "$QUIL_RUN_DIR/bin" &&
    cp "$build_driver" "$(dirname "$build_driver")/bare_window.exe" "$QUIL_RUN_DIR/bin/" &&
    { [ "$inprocess_rounds" -eq 0 ] || cp "$build_soak" "$QUIL_RUN_DIR/bin/"; } &&
    cp -r "$build_game" "$QUIL_RUN_DIR/game" &&
    diff -r "$build_game" "$QUIL_RUN_DIR/game" >/dev/null &&
    [ -f "$QUIL_RUN_DIR/game/Quil3D.exe" ]
}
tries=0
until snapshot 2>/dev/null; do
  tries=$((tries + 1))
  if [ $tries -ge 10 ]; then
    echo "bench.sh: cannot take a steady copy of $build_game" >&2
    exit 1
  fi
  sleep 3
done
driver=$QUIL_RUN_DIR/bin/bench_driver.exe
export QUIL_GAME_DIR=$QUIL_RUN_DIR/game

# shellcheck source=lib/displays.sh
. scripts/lib/displays.sh
trap quil_displays_down EXIT
trap 'exit 130' INT TERM

# Builds and tests running beside the bench would otherwise show in its
# timings: the bench's X server, Wine processes and programs all run at a
# raised priority, where allowed.
priority=()
if [ -n "${QUIL_BENCH_PRIORITY+set}" ]; then
  read -r -a priority <<<"$QUIL_BENCH_PRIORITY"
elif chrt -r 1 true 2>/dev/null; then
  priority=(chrt -r 1)
elif nice -n -10 true 2>/dev/null; then
  priority=(nice -n -10)
fi

# Starting the displays runs wineboot, which must not hang the bench either.
export QUIL_DISPLAYS="$depths"
timeout --foreground -k 10 300 "${priority[@]}" bash -c '. scripts/lib/displays.sh && quil_displays_up' ||
  { echo "bench.sh: the displays did not start" >&2; exit 1; }
# shellcheck disable=SC1091
. "$QUIL_RUN_DIR/env.sh"

commit=$(git rev-parse --short HEAD 2>/dev/null || echo '?')
git diff --quiet HEAD 2>/dev/null || commit+=" with uncommitted changes"
echo "== Quil3D bench, $(date -u '+%Y-%m-%d %H:%M UTC'), commit $commit"
echo "   $(nproc) cores ($(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)); load $(cut -d' ' -f1-3 /proc/loadavg);" \
  "${priority[*]:-normal priority}"

status=0
for depth in $depths; do
  prefix_var="QUIL_PREFIX_$depth"
  # Room for every run's idle seconds and its full start-up and exit patience.
  limit=$(((runs + start_runs + 1) * 2 * 45 + runs * 2 * idle_seconds + intro_runs * 45 +
    game_runs * (game_seconds + 60) + soak_cycles * 2 * 30 + box_runs * 60 + 60))
  echo
  echo "== display depth $depth"
  timeout --foreground -k 10 "$limit" "${priority[@]}" scripts/wine-run.sh --depth "$depth" "$driver" \
    --runs "$runs" --start-runs "$start_runs" --idle-seconds "$idle_seconds" --intro-runs "$intro_runs" \
    --game-runs "$game_runs" --game-seconds "$game_seconds" --soak-cycles "$soak_cycles" --box-runs "$box_runs" --clock-ticks "$(getconf CLK_TCK)" \
    --wine-prefix "${!prefix_var}" | tee "$QUIL_RUN_DIR/bench-$depth.txt"
  code=${PIPESTATUS[0]}
  if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then
    echo "bench.sh: the bench driver did not finish within $limit s" >&2
  fi
  [ "$code" -eq 0 ] || status=1
done
if [ "$inprocess_rounds" -gt 0 ]; then
  for depth in $depths; do
    echo
    echo "== in-process soak, display depth $depth, $inprocess_rounds rounds"
    QUIL_SOAK_ROUNDS=$inprocess_rounds QUIL_TEST_TIME_LIMIT=900 timeout --foreground -k 10 $((inprocess_rounds * 5 + 120)) \
      scripts/wine-run.sh --depth "$depth" "$QUIL_RUN_DIR/bin/quil_win32_soak.exe" |
      tee "$QUIL_RUN_DIR/inprocess-soak-$depth.txt"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  done
fi
echo
echo "bench.sh: load $(cut -d' ' -f1-3 /proc/loadavg) at the end; figures saved in $QUIL_RUN_DIR/bench-*.txt"
exit $status
