#!/usr/bin/env bash
# Makes the fuzzers' seed corpora from the game's generated data:
#   fuzz/make-seeds.sh BUILD_DATA_DIR OUT_DIR
# BUILD_DATA_DIR is a data folder the build generated (build/data: clp/, wav/, cfg/).
# OUT_DIR gets one folder of seeds per fuzz target. The work is done by fuzz_seed_maker,
# built with the fuzz targets in every build; set FUZZ_SEED_MAKER to choose one, else
# the first found of build-fuzz/ and build/ is used.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ne 2 ]; then
  echo "usage: fuzz/make-seeds.sh BUILD_DATA_DIR OUT_DIR" >&2
  exit 2
fi
data=$1
out=$2
for needed in "$data/clp" "$data/wav" "$data/cfg/help.dat" "$data/cfg/endgames.dat"; do
  if [ ! -e "$needed" ]; then
    echo "make-seeds: $needed is missing; build the game's data first (./setup.sh test or cmake --build build)" >&2
    exit 1
  fi
done

maker=${FUZZ_SEED_MAKER:-}
if [ -z "$maker" ]; then
  for candidate in build-fuzz/fuzz/fuzz_seed_maker build/fuzz/fuzz_seed_maker; do
    if [ -x "$candidate" ]; then
      maker=$candidate
      break
    fi
  done
fi
if [ -z "$maker" ] || [ ! -x "$maker" ]; then
  echo "make-seeds: no fuzz_seed_maker built; build the target fuzz_seed_maker first" >&2
  exit 1
fi

mkdir -p "$out"
"$maker" "$data" "$out"
