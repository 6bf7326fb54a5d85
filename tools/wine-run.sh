#!/usr/bin/env bash
# Runs a Windows program of this project under Wine in the project's prefix and passes its
# exit code on. Starts Xvfb when there is no display and ends what it started. The program's
# output goes to a file first: a child it starts (notepad, the browser) would otherwise hold a
# caller's pipe open. BACKTRACKER_KEEP_WINESERVER=1 leaves the prefix's processes running.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        break
    done
fi

out=$(mktemp)
case "$1" in
    *.exe|*.EXE) wine "$@" >"$out" 2>&1 </dev/null ;;
    *) "$@" >"$out" 2>&1 </dev/null ;;
esac
rc=$?
cat "$out"
rm -f "$out"
[ "${BACKTRACKER_KEEP_WINESERVER:-0}" = 1 ] || wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
exit $rc
