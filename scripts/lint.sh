#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the core's sources (not the tests).
# Usage: lint.sh BUILD_DIR   (the build folder holds compile_commands.json)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] || { echo "lint: no $build/compile_commands.json" >&2; exit 2; }
core="$(pwd)/src/(model|geom|io|xml|expr|scene|render|mesh|swf|lang|figure)/.*(?<!_test)\\.cpp\$"
run-clang-tidy -quiet -j 2 -p "$build" "$core" > "$build/lint.log" 2>&1 || true
if grep -E 'warning:|error:' "$build/lint.log"; then
    echo "lint: findings above (full output in $build/lint.log)" >&2
    exit 1
fi
echo "lint: no findings"
