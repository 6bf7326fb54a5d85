#!/usr/bin/env bash
# Prepares this machine for building and running Backtracker: Debian packages (only the
# missing ones) and the project's own Wine prefix. Quick when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/tools/wine-env.sh"

packages=(g++-mingw-w64-x86-64-posix cmake make g++ libgtest-dev libgmock-dev googletest
          libbenchmark-dev xvfb xdotool imagemagick fonts-vlgothic fonts-ipafont-gothic python3 locales
          libx11-dev libxfixes-dev nlohmann-json3-dev clang libclang-rt-14-dev
          chromium firefox-esr curl)
# chromium and firefox-esr: real browsers that write their own files for the live tests.
# Wine comes with its recommended libraries (X extensions, TLS, fonts).
wine_packages=(wine wine64)

missing() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}
sudo_cmd=""
[ "$(id -u)" = 0 ] || sudo_cmd=sudo
need=($(missing "${packages[@]}"))
need_wine=($(missing "${wine_packages[@]}"))
if ((${#need[@]} + ${#need_wine[@]})); then
    echo "setup: installing ${need[*]} ${need_wine[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo_cmd apt-get update -qq
    if ((${#need[@]})); then
        $sudo_cmd apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
    fi
    if ((${#need_wine[@]})); then
        $sudo_cmd apt-get install -y -qq "${need_wine[@]}" >/dev/null
    fi
fi

# Wine takes its code page and the user's UI language from the C library's locale: each must
# exist, not just be named. Japanese is the prefix's own; English is the program's other face.
for loc in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8\$"; then
        echo "setup: generating the $loc.UTF-8 locale"
        $sudo_cmd localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
    fi
done

# The prefix is made under a Japanese locale so that the ANSI code page is 932 and
# captions and message boxes render Japanese; the marker is written last.
if [ ! -f "$WINEPREFIX/.backtracker-ready" ]; then
    echo "setup: creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # A virtual desktop gives the windows frames and keeps exit codes and FindWindow working.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # IPA's Gothic fonts share the metrics of the Windows Japanese UI fonts, so dialog
    # texts fit their templates as they do on Windows.
    for name in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /d IPAPGothic /f >/dev/null 2>&1
    done
    for name in 'ＭＳ ゴシック' 'MS Gothic'; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /d IPAGothic /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.backtracker-ready"
fi
