#!/bin/sh
# Makes the Debian package of a build, checks what it holds (files, dependencies, lintian,
# AppStream), installs it into a staging root and starts the program there as an ordinary
# user (nobody, through setpriv, when run as root) with a home of its own: the program finds
# no list beside /usr/bin, so it must copy the shipped sample to ~/.local/share/Dravelin at
# the first start, and open its window on it.
# Usage: sh debian_package.sh BUILD_DIR VERSION [CPACK]
set -eu
build=$1
version=$2
cpack=${3:-cpack}
fail() { echo "debian_package: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/out/dravelin_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for file in usr/bin/dravelin usr/bin/dravelin-recherche usr/share/dravelin/Dravelin.hlp \
    usr/share/dravelin/Annuaire_Amat.csv usr/share/applications/dravelin.desktop \
    usr/share/icons/hicolor/128x128/apps/dravelin.png usr/share/metainfo/fr.dravelin.Dravelin.metainfo.xml \
    usr/share/doc/dravelin/copyright; do
  grep -qx "./$file" "$work/files" || fail "the package lacks /$file"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), not $version"
for package in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins; do
  dpkg-deb -f "$deb" Depends | grep -q "$package" || fail "the package does not depend on $package"
done
lintian --fail-on error "$deb" || fail "lintian reports errors"

root="$work/root"
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/fr.dravelin.Dravelin.metainfo.xml" ||
  fail "the AppStream metadata is not valid"

home="$work/home"
mkdir "$home"
as_user=""
if [ "$(id -u)" = 0 ]; then
  chown 65534:65534 "$home"
  as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
list="$home/.local/share/Dravelin/Annuaire_Amat.csv"
[ ! -e "$list" ] || fail "the list is there before the first start"

# The main window shows once the list is read, and Ctrl+Q closes it; without a list the
# program shows a message box (titled "Dravelin") instead, closed by Entrée, and ends with 1.
cat >"$work/first_start.sh" <<'SCRIPT'
"$1" &
program=$!
window=$(xdotool search --sync --onlyvisible --name "^(  Dravelin    Revision.*|Dravelin)$" | head -n 1)
case "$(xdotool getwindowname "$window")" in
  Dravelin) xdotool windowfocus --sync "$window" key Return ;;
  *) xdotool windowfocus --sync "$window" key ctrl+q ;;
esac
wait "$program"
SCRIPT
# shellcheck disable=SC2086
env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 $as_user \
  xvfb-run -a -s "-screen 0 1280x800x24" sh "$work/first_start.sh" "$root/usr/bin/dravelin" ||
  fail "the installed program did not start and close on the user's new list"

[ -f "$list" ] || fail "no list of the user's own at $list"
cmp "$list" "$root/usr/share/dravelin/Annuaire_Amat.csv" || fail "the user's list is not the shipped sample"
[ ! -e "$root/usr/bin/Annuaire_Amat.csv" ] || fail "a list was made beside the executable"
echo "debian_package: $deb checked; the first start made $list"
