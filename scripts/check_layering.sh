#!/usr/bin/env bash
# Holds the layering of src/: each core folder includes only the folders listed before it, and
# nothing outside desktop/ includes Qt. Tests (*_test.cpp) may build their figures with any core
# folder, but not with Qt. Prints each offending file and include; exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/../src"

order=(model geom io xml expr scene render mesh swf/format swf/export swf/read swf/play lang figure desktop)

rank_of() { # the position of the folder that holds a path, or nothing when none does
    local path=$1 best="" i
    for i in "${!order[@]}"; do
        case "$path" in "${order[$i]}"/*) best=$i ;; esac
    done
    echo "$best"
}

status=0
while IFS= read -r file; do
    own=$(rank_of "$file")
    if [ -z "$own" ]; then
        echo "$file: not in a known folder (${order[*]})"
        status=1
        continue
    fi
    while IFS= read -r line; do
        include=${line#*\"}
        include=${include%%\"*}
        if [[ "$line" == *"<Q"* || "$line" == *"<q"*"/"* ]] && [ "${order[$own]}" != desktop ]; then
            echo "$file: includes Qt: $line"
            status=1
            continue
        fi
        [[ "$line" == *\"* ]] || continue
        target=$(rank_of "$include")
        [ -n "$target" ] || continue
        case "$file" in *_test.cpp) continue ;; esac
        if [ "$target" -gt "$own" ]; then
            echo "$file: includes $include, which comes after ${order[$own]}/"
            status=1
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

[ $status -eq 0 ] && echo "layering: every include follows the folder order"
exit $status
