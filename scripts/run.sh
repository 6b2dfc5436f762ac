#!/bin/sh
# Installs what building and running Dravelin needs (only what is missing), builds it in
# Release (the release preset, build-release/) and starts it on the sample directory shipped
# in data/.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh build
cmake --preset release
cmake --build --preset release -j "$(nproc)"
exec build-release/bin/dravelin
