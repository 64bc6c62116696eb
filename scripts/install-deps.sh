#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kelvo Plot need.
# The list below is the one place where the project names its system packages.
# Usage: install-deps.sh [build|run|bench|fuzz]   (default: build)
set -euo pipefail

build_packages=(
    g++ cmake ninja-build make pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libgif-dev libwebp-dev libassimp-dev libspnav-dev libdeflate-dev libfontconfig-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-liberation2 fonts-liberation fonts-dejavu-core fonts-dejavu-extra fontconfig
)
run_packages=(xvfb xauth)
bench_packages=(hyperfine gnuplot-nox python3-matplotlib python3-pil python3-numpy clang libclang-rt-14-dev)
fuzz_packages=(clang libclang-rt-14-dev)

wanted=("${build_packages[@]}")
case "${1:-build}" in
    build) ;;
    run) wanted+=("${run_packages[@]}") ;;
    bench) wanted+=("${run_packages[@]}" "${bench_packages[@]}") ;;
    fuzz) wanted+=("${fuzz_packages[@]}") ;;
    *) echo "usage: $0 [build|run|bench|fuzz]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
echo "install-deps: installing ${missing[*]}"
$sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
    --no-install-recommends "${missing[@]}"
