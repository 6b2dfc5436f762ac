#!/bin/sh
# Installs the Debian 12 packages that Dravelin needs, only those that are missing. Run as
# root (or through sudo).
#   sh scripts/install-deps.sh build        what building and running the program needs
#   sh scripts/install-deps.sh test         that, and what the tests, the Windows round and
#                                           the packaging need
#   sh scripts/install-deps.sh PACKAGE...   the packages named
set -e

# Building and running the program.
build_packages="cmake make g++ pkg-config
qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-qpa-plugins libgl1-mesa-dev
qt6-translations-l10n fonts-liberation
libxlsxwriter-dev"

# Everything else scripts/test.sh runs: the test frameworks, the screen reader and the
# spreadsheet the tests read back with, the Windows cross build under Wine, the packaging
# and format checks.
test_packages="googletest libgtest-dev libbenchmark-dev
xvfb xauth xdotool dbus dbus-daemon at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0
orca openbox locales libreoffice-calc-nogui
g++-mingw-w64-x86-64-posix mingw-w64-tools wine64
dpkg-dev lintian appstream clang-format"

case "$1" in
  build) packages="$build_packages" ;;
  test) packages="$build_packages $test_packages" ;;
  "") echo "usage: sh scripts/install-deps.sh build | test | PACKAGE..." >&2; exit 2 ;;
  *) packages="$*" ;;
esac

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
