#!/usr/bin/env bash
# Runs Debian's Chromium headless with its user data where a Windows user's Chromium keeps it in
# the project's Wine prefix, shows it loopback pages through its DevTools HTTP endpoints
# (/json/new, /json/close), and runs the Windows test win_live_browser_tests in phases against
# the files the browser writes: while it runs, after it showed one more page, and after it was
# killed; then its files laid out as every browser of its family; then, in a fresh profile, its
# last windows while it runs and after it was killed. Nothing of it is kept.
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

# The last windows: a fresh profile in which an extension written here makes two windows of
# three pages each at start and pins the first page; the browser's own first window holds only
# about:blank. While it runs its windows are open; killed, they are the ones to bring back.
rm -rf "$own"
mkdir -p "$own/User Data"
ext="$www/extension"
mkdir -p "$ext"
printf '{"manifest_version": 3, "name": "bt-live-windows", "version": "1", "permissions": ["tabs"], "background": {"service_worker": "background.js"}}\n' > "$ext/manifest.json"
cat > "$ext/background.js" <<SCRIPT
(async () => {
  for (const urls of [["$(url 1)", "$(url 2)", "$(url 3)"], ["$(url 4)", "$(url 5)", "$(url 6)"]])
    await chrome.windows.create({url: urls});
  for (const tab of await chrome.tabs.query({}))
    if ((tab.pendingUrl || tab.url) === "$(url 1)")
      await chrome.tabs.update(tab.id, {pinned: true});
})();
SCRIPT
chromium --headless=new --no-sandbox --disable-gpu --no-first-run --no-default-browser-check \
    --user-data-dir="$own/User Data" --disable-features=DisableLoadExtensionCommandLineSwitch \
    --load-extension="$ext" about:blank >/dev/null 2>&1 &
browser_pid=$!
phase LastWindowsWhileItRuns chromium
crash
phase LastWindowsAfterItStopped chromium
