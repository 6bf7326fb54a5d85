#!/usr/bin/env bash
# Runs Debian's Chromium headless with its user data where a Windows user's Chromium keeps it in
# the project's Wine prefix, shows it loopback pages (served here, with Japanese titles) through
# its DevTools HTTP endpoints (/json/new, /json/close), and runs the Windows test
# win_live_browser_tests in phases against the files the browser writes: while it runs, after it
# showed one more page, and after it was killed. Nothing of it is kept.
# Usage: chromium.sh WIN_LIVE_BROWSER_TESTS_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tests_exe=$1
. "$root/tools/wine-env.sh"
command -v chromium >/dev/null || { echo "live: chromium is not installed (tools/setup.sh installs it)"; exit 1; }

local_appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
chromium_folder="$(winepath -u "$local_appdata" 2>/dev/null)/Chromium"
user_data="$chromium_folder/User Data"
www=$(mktemp -d)
browser_pid="" server_pid=""
cleanup() {
    [ -n "$browser_pid" ] && kill -9 "$browser_pid" 2>/dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$www" "$chromium_folder" 2>/dev/null || true
}
trap cleanup EXIT
rm -rf "$chromium_folder"
mkdir -p "$user_data"

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'; }
port=$(free_port)
devtools=$(free_port)
for n in 1 2 3 4 5; do
    printf '<!doctype html><meta charset="utf-8"><title>ページ %s</title><p>%s\n' "$n" "$n" > "$www/p$n.html"
done
python3 -m http.server "$port" --bind 127.0.0.1 -d "$www" >/dev/null 2>&1 &
server_pid=$!
chromium --headless=new --no-sandbox --disable-gpu --no-first-run --no-default-browser-check \
    --user-data-dir="$user_data" --remote-debugging-port="$devtools" about:blank >/dev/null 2>&1 &
browser_pid=$!
for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$devtools/json/version" >/dev/null && break
    sleep 0.2
done

# Opens a page in a new tab; prints the tab's id.
show() {
    curl -sf -X PUT "http://127.0.0.1:$devtools/json/new?http://127.0.0.1:$port/$1" |
        python3 -c 'import json, sys; print(json.load(sys.stdin)["id"])'
    sleep 1.5  # a visit time of its own
}
pages=() open=()
for n in 1 2 3 4; do
    id=$(show "p$n.html")
    pages+=("http://127.0.0.1:$port/p$n.html")
    if [ "$n" = 2 ]; then
        curl -sf "http://127.0.0.1:$devtools/json/close/$id" >/dev/null  # seen, then closed
    else
        open+=("http://127.0.0.1:$port/p$n.html")
    fi
done
join() { local IFS=,; echo "$*"; }
phase() {
    BT_LIVE_BROWSER=chromium BT_LIVE_PAGES=$(join "${pages[@]}") BT_LIVE_OPEN=$(join "${open[@]}") \
        BT_RUN_TIMEOUT=240 "$root/tools/wine-run.sh" "$tests_exe" --gtest_filter="LiveBrowser.$1"
}
phase WhileItRuns
show p5.html >/dev/null
pages+=("http://127.0.0.1:$port/p5.html")
open+=("http://127.0.0.1:$port/p5.html")
phase KeepsRecording
kill -9 "$browser_pid"
wait "$browser_pid" 2>/dev/null || true
browser_pid=""
phase AfterItWasKilled
