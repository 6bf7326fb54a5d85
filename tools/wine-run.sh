#!/usr/bin/env bash
# Runs a Windows program of this project under Wine in the project's prefix and passes its
# exit code on. Starts Xvfb when there is no display and ends what it started. The program's
# output goes to a file first: a child it starts (notepad, the browser) would otherwise hold a
# caller's pipe open. BT_RUN_TIMEOUT (seconds) ends a program that runs longer, and its output
# is passed on all the same; BACKTRACKER_KEEP_WINESERVER=1 leaves the prefix's processes running.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
. "$here/xvfb.sh"
bt_start_xvfb || exit 1

out=$(mktemp)
limit=${BT_RUN_TIMEOUT:-0}
case "$1" in
    *.exe|*.EXE) timeout -k 5 "$limit" wine "$@" >"$out" 2>&1 </dev/null ;;
    *) timeout -k 5 "$limit" "$@" >"$out" 2>&1 </dev/null ;;
esac
rc=$?
cat "$out"
rm -f "$out"
if [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
    echo "wine-run: $(basename "$1") did not end within ${limit} s and was stopped"
fi
[ "${BACKTRACKER_KEEP_WINESERVER:-0}" = 1 ] || wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
bt_stop_xvfb
exit $rc
