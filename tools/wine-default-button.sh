#!/usr/bin/env bash
# Shows how Wine's dialog manager treats the default button, without our framework: the main
# dialog's template under plain dialog procedures (build/win/bt_plain_dialog.exe). Alt+N, Alt+V
# (the version dialog opens), Esc, then Enter with the focus on "バージョン情報(&V)". Prints the
# command that Enter ran: 1000 is the reopen button, 1005 the focused version button (in that
# case the version dialog opens again and the script closes it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
. "$root/tools/xvfb.sh"
bt_start_xvfb own
out=$(mktemp)
trap 'wineserver -k 2>/dev/null || true; bt_stop_xvfb; rm -f "$out"' EXIT
wine "$root/build/win/bt_plain_dialog.exe" >"$out" 2>&1 &
for _ in $(seq 50); do xdotool search --name '^Backtracker$' >/dev/null 2>&1 && break; sleep 0.2; done
xdotool windowactivate "$(xdotool search --name '^Backtracker$' | head -1)" 2>/dev/null || true
sleep 0.5
xdotool key alt+n; sleep 0.5
xdotool key alt+v; sleep 1.5
xdotool key Escape; sleep 1
xdotool key Return; sleep 2
if xdotool search --name 'バージョン情報' >/dev/null 2>&1; then
    echo "Enter ran: 1005 (the focused button)"
else
    echo "Enter ran: $(grep -o 'command [0-9]*' "$out" | tail -1 | cut -d' ' -f2) (1000 is the reopen button, not the focused one)"
fi
