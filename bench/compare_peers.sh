#!/usr/bin/env bash
# Times Kelvo Plot against gnuplot and matplotlib on the peer workloads, side by side in one run:
# builds build/kelvoplot, then runs the peers' comparison script (compare.sh, kept with the peer
# workloads outside this repository) on it. Each workload is a whole process, from command text
# to file; the ratio is Kelvo Plot's median over the fastest peer's.
#
# usage: bench/compare_peers.sh PATH/TO/compare.sh [WORKLOAD...]   (w1 w2 w3 w4svg w4pdf w5)
#        RUNS=N sets the runs per program (default 7)
set -euo pipefail
compare="$(readlink -f "${1:?usage: compare_peers.sh PATH/TO/compare.sh [WORKLOAD...]}")"
shift
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$top"
scripts/install-deps.sh bench
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target kelvoplot > /dev/null
"$compare" "$top/build/kelvoplot" "$@"
