# Sourced by the tools: the project's own Wine prefix and locale; the user's ~/.wine is never used.
_bt_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${BACKTRACKER_WINEPREFIX:-$_bt_root/.wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=ja_JP.UTF-8
