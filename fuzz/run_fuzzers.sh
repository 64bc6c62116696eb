#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz with clang and runs each for FUZZ_SECONDS (default 60),
# one after the other, from its seed corpus, with its dictionary. An input is a hang when it takes
# more than a second and too greedy when the process passes 2 GB. Corpora grow in
# build-fuzz/corpus/<target>; what a target finds goes to build-fuzz/findings/<target>/.
# FUZZ_TARGETS selects targets by name ("expression document"); the default is all of them.
# FUZZ_OPTIONS adds libFuzzer options, such as "-fork=1 -ignore_crashes=1 -ignore_timeouts=1" to
# go on after a finding.
# Usage: fuzz/run_fuzzers.sh   (from the repository root; `make fuzz` runs it)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
build="$PWD/build-fuzz"
targets=(${FUZZ_TARGETS:-command_lines document expression settings movie_reader movie_player movie_writer embedding_frames})

CC=clang CXX=clang++ cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

# Seeds: the checked-in ones, the example gallery and documents, and the tests' sample movies.
seed() { # target, files...
    local corpus="$build/corpus/$1"
    shift
    mkdir -p "$corpus"
    for file in "$@"; do [ -f "$file" ] && cp "$file" "$corpus/"; done
    return 0
}
seed command_lines fuzz/seeds/command_lines/* examples/gallery/*.kp
seed document fuzz/seeds/documents/* examples/*.vexxml
if command -v iconv >/dev/null; then
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE examples/sine.vexxml; } \
        >"$build/corpus/document/sine-utf16.vexxml"
fi
seed expression fuzz/seeds/expressions/*
seed settings fuzz/seeds/settings/*
seed embedding_frames fuzz/seeds/embedding_frames/*
seed movie_writer
for movies in movie_reader movie_player; do
    mkdir -p "$build/corpus/$movies"
    "$build/movie_seeds" "$build/corpus/$movies"
done

dictionary() {
    case "$1" in
    command_lines) echo "$PWD"/fuzz/dictionaries/commands.dict ;;
    document) echo "$PWD"/fuzz/dictionaries/documents.dict ;;
    expression) echo "$PWD"/fuzz/dictionaries/expressions.dict ;;
    settings) echo "$PWD"/fuzz/dictionaries/settings.dict ;;
    movie_reader | movie_player) echo "$PWD"/fuzz/dictionaries/movies.dict ;;
    *) ;;
    esac
}

# Expressions reach their 9,999-byte limit only in inputs longer than libFuzzer's default.
max_length() {
    case "$1" in
    expression) echo 12000 ;;
    *) echo 4096 ;;
    esac
}

failed=()
for target in "${targets[@]}"; do
    findings="$build/findings/$target"
    mkdir -p "$findings"
    options=(-max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len="$(max_length "$target")"
             -print_final_stats=1 -artifact_prefix="$findings/")
    dict="$(dictionary "$target")"
    [ -n "$dict" ] && options+=(-dict="$dict")
    options+=(${FUZZ_OPTIONS:-})
    echo "== $target: $seconds s"
    if ! "$build/${target}_fuzzer" "${options[@]}" "$build/corpus/$target" \
            >"$findings/last-run.log" 2>&1; then
        failed+=("$target")
    fi
    grep -a -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|SUMMARY|FINDING' \
        "$findings/last-run.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]}; inputs and logs are in $build/findings/" >&2
    exit 1
fi
echo "fuzz: no findings"
