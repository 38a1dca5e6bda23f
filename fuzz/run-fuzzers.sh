#!/usr/bin/env bash
# Builds the fuzz targets (build-fuzz: clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), makes their seeds from the game's data in build/data, and
# runs each target in turn for a time or a number of runs:
#   fuzz/run-fuzzers.sh [--time SECONDS | --runs N] [TARGET...]
# Default: 60 seconds per target, every target. Prints one line per target: executions,
# libFuzzer's coverage (cov: edges, ft: features) at the end, seconds taken and the
# result. Exits non-zero when any target crashed, leaked, ran out of memory or timed
# out; the input that did it is in build-fuzz/crashes/<target>/, named in the table.
# Each target's growing corpus stays in build-fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

limit=(-max_total_time=60)
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --time) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    -h|--help) sed -n '2,11p' "$0"; exit 0 ;;
    -*) echo "run-fuzzers: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done

all=()
for source in fuzz/targets/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  all+=("$name")
done
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")
for target in "${targets[@]}"; do
  [ -f "fuzz/targets/${target}_fuzz.cpp" ] || { echo "run-fuzzers: no target '$target' (have: ${all[*]})" >&2; exit 2; }
done

# The longest input each target is given: room for the game's own files of that kind.
max_len() {
  case "$1" in
    saved_game) echo 8192 ;;
    picture_container|jpeg_frame) echo 16384 ;;
    wave_file) echo 8192 ;;
    markup_text) echo 2048 ;;
    *) echo 4096 ;;
  esac
}

data=$root/build/data
if [ ! -e "$data/cfg/help.dat" ]; then
  echo "run-fuzzers: $data holds no game data; build it first (./setup.sh test or cmake --build build)" >&2
  exit 1
fi

build=$root/build-fuzz
jobs=()
[ -n "${FUZZ_BUILD_JOBS:-}" ] && jobs=(-j "$FUZZ_BUILD_JOBS")
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVLERO_FUZZ=ON \
  -DTAVLERO_GENERATE_DATA=OFF -DTAVLERO_BENCHMARKS=OFF -DTAVLERO_DATA_DIR="$data" >/dev/null
cmake --build "$build" --target fuzzers "${jobs[@]}"
FUZZ_SEED_MAKER=$build/fuzz/fuzz_seed_maker fuzz/make-seeds.sh "$data" "$build/seeds" >/dev/null

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy

failed=0
rows=()
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  crashes=$build/crashes/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$crashes" "$build/logs" "$build/seeds/$target"
  echo "== $target" >&2
  start=$(date +%s)
  status=0
  "$build/fuzz/fuzz_$target" "${limit[@]}" -max_len="$(max_len "$target")" -timeout=25 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$crashes/" \
    "$corpus" "$build/seeds/$target" "fuzz/regressions/$target" >"$log" 2>&1 || status=$?
  seconds=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  status_line=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$status_line")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$status_line")
  result=ok
  if [ $status -ne 0 ]; then
    failed=1
    if grep -q 'ERROR: LeakSanitizer' "$log"; then result=leak
    elif grep -q 'ALARM: working on the last Unit' "$log"; then result=timeout
    elif grep -q -e 'out-of-memory' -e 'malloc limit' "$log"; then result=out-of-memory
    else result=crash
    fi
    artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
    result="$result ${artifact:-(see $log)}"
  fi
  rows+=("$(printf '%-18s %12s %7s %7s %7s  %s' "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$seconds" "$result")")
done

printf '%-18s %12s %7s %7s %7s  %s\n' target executions cov ft seconds result
printf '%s\n' "${rows[@]}"
exit $failed
