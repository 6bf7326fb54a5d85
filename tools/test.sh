#!/usr/bin/env bash
# Runs every test: the native suite, then the Windows suites under Wine on one display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

ctest --test-dir build/host --output-on-failure

xvfb=""
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 100 149); do [ -e "/tmp/.X$n-lock" ] || { export DISPLAY=":$n"; break; }; done
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT
    sleep 1
fi
ctest --test-dir build/win --output-on-failure
