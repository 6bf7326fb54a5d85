#!/usr/bin/env bash
# Runs Backtracker under Wine in the project's prefix, with a few pages served on 127.0.0.1
# and visits to them in the prefix's history, so that "再び表示(&R)" reopens the latest three.
# Without a display it does that by itself under Xvfb: presses the button, prints the pages
# opened in order and saves screenshots into build/screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
win="$root/build/win"
port=${BT_DEMO_PORT:-8765}
shots="$root/build/screenshots"
mkdir -p "$shots"

. "$root/tools/xvfb.sh"
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
bt_start_xvfb

log=$(mktemp)
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/tools/demo-pages" 2>"$log" >/dev/null &
server=$!
work=""
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$server" 2>/dev/null || true
    bt_stop_xvfb
    [ -n "$work" ] && rm -rf "$work"
    rm -f "$log"
}
trap cleanup EXIT
sleep 1

# Visits to the five pages, a minute apart, the last one a minute ago; only when missing.
if ! wine "$win/bt_seed.exe" list 2>/dev/null | grep -q "127.0.0.1:$port/page5.html"; then
    now=$(date +%s)
    for i in 1 2 3 4 5; do
        wine "$win/bt_seed.exe" add "http://127.0.0.1:$port/page$i.html" $((now - (6 - i) * 60))
    done
    echo "run: seeded the prefix's history with visits to page1 ... page5 on 127.0.0.1:$port"
fi

if [ "$headless" = 0 ]; then
    "$root/tools/wine-run.sh" "$win/dist/Backtracker.exe"
    exit 0
fi

# A copy of its own, so that the demonstration leaves no settings file in the build.
work=$(mktemp -d)
cp "$win/dist/Backtracker.exe" "$win/dist/readme.txt" "$work/"
wine "$work/Backtracker.exe" >/dev/null 2>&1 </dev/null &
sleep 1
read -r x y w h < <(wine "$win/bt_drive.exe" main-rect | tr -d '\r')
import -window root "$shots/demo-screen.png"
convert "$shots/demo-screen.png" -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage "$shots/demo-dialog.png"
echo "run: pressing 再び表示(&R)"
wine "$win/bt_drive.exe" click 1000
for _ in $(seq 120); do
    [ "$(grep -c 'GET /page' "$log" || true)" -ge 3 ] && break
    sleep 0.5
done
sleep 3
import -window root "$shots/demo-browsers.png"
rm -f "$shots/demo-screen.png"
echo "run: pages opened, in this order:"
grep -o 'GET /page[0-9]*\.html' "$log" | sed 's/GET /  http:\/\/127.0.0.1:'"$port"'/'
echo "run: screenshots: $shots/demo-dialog.png $shots/demo-browsers.png"
wine "$win/bt_drive.exe" close-all
