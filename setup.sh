#!/usr/bin/env bash
# Sets up, builds and then starts the game (./setup.sh run) or runs every test
# (./setup.sh test) on a Debian 12 machine. Safe to run again: only what changed is rebuilt.
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev fonts-liberation
  libjpeg62-turbo-dev libcairo2-dev libpango1.0-dev libpng-dev timgm6mb-soundfont
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-apps
  desktop-file-utils appstream clang libclang-rt-14-dev)

install_missing() {
  local missing=()
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {  # build DIR [CMAKE OPTIONS...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}

case "${1:-}" in
  run)
    install_missing
    build build -DCMAKE_BUILD_TYPE=Release
    exec ./build/tavlero
    ;;
  test)
    install_missing
    build build -DCMAKE_BUILD_TYPE=Release
    (cd build && ctest --output-on-failure -j2)
    # The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, with the
    # data the first build generated.
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVLERO_SANITIZE=ON -DTAVLERO_GENERATE_DATA=OFF \
      -DTAVLERO_BENCHMARKS=OFF -DTAVLERO_DATA_DIR="$PWD/build/data"
    (cd build-asan && ctest --output-on-failure -j2)
    # Every fuzz target for a few seconds: clang's libFuzzer with both sanitizers.
    fuzz/run-fuzzers.sh --time 3
    ;;
  *)
    echo "usage: ./setup.sh run | ./setup.sh test" >&2
    exit 2
    ;;
esac
