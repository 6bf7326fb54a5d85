#!/usr/bin/env bash
# Starts Backtracker under Wine in the project's prefix. Without a display it shows what a
# user would see by saving screenshots instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    echo "run: no display; taking screenshots under Xvfb instead"
    exec "$root/tools/screenshots.sh"
fi
exec "$root/tools/wine-run.sh" "$root/build/win/dist/Backtracker.exe"
