#!/usr/bin/env bash
# Checks the movies of the examples in a real Flash player: exports every script of
# examples/gallery and examples/movies as a movie and as a PNG picture, checks each movie's
# structure with swf-dump --strict, and plays it with swf-render (the Ruffle player in headless
# Chromium), saving pictures of chosen frames beside the PNG of the same figure. When the
# benchmarks are built, the program's own player draws the same frames, and each is compared
# with Ruffle's and the last one with the PNG: the largest colour difference (0 to 255) away from
# edges, and where it is. Not part of make test: it needs Chromium and the two tools.
#
# usage: scripts/check_movies.sh PATH/TO/SWF-TOOLS [OUT]   (default OUT: out/movies)
#        the folder holds swf-dump and swf-render; set it up with its setup.sh first
set -euo pipefail
tools="$(readlink -f "${1:?usage: check_movies.sh PATH/TO/SWF-TOOLS [OUT]}")"
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(mkdir -p "${2:-$top/out/movies}" && readlink -f "${2:-$top/out/movies}")"
program="$top/build/kelvoplot"
player="$top/build/movie_player_bench"
[ -x "$program" ] || { echo "check_movies: build the program first (make)" >&2; exit 2; }

# Movie frames to look at; 25 frames per second, so a 40 ms figure frame is one movie frame.
frames_of() {
    case "$1" in
    growing) echo 0,10,25,50 ;;
    split_frames) echo 0,13,26,39,52,65,78 ;;
    spinning_axis) echo 0,10,20,39 ;;
    morph) echo 0,10,20,30 ;;
    text_fields) echo 0,10,20,30,40,49 ;;
    *) echo 0 ;;
    esac
}

# Our player's frames against Ruffle's, and its last frame against the picture of the figure.
compare_players() {
    local name=$1 frame frames size last
    frames="$(frames_of "$name")"
    size="$(identify -format '%w %h' "$out/$name.png")"
    mkdir -p "$out/$name-player"
    # shellcheck disable=SC2086
    "$player" --frames "$out/$name.swf" "$out/$name-player" $size ${frames//,/ } 2>/dev/null
    for frame in ${frames//,/ }; do
        echo "  frame $frame, player vs Ruffle: $("$player" --compare \
            "$out/$name-frames/$name-f$frame.png" "$out/$name-player/frame-$frame.png" 2 2>/dev/null)"
        last=$frame
    done
    echo "  frame $last, player vs picture: $("$player" --compare "$out/$name.png" \
        "$out/$name-player/frame-$last.png" 2 2>/dev/null)"
}

# Scripts name their picture files relative to the top of the source tree.
cd "$top"
failures=0
for script in examples/gallery/*.kp examples/movies/*.kp; do
    name="$(basename "$script" .kp)"
    if ! "$program" --yes --export "$out/$name.swf" "$script" > "$out/$name.log" 2>&1 ||
        ! "$program" --yes --export "$out/$name.png" "$script" >> "$out/$name.log" 2>&1; then
        echo "$name: export failed, see $out/$name.log"
        failures=$((failures + 1))
        continue
    fi
    if ! "$tools/swf-dump" --strict "$out/$name.swf" > "$out/$name.dump" 2>&1; then
        echo "$name: swf-dump found faults, see $out/$name.dump"
        failures=$((failures + 1))
    fi
    if ! "$tools/swf-render" "$out/$name.swf" --frames "$(frames_of "$name")" \
        --out "$out/$name-frames" > "$out/$name.render" 2>&1; then
        echo "$name: swf-render failed, see $out/$name.render"
        failures=$((failures + 1))
        continue
    fi
    echo "$name: ok ($(stat -c %s "$out/$name.swf") bytes; frames $(frames_of "$name"))"
    [ -x "$player" ] && compare_players "$name"
done
echo "Movies, dumps and frame pictures are in $out"
[ "$failures" -eq 0 ]
