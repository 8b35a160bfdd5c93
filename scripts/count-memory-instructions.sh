#!/usr/bin/env bash
# Counts the instructions the latency and bandwidth loops execute on this build, running the built
# core library's own kernels under callgrind:
#  - the pointer chase: ChaseLoads over a linked 4 Kb block for N and 2N rounds; the difference per load;
#  - read and write: one pass over 64 Kb and over 128 Kb with the vector width this machine chooses;
#    the difference per 256 bytes (one AVX-512 step, two AVX2 or four SSE2 steps);
#  - copy: memcpy of 32 Kb and of 64 Kb; the difference per 256 bytes.
#   scripts/count-memory-instructions.sh [build-dir]      (default build/test, built beforehand)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/callgrind-driver.sh

cat >"$work/driver.cpp" <<'CPP'
#include <cstdlib>
#include <cstring>
#include <random>
#include "bench/BandwidthBench.h"
#include "bench/LatencyBench.h"
#include "platform/Machine.h"
#include "platform/MemoryBlock.h"
using namespace bench;
int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const unsigned long n = std::strtoul(argv[2], nullptr, 10);
    const platform::Machine machine = platform::LiveMachine();
    platform::CMemoryBlock block(machine, 1 << 20, false);
    if (!std::strcmp(argv[1], "chase")) {
        std::mt19937_64 random;
        latency::LinkLines(block.Data(), 64, latency::RandomCycle(64, random));
        return memkernels::ChaseLoads(block.Data(), n) == nullptr;
    }
    const auto width = bandwidth::ChooseVectorWidth(machine);
    const auto method = !std::strcmp(argv[1], "read")    ? bandwidth::Method::Read
                        : !std::strcmp(argv[1], "write") ? bandwidth::Method::Write
                                                         : bandwidth::Method::Copy;
    bandwidth::Pass(method, width, block.Data(), n);
    return 0;
}
CPP
build_driver

a=$(ir chase 100000); b=$(ir chase 200000)
echo "chase: $(python3 -c "print(($b - $a) / (100000 * 16))") instructions per load"
for method in read write copy; do
    a=$(ir $method 65536); b=$(ir $method 131072)
    echo "$method: $(python3 -c "print(($b - $a) / (65536 / 256))") instructions per 256 bytes"
done
