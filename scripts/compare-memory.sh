#!/usr/bin/env bash
# Runs vext-cli's latency and bandwidth measurements side by side with independent programs on this
# machine, ROUNDS times in turn, and prints every figure (docs/benchmarks.md keeps the results):
#  - latency: vext-cli bench latency --json and scripts/latency-reference.c (huge pages, as Vext asks;
#    once more with small pages) at each level's plateau block;
#  - bandwidth: vext-cli bench bandwidth --json at one thread and at all, scripts/stream-reference.c
#    (Copy, Triad; best of 10) and sysbench memory (read, write) on the same numbers of threads.
#   scripts/compare-memory.sh VEXT_CLI [ROUNDS]     (needs gcc with OpenMP, python3, sysbench)
# Run it at a high priority (nice -n -19) on a machine that others share.
set -euo pipefail
cli=$1
rounds=${2:-3}
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gcc -O2 -o "$work/latency" scripts/latency-reference.c
gcc -O3 -march=native -fopenmp -o "$work/stream" scripts/stream-reference.c
# How fast this core runs now: a chain of dependent additions, one per cycle. On a shared virtual
# machine it falls far below the nominal clock while others run, and every figure with it.
cat >"$work/clock.c" <<'C'
#include <stdio.h>
#include <time.h>
int main(void)
{
    struct timespec a, b;
    unsigned long x = 0, n = 100000000;
    clock_gettime(CLOCK_MONOTONIC, &a);
    for (unsigned long i = 0; i < n; ++i) __asm__ volatile("add $1,%0\n\tadd $1,%0\n\tadd $1,%0\n\tadd $1,%0" : "+r"(x));
    clock_gettime(CLOCK_MONOTONIC, &b);
    printf("%.2f GHz\n", 4.0 * n / ((b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) * 1e-9) * 1e-9);
    return 0;
}
C
gcc -O2 -o "$work/clock" "$work/clock.c"
all=$(nproc)

levels() {  # the plateau blocks (Kb) of a latency JSON result and their ns per load
    python3 -c 'import json,sys; d=json.load(open(sys.argv[1]))
print(" ".join("%s=%d:%.2f" % (l["name"], l["block_kb"], l["ns_per_load"]) for l in d["levels"] if l["block_kb"]))' "$1"
}
memory() {  # the memory plateau of a bandwidth JSON result
    python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))["memory"]
print(m["block_kb"], "Kb;", "; ".join(f"{k}: " + " ".join(f"{x}={v:.2f}" for x, v in m[k].items()) for k in ("single", "all", "ratio")))' "$1"
}
sysbench_gb() {  # threads, operation: GB/s over 128 Mb blocks per thread
    sysbench memory --memory-block-size=128M --memory-total-size=1000G --memory-oper="$2" --threads="$1" --time=5 run |
        sed -n 's/.*(\([0-9.]*\) MiB\/sec).*/\1/p' | python3 -c 'import sys; print(f"{float(sys.stdin.read()) * 1048576 / 1e9:.2f}")'
}

for round in $(seq "$rounds"); do
    echo "== round $round, $(uptime), core clock now $("$work/clock")"
    start=$(date +%s.%N)
    "$cli" bench latency --json >"$work/latency.json"
    echo "vext latency ($(python3 -c "print(f'{$(date +%s.%N) - $start:.1f}')") s): $(levels "$work/latency.json")"
    blocks=$(python3 -c 'import json,sys; print(" ".join(str(l["block_kb"]) for l in json.load(open(sys.argv[1]))["levels"] if l["block_kb"]))' "$work/latency.json")
    echo "reference, huge pages: $("$work/latency" $blocks | tr '\n' ' ')"
    [[ $round == 1 ]] && echo "reference, small pages: $("$work/latency" small $blocks | tr '\n' ' ')"
    start=$(date +%s.%N)
    "$cli" bench bandwidth --threads all --json >"$work/bandwidth.json"
    echo "vext bandwidth --threads all ($(python3 -c "print(f'{$(date +%s.%N) - $start:.1f}')") s): $(memory "$work/bandwidth.json")"
    for threads in 1 "$all"; do
        echo "stream, $threads threads, huge pages: $(OMP_NUM_THREADS=$threads OMP_PROC_BIND=spread "$work/stream" 128 huge)"
        echo "stream, $threads threads, small pages: $(OMP_NUM_THREADS=$threads OMP_PROC_BIND=spread "$work/stream" 128)"
        echo "sysbench, $threads threads: read $(sysbench_gb "$threads" read), write $(sysbench_gb "$threads" write)"
    done
done
