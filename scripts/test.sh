#!/bin/sh
# Installs what is missing, then builds Dravelin with its tests and runs every test headless,
# round by round, each from its CMake preset: the format check, the dev build (warnings as
# errors, the Debian package among its tests), the whole suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer, each fuzz target for 30 seconds, then the Windows build
# (MinGW-w64, no Qt) with its tests under Wine and its zip. Any failure, warning or sanitizer
# finding stops it non-zero. Each round prints how long it took.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh test
jobs="$(nproc)"

round_start=$(date +%s)
round_done() { echo "== $1 round: $(($(date +%s) - round_start)) s"; round_start=$(date +%s); }

sh scripts/check-format.sh
round_done format

cmake --preset dev
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"
round_done dev

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"
round_done sanitize

sh fuzz/run 30
round_done fuzz

cmake --preset windows
cmake --build --preset windows -j "$jobs"
ctest --preset windows -j "$jobs"
round_done windows
