#!/usr/bin/env bash
# Runs every test: the layering of the folders, the native suite, then the Windows suites
# under Wine on one display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/check-layers.sh
ctest --test-dir build/host --output-on-failure

. tools/xvfb.sh
bt_start_xvfb
trap bt_stop_xvfb EXIT
ctest --test-dir build/win --output-on-failure
