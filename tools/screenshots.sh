#!/usr/bin/env bash
# Saves PNGs of the main dialog, the exit question and the version dialog, as Wine shows them, into
# build/screenshots (or the folder given). Runs on its own display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/screenshots}
. "$root/tools/wine-env.sh"
win="$root/build/win"
mkdir -p "$out"

display=""
for n in $(seq 150 199); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT
sleep 1

# A copy of its own, so that no settings file lands in the build folder.
work=$(mktemp -d)
cp "$win/dist/Backtracker.exe" "$win/dist/readme.txt" "$work/"
wine "$work/Backtracker.exe" >/dev/null 2>&1 &

shoot() {  # name, then "x y w h" from bt_drive
    local name=$1 x y w h
    read -r x y w h
    import -window root "$out/$name-screen.png"
    convert "$out/$name-screen.png" -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage "$out/$name.png"
    rm -f "$out/$name-screen.png"
    echo "screenshots: $out/$name.png"
}

wine "$win/bt_drive.exe" main-rect | tr -d '\r' | shoot main
wine "$win/bt_drive.exe" escape
wine "$win/bt_drive.exe" question-rect | tr -d '\r' | shoot exit-question
wine "$win/bt_drive.exe" answer 2
wine "$win/bt_drive.exe" click 1005
wine "$win/bt_drive.exe" version-rect | tr -d '\r' | shoot version
wine "$win/bt_drive.exe" close-all
wineserver -w
rm -rf "$work"
