#!/bin/sh
# Starts the real program under Xvfb with the accessibility bus and runs the screen-reader
# search against it. Usage: run_screen_reader_test.sh DRAVELIN DRAVELIN_RECHERCHE SAMPLE CITY
set -eu
dravelin=$1 recherche=$2 sample=$3 city=$4
here=$(cd "$(dirname "$0")" && pwd)

# The program reads its directory file from its own folder: give it a folder of its own.
folder=$(mktemp -d)
trap 'kill "$app" 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$dravelin" "$folder/dravelin"
cp "$sample" "$folder/Annuaire_Amat.csv"
cp "$(dirname "$dravelin")/Dravelin.hlp" "$folder/Dravelin.hlp"  # the build puts the manual beside it

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
"$folder/dravelin" &
app=$!
# No window manager gives the new window the keyboard focus: give it, as one would.
timeout 60 xdotool search --sync --onlyvisible --name "Dravelin +Revision" windowfocus --sync
/usr/bin/python3 "$here/screen_reader_search.py" "$recherche" "$folder/Annuaire_Amat.csv" "$city"
