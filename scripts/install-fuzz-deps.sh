#!/bin/sh
# Installs the Debian 12 packages that the fuzz targets need (clang and its libFuzzer and
# sanitizer runtimes), only those that are missing. Run as root (or through sudo).
set -e
exec sh "$(dirname "$0")/install-deps.sh" clang-14 libclang-rt-14-dev
