#!/bin/sh
# Builds Dravelin in Release and starts it on the sample directory shipped in data/.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DDRAVELIN_BUILD_TESTS=OFF -DDRAVELIN_BUILD_BENCHMARKS=OFF
cmake --build build-release -j "$(nproc)"
exec build-release/bin/dravelin
