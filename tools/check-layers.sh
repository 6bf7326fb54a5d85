#!/usr/bin/env bash
# Checks that each folder of the program includes only from the folders below it, as the
# README's layout table says, and that it spells every include of another folder one way
# ("../history/X.h", never "history/X.h"). Prints each breach; exits 1 when there is one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
declare -A may=(
    [text]=""
    [framework]="text res"
    [controls]="framework text res"
    [browser]="framework text res"
    [history]="framework text res"
    [reopen]="history browser framework text res"
    [app]="controls reopen framework text res"
)
bad=0
for folder in "${!may[@]}"; do
    while IFS=: read -r file line used; do
        [ -z "$file" ] && continue
        if [[ " ${may[$folder]} " != *" $used "* ]]; then
            echo "layers: $file:$line: $folder/ may not use $used/"
            bad=1
        fi
    done < <(cd "$root" && grep -rnoE '#include "\.\./[a-z_]+/' "$folder" | sed -E 's#^([^:]+):([0-9]+):.*\.\./([a-z_]+)/$#\1:\2:\3#' || true)
done
layers=$(IFS='|'; echo "${!may[*]}|res")
for folder in "${!may[@]}"; do
    while IFS= read -r hit; do
        [ -z "$hit" ] && continue
        echo "layers: $hit: include another folder as \"../<folder>/...\""
        bad=1
    done < <(cd "$root" && grep -rnE "#include \"($layers)/" "$folder" || true)
done
[ "$bad" = 0 ] && echo "layers: every folder uses only the folders below it"
exit $bad
