#!/usr/bin/env bash
# Saves PNGs of the main dialog (also busy, and with the hand cursor over its icon), the exit
# question, the system menu, the sources dialog, the version dialog (also with the pointer on
# its link and just gone from it), the missing-readme message and the list of recent pages
# (loading, filled from a Chrome and a Firefox profile laid out for it with their sites' icons,
# filtered, searched, within a period and with the period's choice open; its view of the last
# windows) and the
# sources dialog over those profiles, and the usage that /? shows, as Wine shows them, into
# build/screenshots (or the folder given). With "en" after the folder, as a user whose Windows
# speaks English sees them (an English locale). Runs on its own display.
# With a DPI after the language (144: 150 %, 192: 200 %), the prefix's display is set to it
# for the run and back to 96 afterwards.
# Usage: screenshots.sh [FOLDER [ja|en [DPI]]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/screenshots}
lang=${2:-ja}
dpi=${3:-96}
. "$root/tools/wine-env.sh"
case "$lang" in
    ja) ;;
    en) export LC_ALL=en_US.UTF-8 ;;
    *) echo "screenshots: the language is ja or en" >&2; exit 2 ;;
esac
win="$root/build/win"
mkdir -p "$out"

. "$root/tools/xvfb.sh"
bt_start_xvfb own
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w
}
[ "$dpi" = 96 ] || set_dpi "$dpi"
trap 'wineserver -k 2>/dev/null || true; [ "$dpi" = 96 ] || set_dpi 96; bt_stop_xvfb' EXIT

# A copy of its own, so that no settings file lands in the build folder.
work=$(mktemp -d)
cp "$win/dist/Backtracker.exe" "$win/dist/readme.txt" "$win/dist/readme-en.txt" "$work/"
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

# The main dialog with the mouse resting on the icon: the X screen is taken without its
# cursor, so the cursor's image is read from the server and laid over it.
cursor_tool="$root/build/cursor-image"
[ "$cursor_tool" -nt "$root/tools/cursor-image.c" ] || gcc -O2 "$root/tools/cursor-image.c" -o "$cursor_tool" -lXfixes -lX11
read -r x y w h < <(wine "$win/bt_drive.exe" main-rect | tr -d '\r')
read -r ix iy < <(wine "$win/bt_drive.exe" icon-centre | tr -d '\r')
xdotool mousemove $((ix - 4)) $((iy - 4)); sleep 0.3; xdotool mousemove "$ix" "$iy"; sleep 1
read -r cx cy < <("$cursor_tool" "$out/cursor.pam")
import -window root "$out/screen.png"
convert "$out/screen.png" "$out/cursor.pam" -geometry "+$cx+$cy" -composite \
    -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage "$out/main-hand-cursor.png"
rm -f "$out/screen.png" "$out/cursor.pam"
echo "screenshots: $out/main-hand-cursor.png"
xdotool mousemove 5 5

# The system menu with the sources item, and the sources dialog.
xdotool mousemove $((x + w / 2)) $((y + 10)) click 1; sleep 0.3
xdotool key alt+space; sleep 0.8
import -window root "$out/screen.png"
convert "$out/screen.png" -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage "$out/system-menu.png"
rm -f "$out/screen.png"
echo "screenshots: $out/system-menu.png"
xdotool key Escape; sleep 0.3
wine "$win/bt_drive.exe" sources
wine "$win/bt_drive.exe" sources-rect | tr -d '\r' | shoot sources
wine "$win/bt_drive.exe" close-all >/dev/null
wine "$work/Backtracker.exe" >/dev/null 2>&1 &
wine "$win/bt_drive.exe" main-rect >/dev/null

# The main dialog while a page opens: the wait cursor over it. One visit of an address where
# nothing answers, the latest of the history for as long as it takes, removed afterwards.
busy_url="http://127.0.0.1:9/screenshot-busy"
wine "$win/bt_seed.exe" add "$busy_url" "$(date +%s)"
xdotool mousemove $((x + w / 2)) $((y + h / 2)); sleep 0.3
wine "$win/bt_drive.exe" click 1000
# Before the first browser window comes up in front of the dialog.
sleep 0.2
xdotool mousemove $((x + w / 2 + 2)) $((y + h / 2 + 2)); sleep 0.1
read -r cx cy < <("$cursor_tool" "$out/cursor.pam")
import -window root "$out/screen.png"
convert "$out/screen.png" "$out/cursor.pam" -geometry "+$cx+$cy" -composite \
    -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage "$out/main-busy.png"
rm -f "$out/screen.png" "$out/cursor.pam"
echo "screenshots: $out/main-busy.png"
sleep 4
wine "$win/bt_seed.exe" remove "$busy_url"
xdotool mousemove 5 5
wine "$win/bt_drive.exe" escape
wine "$win/bt_drive.exe" question-rect | tr -d '\r' | shoot exit-question
wine "$win/bt_drive.exe" answer 2
wine "$win/bt_drive.exe" click 1005
wine "$win/bt_drive.exe" version-rect | tr -d '\r' | shoot version
# The web link while the pointer rests on it, and after the pointer jumped out of the dialog
# at once: the link is back in its normal colour.
read -r lx ly < <(wine "$win/bt_drive.exe" link-centre | tr -d '\r')
xdotool mousemove $((lx - 3)) "$ly"; sleep 0.3; xdotool mousemove "$lx" "$ly"; sleep 0.5
wine "$win/bt_drive.exe" version-rect | tr -d '\r' | shoot version-link-hover
xdotool mousemove 1000 740; sleep 0.8
wine "$win/bt_drive.exe" version-rect | tr -d '\r' | shoot version-link-left
wine "$win/bt_drive.exe" close-all
# The readme gone: the program says which file it looked for.
wine "$work/Backtracker.exe" >/dev/null 2>&1 &
wine "$win/bt_drive.exe" main-rect >/dev/null
rm -f "$work/readme.txt" "$work/readme-en.txt"
wine "$win/bt_drive.exe" click 1006
wine "$win/bt_drive.exe" messagebox-rect | tr -d '\r' | shoot readme-missing
wine "$win/bt_drive.exe" close-all
for _ in $(seq 50); do [ -f "$work/Backtracker.INI" ] && break; sleep 0.2; done

# The list of recent pages over the profiles that bt_profiles lays out (removed afterwards):
# while it reads (a profile of three million frame visits keeps it busy until the deadline),
# filled, and narrowed by a filter.
wine "$win/bt_profiles.exe" lay "$(winepath -w "$win/bt_record_args.exe")" slow
wine "$work/Backtracker.exe" >/dev/null 2>&1 &
wine "$win/bt_drive.exe" main-rect >/dev/null
wine "$win/bt_drive.exe" list
wine "$win/bt_drive.exe" list-rect | tr -d '\r' | shoot list-loading
wine "$win/bt_drive.exe" list-icons-rect | tr -d '\r' | shoot list
wine "$win/bt_drive.exe" list-filter "ニュース"
wine "$win/bt_drive.exe" list-found-rect | tr -d '\r' | shoot list-filter
# A search of the whole histories (pages older than any loaded), then within a period, and
# the period's choice dropped open.
wine "$win/bt_drive.exe" list-filter "カレー curry"
wine "$win/bt_drive.exe" list-filter "カレー"
wine "$win/bt_drive.exe" list-found-rect | tr -d '\r' | shoot list-search
wine "$win/bt_drive.exe" list-period 2
wine "$win/bt_drive.exe" list-found-rect | tr -d '\r' | shoot list-period
wine "$win/bt_drive.exe" list-period-open | tr -d '\r' | shoot list-period-choice
wine "$win/bt_drive.exe" list-period 0
wine "$win/bt_drive.exe" list-filter ""
# Resized and maximised: the controls move with it, the title column takes the width.
wine "$win/bt_drive.exe" list-size 900 560 | tr -d '\r' | shoot list-resized
wine "$win/bt_drive.exe" list-maximize | tr -d '\r' | shoot list-maximized
wine "$win/bt_drive.exe" close-all
# The list's view of the last windows: a heading a window, its tabs below.
wine "$work/Backtracker.exe" >/dev/null 2>&1 &
wine "$win/bt_drive.exe" main-rect >/dev/null
wine "$win/bt_drive.exe" windows
wine "$win/bt_drive.exe" list-loaded-rect | tr -d '\r' | shoot list-windows
wine "$win/bt_drive.exe" close-all
# Where a browser keeps its data, 再び表示 is a split button; its arrow drops its menu (the
# picture reaches below the dialog, where the menu drops).
wine "$work/Backtracker.exe" >/dev/null 2>&1 &
wine "$win/bt_drive.exe" main-rect | tr -d '\r' | shoot main-split
read -r x y w h < <(wine "$win/bt_drive.exe" main-rect | tr -d '\r')
read -r ax ay < <(wine "$win/bt_drive.exe" reopen-arrow | tr -d '\r')
xdotool mousemove "$ax" "$ay" click 1; sleep 0.8
echo "$x $y $((w + 160)) $((h + 60))" | shoot main-split-menu
xdotool key Escape; sleep 0.3
wine "$win/bt_drive.exe" close-all
# The sources dialog over the same profiles (and a Brave whose program is not there).
wine "$work/Backtracker.exe" >/dev/null 2>&1 &
wine "$win/bt_drive.exe" main-rect >/dev/null
wine "$win/bt_drive.exe" sources
# It shows at once; the reasons come in as the histories are read.
wine "$win/bt_drive.exe" sources-rect >/dev/null; sleep 3
wine "$win/bt_drive.exe" sources-rect | tr -d '\r' | shoot sources-browsers
wine "$win/bt_drive.exe" close-all
wine "$win/bt_profiles.exe" clear
# The usage, as /? shows it.
wine "$work/Backtracker.exe" /? >/dev/null 2>&1 &
wine "$win/bt_drive.exe" messagebox-rect | tr -d '\r' | shoot usage
wine "$win/bt_drive.exe" close-all
# The program ends; the browser window that the busy shot opened is ended with the prefix.
rm -rf "$work"
exit 0
