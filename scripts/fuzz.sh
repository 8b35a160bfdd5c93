#!/usr/bin/env bash
# Runs every fuzz target for MINUTES minutes each under the sanitizers, building that configuration
# (build/sanitize, as ./test.sh makes it) if needed. Each target starts from its kept inputs in
# tests/data/fuzz/TARGET and from what earlier runs found (build/sanitize/fuzz-corpus/TARGET); at the
# end the kept inputs are replaced by the fewest of the kept and found ones that cover what they all
# cover, so that the kept corpus grows only by what reaches new code. A failing input is saved as
# build/sanitize/fuzz-artifacts/TARGET-crash-... and the script ends with status 1.
#   scripts/fuzz.sh 1        # a minute each; prints each target's inputs per second and the total
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:?usage: scripts/fuzz.sh MINUTES}
[[ $minutes =~ ^[0-9]+$ && $minutes -gt 0 ]] || { echo "MINUTES must be a whole number above 0" >&2; exit 2; }

build=build/sanitize
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVEXT_SANITIZE=ON -DVEXT_FUZZ=ON \
    -DVEXT_GUI=OFF -DVEXT_WERROR=ON "${launcher[@]}" >/dev/null
targets=()
for source in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

mkdir -p "$build/fuzz-artifacts"
total=0
failed=()
for target in "${targets[@]}"; do
    found="$build/fuzz-corpus/$target" kept="tests/data/fuzz/$target"
    mkdir -p "$found" "$kept"
    log="$build/fuzz-artifacts/$target.log"
    echo "== $target: $minutes min"
    if ! "$build/$target" -max_total_time=$((minutes * 60)) -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" "$found" "$kept" >"$log" 2>&1; then
        failed+=("$target")
        tail -n 30 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "   ${runs:-0} inputs, $rate a second"
    total=$((total + ${runs:-0}))
    # The fewest inputs that reach every edge the kept and the found ones reach (hit counts aside).
    # Inputs with names of their own (a fault once found, a real file) always stay; libFuzzer names
    # the others by their SHA-1.
    merged=$(mktemp -d)
    find "$kept" -type f ! -regex '.*/[0-9a-f]\{40\}' -exec cp {} "$merged"/ \;
    "$build/$target" -merge=1 -use_counters=0 "$merged" "$kept" "$found" >>"$log" 2>&1
    find "$kept" -type f -regex '.*/[0-9a-f]\{40\}' -delete
    cp -n "$merged"/* "$kept"/
    rm -rf "$merged"
    echo "   kept corpus: $(ls "$kept" | wc -l) inputs"
done
echo "== $total inputs in all"
if ((${#failed[@]})); then
    echo "failed: ${failed[*]} (logs and inputs in $build/fuzz-artifacts)" >&2
    exit 1
fi
