#!/bin/sh
# Makes the README screenshots from the real program under Xvfb: the main window after a
# search for PARIS, and the editing window opened on the first entry found.
# Usage: sh scripts/screenshots.sh   (writes docs/main-window.png and docs/editing-window.png)
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh build
for tool in xdotool import; do
  command -v "$tool" >/dev/null || { apt-get install -y --no-install-recommends xdotool imagemagick; break; }
done
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >/dev/null

folder=$(mktemp -d)
cp build-release/bin/dravelin data/Annuaire_Amat.csv data/Dravelin.hlp "$folder/"
display=:$((90 + $$ % 9))
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true; rm -rf "$folder"' EXIT
export DISPLAY="$display"
until xdotool getmouselocation >/dev/null 2>&1; do sleep 0.1; done

"$folder/dravelin" &
app=$!
main=$(xdotool search --sync --onlyvisible --name "Dravelin    Revision")
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=$((HEIGHT - 457))   # the client area is 457 pixels high, the menu bar takes the rest

# Ville, then "paris" and Enter (the box turns it into PARIS).
xdotool mousemove $((X + 8 + 280 + 8)) $((Y + menu + 400 + 16 + 8)) click 1
xdotool type --delay 30 paris
xdotool key Return
sleep 1
import -window "$main" docs/main-window.png

# Ctrl+Shift+E shows Expert; select the first line and open the editing window.
xdotool key ctrl+shift+e
xdotool mousemove $((X + 24 + 60)) $((Y + menu + 112 + 8)) click 1
xdotool mousemove $((X + 864 + 20)) $((Y + menu + 416 + 12)) click 1
editing=$(xdotool search --sync --onlyvisible --name "Modification la base de donn")
sleep 1
import -window "$editing" docs/editing-window.png
echo "docs/main-window.png docs/editing-window.png written"
