#!/usr/bin/env bash
# Runs the whole CPU suite once, as the CPU page does, and prints each value as it arrives and the
# wall time of the run. Uses the built benchmark libraries.
#   scripts/time-cpu-suite.sh [build-dir]      (default build/test, built beforehand)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
libs=("$build/libvext_bench.a" "$build/libvext_cpu.a" "$build/libvext_platform.a")
for lib in "${libs[@]}"; do
    [[ -f $lib ]] || { echo "build $build first (cmake --build $build --target vext_bench)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/suite.cpp" <<'CPP'
#include <cstdio>
#include "bench/CpuSuite.h"
#include "platform/Clocks.h"
#include "platform/Machine.h"
int main()
{
    static const char* const names[] = {"Addition", "Subtraction", "Multiplication", "Division", "Mov",
        "String", "Call", "Call with 1 param.", "Call with 2 param.", "Call with 3 param.",
        "Call with 4 param.", "Fibonacci numbers", "Euclidean algorithm", "Dhrystone (KDhryst./sec)",
        "Total (ms)"};
    CpuSuiteCallbacks callbacks;
    callbacks.onResult = [](int index, uint32_t value) {
        std::printf("%-28s %u\n", names[index], value);
        std::fflush(stdout);
    };
    const platform::Machine machine = platform::LiveMachine();
    const uint32_t start = machine.timeGetTime();
    LiveCpuSuite(machine, callbacks);
    std::printf("%-28s %.3f s\n", "wall time of the suite", platform::ElapsedMs(start, machine.timeGetTime()) * 0.001);
}
CPP
g++ -std=c++20 -O2 -I. "$work/suite.cpp" "${libs[@]}" -pthread -o "$work/suite"
/usr/bin/time -f "process CPU time: %U s user, %S s system" "$work/suite"
