#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan + UBSan) and runs every file
# reader's fuzz target from its seeds in fuzz/corpus/<target>:
#
#   scripts/fuzz.sh SECONDS [--jobs N] [target...]   each target for SECONDS
#   scripts/fuzz.sh --smoke                          each target for a few seconds
#
# Targets are named by what they read (key_bindings, driver_catalog,
# video_settings, audio_settings, proc_log, bmp_layout, caption_file, and
# key_capture: the key boxes' key mapping); all of them when none is named.
# --jobs runs N targets at a time (default 1). Everything a run produces stays
# under build/fuzz: new inputs in corpus/<target>, crash inputs in
# artifacts/<target>/, logs in logs/<target>.log, and one line per target in
# summary.txt. Exits non-zero when a target finds a fault or does not build.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

usage() {
  sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

seconds=
jobs=1
targets=()
while [ $# -gt 0 ]; do
  case $1 in
    --smoke) seconds=5 ;;
    --jobs) jobs=${2:-}; shift ;;
    -h | --help) usage ;;
    [0-9]*) seconds=$1 ;;
    *) targets+=("$1") ;;
  esac
  shift
done
[[ $seconds =~ ^[0-9]+$ && $seconds -gt 0 ]] || usage
[[ $jobs =~ ^[0-9]+$ && $jobs -gt 0 ]] || usage
if [ ${#targets[@]} -eq 0 ]; then
  targets=(key_bindings driver_catalog video_settings audio_settings proc_log bmp_layout caption_file key_capture)
fi

scripts/setup.sh || { echo "fuzz.sh: set-up failed" >&2; exit 1; }
{ cmake --preset fuzz >/dev/null && cmake --build --preset fuzz; } || { echo "fuzz.sh: the fuzz build failed" >&2; exit 1; }

out=$root/build/fuzz
mkdir -p "$out/logs"
: >"$out/summary.txt"

# Runs one target; its exit code is the fuzzer's (0: no finding).
run_target() {
  local name=$1 binary=$out/fuzz/fuzz_$1
  local seeds=$root/fuzz/corpus/$name dict=$root/fuzz/dicts/$name.dict
  local work=$out/corpus/$name artifacts=$out/artifacts/$name/ log=$out/logs/$name.log
  if [ ! -x "$binary" ] || [ ! -d "$seeds" ]; then
    printf '%-16s no such fuzz target\n' "$name" >>"$out/summary.txt"
    return 2
  fi
  mkdir -p "$work" "$artifacts"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=2048
    -print_final_stats=1 -artifact_prefix="$artifacts")
  [ -f "$dict" ] && options+=(-dict="$dict")
  local started=$SECONDS status
  "$binary" "${options[@]}" "$work" "$seeds" >"$log" 2>&1
  status=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  local result="no finding"
  [ $status -eq 0 ] || result="FINDING (exit $status, see $log and $artifacts)"
  printf '%-16s %5d s  %10s runs  %s\n' "$name" $((SECONDS - started)) "${runs:-?}" "$result" >>"$out/summary.txt"
  return $status
}

for name in "${targets[@]}"; do
  run_target "$name" &
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n
  done
done
wait

cat "$out/summary.txt"
finished=$(grep -c ' no finding$' "$out/summary.txt")
if [ "$finished" -ne ${#targets[@]} ]; then
  echo "fuzz.sh: $((${#targets[@]} - finished)) of ${#targets[@]} target(s) found a fault or did not run" >&2
  exit 1
fi
echo "fuzz.sh: ${#targets[@]} target(s), ${seconds} s each, no finding"
