#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Dravelin need, or the
# packages named on the command line, only those that are missing. Run as root (or sudo).
set -e

packages="$*"
[ -n "$packages" ] || packages="cmake make g++ pkg-config
qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-qpa-plugins libgl1-mesa-dev
qt6-translations-l10n fonts-liberation
googletest libgtest-dev libbenchmark-dev
xvfb xauth xdotool dbus dbus-daemon at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0
orca openbox locales
g++-mingw-w64-x86-64-posix mingw-w64-tools wine64
libxlsxwriter-dev libreoffice-calc-nogui"

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
