#!/bin/sh
# Builds Dravelin with its tests and runs every test headless.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug
cmake --build build-tests -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-tests --output-on-failure -j "$(nproc)"
