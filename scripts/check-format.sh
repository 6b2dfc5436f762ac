#!/bin/sh
# Checks that the C++ files follow .clang-format (clang-format 14, as Debian 12 has it);
# lists the files that do not and exits non-zero. With --fix, formats them in place instead.
#   sh scripts/check-format.sh [--fix] [FILE...]     (default: every tracked .cpp and .h)
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
fix=
[ "$1" = --fix ] && { fix=1; shift; }

format=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$format" ] || { echo "check-format: clang-format is missing (Debian: apt-get install clang-format)" >&2; exit 2; }
"$format" --version | grep -q "version 14\." ||
  echo "check-format: $("$format" --version) is not version 14: its layout may differ" >&2

if [ $# -eq 0 ]; then
  cd "$root"
  set -- $(git ls-files '*.cpp' '*.h')
fi

if [ -n "$fix" ]; then
  "$format" --style="file:$root/.clang-format" -i "$@"
  exit 0
fi
unformatted=""
for file in "$@"; do
  "$format" --style="file:$root/.clang-format" --dry-run --Werror "$file" >/dev/null 2>&1 ||
    unformatted="$unformatted $file"
done
if [ -n "$unformatted" ]; then
  echo "check-format: not formatted as .clang-format asks (sh scripts/check-format.sh --fix FILE):" >&2
  for file in $unformatted; do echo "  $file" >&2; done
  exit 1
fi
echo "check-format: $# files formatted as .clang-format asks"
