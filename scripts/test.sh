#!/bin/sh
# Builds Dravelin with its tests and runs every test headless, in four rounds: the normal
# build, the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, each
# fuzz target for 30 seconds, then the Windows build (MinGW-w64, no Qt) with its tests under
# Wine. Any failure or sanitizer finding stops it non-zero.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug
cmake --build build-tests -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-tests --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DDRAVELIN_SANITIZE=ON -DDRAVELIN_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -LE crash

sh fuzz/run 30

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build-windows -j "$jobs"
ctest --test-dir build-windows --output-on-failure -j "$jobs"
