#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build with the GUI tests under a
# virtual display, then the sanitizer build (address, undefined) with the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGING_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
jobs=$(nproc)

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXT_WERROR=ON -DVEXT_PACKAGING=ON >/dev/null
cmake --build build/test -j"$jobs"
# -noreset: by default the server resets when its last client leaves, and a program that connects
# during the reset (the next GUI test) finds no display.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build/test --output-on-failure -j"$jobs"

CC=clang CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVEXT_SANITIZE=ON -DVEXT_FUZZ=ON \
    -DVEXT_GUI=OFF -DVEXT_WERROR=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
