#!/usr/bin/env bash
# Runs Debian's Firefox ESR headless with a profile where a Windows user's Firefox keeps it in
# the project's Wine prefix (named in profiles.ini), shows it loopback pages (served here)
# through Marionette (tests/live/marionette.py), with its session written every second, and
# runs the Windows test win_live_browser_tests in phases against the files the browser writes:
# while it runs, after it showed one more page, and after it was killed. Nothing of it is kept.
# Usage: firefox.sh WIN_LIVE_BROWSER_TESTS_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tests_exe=$1
. "$root/tools/wine-env.sh"
command -v firefox-esr >/dev/null || { echo "live: firefox-esr is not installed (tools/setup.sh installs it)"; exit 1; }

roaming=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
mozilla="$(winepath -u "$roaming" 2>/dev/null)/Mozilla/Firefox"
profile="$mozilla/Profiles/live.default"
www=$(mktemp -d)
browser_pid="" server_pid=""
cleanup() {
    [ -n "$browser_pid" ] && kill -9 "$browser_pid" 2>/dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$www" "$mozilla" 2>/dev/null || true
}
trap cleanup EXIT
rm -rf "$mozilla"
mkdir -p "$profile"
printf '[Profile0]\r\nName=live\r\nIsRelative=1\r\nPath=Profiles/live.default\r\n' > "$mozilla/profiles.ini"

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'; }
port=$(free_port)
marionette=$(free_port)
# The session every second; nothing fetched from anywhere but loopback.
cat > "$profile/user.js" <<PREFS
user_pref("browser.sessionstore.interval", 1000);
user_pref("marionette.port", $marionette);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.normandy.enabled", false);
user_pref("app.update.enabled", false);
user_pref("extensions.update.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("services.settings.server", "http://127.0.0.1:1/");
PREFS
for n in 1 2 3 4 5; do
    printf '<!doctype html><meta charset="utf-8"><title>ページ %s</title><p>%s\n' "$n" "$n" > "$www/p$n.html"
done
python3 -m http.server "$port" --bind 127.0.0.1 -d "$www" >/dev/null 2>&1 &
server_pid=$!
firefox-esr --headless --marionette --no-remote --profile "$profile" about:blank >/dev/null 2>&1 &
browser_pid=$!

url() { echo "http://127.0.0.1:$port/p$1.html"; }
python3 "$root/tests/live/marionette.py" "$marionette" "open:$(url 1)" "seen:$(url 2)" "open:$(url 3)" "open:$(url 4)"
pages=("$(url 1)" "$(url 2)" "$(url 3)" "$(url 4)")
open=("$(url 1)" "$(url 3)" "$(url 4)")
sleep 3  # the session file written since
join() { local IFS=,; echo "$*"; }
phase() {
    BT_LIVE_BROWSER=firefox BT_LIVE_PAGES=$(join "${pages[@]}") BT_LIVE_OPEN=$(join "${open[@]}") \
        BT_RUN_TIMEOUT=240 "$root/tools/wine-run.sh" "$tests_exe" --gtest_filter="LiveBrowser.$1"
}
phase WhileItRuns
python3 "$root/tests/live/marionette.py" "$marionette" "open:$(url 5)"
pages+=("$(url 5)")
open+=("$(url 5)")
phase KeepsRecording
kill -9 "$browser_pid"
wait "$browser_pid" 2>/dev/null || true
browser_pid=""
phase AfterItWasKilled
