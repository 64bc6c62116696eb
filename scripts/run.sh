#!/usr/bin/env bash
# Runs Kelvo Plot. With a display it opens the console window; without one it renders the
# example gallery (examples/gallery/*.kp) to PNG files and says where they are.
set -euo pipefail
program="${1:?usage: run.sh PATH/TO/kelvoplot}"
shift || true
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$@"
fi

# Scripts name their picture files relative to the top of the source tree.
cd "$top"
out="$top/out/gallery"
mkdir -p "$out"
echo "No display: rendering the example gallery with --export instead of opening windows."
count=0
for script in "$top"/examples/gallery/*.kp; do
    [ -e "$script" ] || continue
    name="$(basename "$script" .kp)"
    if "$program" --export "$out/$name.png" "$script" > "$out/$name.txt" 2>&1; then
        count=$((count + 1))
    else
        echo "  $name: failed, see $out/$name.txt"
    fi
done
echo "Rendered $count pictures into $out"
