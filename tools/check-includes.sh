#!/usr/bin/env bash
# Holds the includes of src/ to the direction of the house: texts and their
# rules, and the platform interfaces, at the bottom, then the shared state,
# then the subsystems, then app; Qt only in src/platform/qt. Prints every include that breaks it and exits 1.
# Usage: check-includes.sh [source root], default the repository's src/.
set -uo pipefail
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

# The folders each folder may include from, besides its own.
declare -A allowed=(
    [text]=""
    [platform]=""
    [platform/qt]="platform"
    [state]="platform text"
    [query]="platform text state"
    [updates]="platform text state query"
    [serverlist]="platform text state query"
    [launch]="platform text state"
    [help]="platform text state"
    [app]="platform text state query updates serverlist launch help"
)

status=0
complain() {
    echo "$1: $2"
    status=1
}

while IFS= read -r file; do
    relative=${file#"$src"/}
    folder=$(dirname "$relative")
    [ "$folder" = "." ] && continue # main.cpp, the one wiring place, may include anything
    if [ -z "${allowed[$folder]+set}" ]; then
        complain "$relative" "a folder the include check does not know; add it to tools/check-includes.sh"
        continue
    fi
    while IFS= read -r line; do
        if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z0-9_/]*)(\.h)?\> ]]; then
            [ "$folder" = "platform/qt" ] || complain "$relative" "Qt outside src/platform/qt: $line"
        elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            targetFolder=$(dirname "$target")
            [ "$targetFolder" = "." ] && { complain "$relative" "include without its folder: $line"; continue; }
            ok=0
            for permitted in "$folder" ${allowed[$folder]}; do
                [ "$targetFolder" = "$permitted" ] && ok=1
            done
            [ $ok -eq 1 ] || complain "$relative" "$folder may not include $targetFolder/: $line"
        fi
    done < "$file"
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

[ $status -eq 0 ] && echo "includes keep the direction"
exit $status
