#!/usr/bin/env bash
# Counts the instructions one iteration of each CPU kernel executes on this build: each kernel's loop
# (the very code the program runs, from the built core library) runs under callgrind with N and 2N
# iterations, and (Ir(2N) - Ir(N)) / N is printed. Fibonacci and Euclid count per inner step,
# Dhrystone per pass (which includes one pass of its empty timing loop).
#   scripts/count-kernel-instructions.sh [build-dir]      (default build/test, built beforehand)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/callgrind-driver.sh

cat >"$work/driver.cpp" <<'CPP'
#include <cstdlib>
#include <cstring>
#include "bench/CPUBenchLoops.h"
#include "bench/Dhrystone.h"
#include "platform/Machine.h"
using namespace bench;
int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const char* k = argv[1];
    const uint32_t n = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    NoProbe p;
    const platform::Machine m = platform::LiveMachine();
    CCPUBench cpu(m);
    if (!std::strcmp(k, "Addition")) AdditionLoop(m, n, p);
    else if (!std::strcmp(k, "Subtraction")) SubtractionLoop(m, n, p);
    else if (!std::strcmp(k, "Multiplication")) MultiplicationLoop(m, n, p);
    else if (!std::strcmp(k, "Division")) DivisionLoop(m, n + 1, p);
    else if (!std::strcmp(k, "Mov")) MovLoop(m, n, p);
    else if (!std::strcmp(k, "String")) StringLoop(m, n, p);
    else if (!std::strcmp(k, "Call0")) Call0Loop(m, cpu, n, p);
    else if (!std::strcmp(k, "Call1")) Call1Loop(m, cpu, n, p);
    else if (!std::strcmp(k, "Call2")) Call2Loop(m, cpu, n, p);
    else if (!std::strcmp(k, "Call3")) Call3Loop(m, cpu, n, p);
    else if (!std::strcmp(k, "Call4")) Call4Loop(m, cpu, n, p);
    else if (!std::strcmp(k, "Fibonacci")) FibonacciLoop(m, n, p);             // n is the outer bound
    else if (!std::strcmp(k, "Euclid")) EuclidLoop(m, 2, 2 * n - 1, p);       // n/2 steps for i = 1
    else if (!std::strcmp(k, "Dhrystone")) { CDhrystone d(m); d.RunPasses(n, p); }
    else return 2;
    return 0;
}
CPP
# The loops themselves come from the library (their instances are declared extern in the headers).
build_driver

per() {  # kernel, N, iterations added by going from N to 2N
    local a b
    a=$(ir "$1" "$2")
    b=$(ir "$1" $(($2 * 2)))
    awk -v a="$a" -v b="$b" -v d="$3" 'BEGIN { printf "%.2f", (b - a) / d }'
}
fib_steps() { echo $(( ($1 - 1) * ($1 - 2) / 2 )); }  # inner steps for outer bound B

printf '%-16s %s\n' kernel "instructions per iteration"
for k in Addition Subtraction Multiplication Division Mov Call0 Call1 Call2 Call3 Call4; do
    printf '%-16s %s\n' "$k" "$(per "$k" 200000 200000)"
done
printf '%-16s %s\n' String "$(per String 2000 2000)"
printf '%-16s %s\n' Fibonacci "$(per Fibonacci 1000 $(( $(fib_steps 2000) - $(fib_steps 1000) )))"
printf '%-16s %s\n' Euclid "$(per Euclid 262144 131072)"
printf '%-16s %s\n' Dhrystone "$(per Dhrystone 20000 20000)"
