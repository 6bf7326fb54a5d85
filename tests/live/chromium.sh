#!/usr/bin/env bash
# Runs Debian's Chromium headless with its user data where a Windows user's Chromium keeps it in
# the project's Wine prefix, shows it loopback pages through its DevTools HTTP endpoints
# (/json/new, /json/close), and runs the Windows test win_live_browser_tests in phases against
# the files the browser writes: while it runs, after it showed one more page, and after it was
# killed; then its files laid out as every browser of its family. Nothing of it is kept.
# Usage: chromium.sh WIN_LIVE_BROWSER_TESTS_EXE
set -euo pipefail
tests_exe=$1
. "$(dirname "$0")/live-common.sh"
command -v chromium >/dev/null || { echo "live: chromium is not installed (tools/setup.sh installs it)"; exit 1; }

own="$(live_windows_folder LOCALAPPDATA)/Chromium"
rm -rf "$own"
mkdir -p "$own/User Data"
devtools=$(free_port)
chromium --headless=new --no-sandbox --disable-gpu --no-first-run --no-default-browser-check \
    --user-data-dir="$own/User Data" --remote-debugging-port="$devtools" about:blank >/dev/null 2>&1 &
browser_pid=$!
for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$devtools/json/version" >/dev/null && break
    sleep 0.2
done

# Opens page N in a new tab (a visit time of its own); prints the tab's id.
show() {
    curl -sf -X PUT "http://127.0.0.1:$devtools/json/new?$(url "$1")" |
        python3 -c 'import json, sys; print(json.load(sys.stdin)["id"])'
    sleep 1.5
}
for n in 1 2 3 4; do
    id=$(show "$n")
    pages+=("$(url "$n")")
    if [ "$n" = 2 ]; then
        curl -sf "http://127.0.0.1:$devtools/json/close/$id" >/dev/null  # seen, then closed
    else
        open+=("$(url "$n")")
    fi
done
phase WhileItRuns chromium
show 5 >/dev/null
pages+=("$(url 5)")
open+=("$(url 5)")
phase KeepsRecording chromium
crash
phase AfterItWasKilled chromium
phase AsEveryBrowserOfItsFamily chromium
