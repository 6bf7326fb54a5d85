# Sourced by the live tests: the Wine prefix, a folder `www` of six loopback pages with
# Japanese titles served on `port`, the browser's process (`browser_pid`, started by the test)
# ended and `own` (the profile's folder in the prefix) removed on exit, and the test phases.
#   live_windows_folder VAR    the Unix path of a folder of the prefix's user (%LOCALAPPDATA%...)
#   free_port                  a free TCP port on loopback
#   url N                      the address of page N
#   phase TEST BROWSER         runs LiveBrowser.TEST of $tests_exe with pages[] and open[] (and
#                              the windows the browser has, `live_windows`: "u1,u2;u3,...")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/tools/wine-env.sh"

live_windows_folder() { winepath -u "$(wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r')" 2>/dev/null; }
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'; }

www=$(mktemp -d)
browser_pid="" server_pid="" own=""
live_cleanup() {
    [ -n "$browser_pid" ] && kill -9 "$browser_pid" 2>/dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$www"
    [ -n "$own" ] && rm -rf "$own"
    return 0
}
trap live_cleanup EXIT

port=$(free_port)
for n in 1 2 3 4 5 6; do
    printf '<!doctype html><meta charset="utf-8"><title>ページ %s</title><p>%s\n' "$n" "$n" > "$www/p$n.html"
done
python3 -m http.server "$port" --bind 127.0.0.1 -d "$www" >/dev/null 2>&1 &
server_pid=$!

url() { echo "http://127.0.0.1:$port/p$1.html"; }
pages=() open=()
# The two windows of the last-windows phases, three pages each (the first one pinned).
live_windows="$(url 1),$(url 2),$(url 3);$(url 4),$(url 5),$(url 6)"
live_join() { local IFS=,; echo "$*"; }
phase() {
    BT_LIVE_BROWSER=$2 BT_LIVE_PAGES=$(live_join "${pages[@]}") BT_LIVE_OPEN=$(live_join "${open[@]}") \
        BT_LIVE_WINDOWS=${live_windows:-} \
        BT_RUN_TIMEOUT=240 "$root/tools/wine-run.sh" "$tests_exe" --gtest_filter="LiveBrowser.$1"
}
# Kills the browser as a crash would.
crash() {
    kill -9 "$browser_pid"
    wait "$browser_pid" 2>/dev/null || true
    browser_pid=""
}
