#!/usr/bin/env bash
# Runs Debian's Firefox ESR headless with a profile where a Windows user's Firefox keeps it in
# the project's Wine prefix (named in profiles.ini), shows it loopback pages through Marionette
# (tests/live/marionette.py), with its session written every second, and runs the Windows test
# win_live_browser_tests in phases against the files the browser writes: while it runs, after it
# showed one more page, and after it was killed; then its files laid out as every browser of
# its family; then, in the profile made anew, its last windows while it runs, after it was
# killed and after it quit. Nothing of it is kept.
# Usage: firefox.sh WIN_LIVE_BROWSER_TESTS_EXE
set -euo pipefail
tests_exe=$1
. "$(dirname "$0")/live-common.sh"
command -v firefox-esr >/dev/null || { echo "live: firefox-esr is not installed (tools/setup.sh installs it)"; exit 1; }

own="$(live_windows_folder APPDATA)/Mozilla/Firefox"
profile="$own/Profiles/live.default"
rm -rf "$own"
mkdir -p "$profile"
printf '[Profile0]\r\nName=live\r\nIsRelative=1\r\nPath=Profiles/live.default\r\n' > "$own/profiles.ini"
marionette=$(free_port)
# The session every second; nothing fetched from anywhere but loopback.
write_prefs() {
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
user_pref("browser.sessionstore.resume_from_crash", $1);
PREFS
}
write_prefs true
firefox-esr --headless --marionette --no-remote --profile "$profile" about:blank >/dev/null 2>&1 &
browser_pid=$!

python3 "$root/tests/live/marionette.py" "$marionette" "open:$(url 1)" "seen:$(url 2)" "open:$(url 3)" "open:$(url 4)"
pages=("$(url 1)" "$(url 2)" "$(url 3)" "$(url 4)")
open=("$(url 1)" "$(url 3)" "$(url 4)")
sleep 3  # the session file written since
phase WhileItRuns firefox
python3 "$root/tests/live/marionette.py" "$marionette" "open:$(url 5)"
pages+=("$(url 5)")
open+=("$(url 5)")
phase KeepsRecording firefox
crash
phase AfterItWasKilled firefox
phase AsEveryBrowserOfItsFamily firefox

# The last windows: the profile made anew, two windows of three pages (the first pinned) shown
# through Marionette; crashes not resumed by the browser itself, so that after the kill they
# are the windows to bring back. Then once more, ended as the user quits it: the session is in
# sessionstore.jsonlz4 and the recovery files are gone.
last_windows() {
    rm -rf "$profile"
    mkdir -p "$profile"
    write_prefs false
    firefox-esr --headless --marionette --remote-allow-system-access --no-remote --profile "$profile" about:blank \
        >/dev/null 2>&1 &
    browser_pid=$!
    python3 "$root/tests/live/marionette.py" "$marionette" "window:$(url 1)" "tab:$(url 2)" "tab:$(url 3)" \
        "window:$(url 4)" "tab:$(url 5)" "tab:$(url 6)" "pin:$(url 1)"
    sleep 3  # the session file written since
}
last_windows
phase LastWindowsWhileItRuns firefox
crash
phase LastWindowsAfterItStopped firefox
last_windows
python3 "$root/tests/live/marionette.py" "$marionette" quit
wait "$browser_pid" 2>/dev/null || true
browser_pid=""
[ -e "$profile/sessionstore.jsonlz4" ] && [ ! -e "$profile/sessionstore-backups/recovery.jsonlz4" ] ||
    { echo "live: Firefox did not end with its session in sessionstore.jsonlz4"; exit 1; }
phase LastWindowsAfterItStopped firefox
