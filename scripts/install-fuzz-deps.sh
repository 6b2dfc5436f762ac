#!/bin/sh
# Installs the Debian 12 packages that the fuzz targets need (clang and its libFuzzer and
# sanitizer runtimes), only those that are missing. Run as root (or through sudo).
set -e

packages="clang-14 libclang-rt-14-dev"

missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  # shellcheck disable=SC2086
  apt-get install -y --no-install-recommends $missing
fi
