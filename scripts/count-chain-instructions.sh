#!/usr/bin/env bash
# Counts the instructions the running clock's chain of additions executes on this build: the built
# core library's own AddChain under callgrind for N and 2N rounds, the difference per addition, and
# the additions callgrind sees in the loop (an optimiser that folded the chain would leave fewer).
#   scripts/count-chain-instructions.sh [build-dir]      (default build/test, built beforehand)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/callgrind-driver.sh

cat >"$work/driver.cpp" <<'CPP'
#include <cstdlib>
#include "bench/AdditionChain.h"
int main(int, char** argv)
{
    const uint64_t rounds = std::strtoull(argv[1], nullptr, 10);
    // The sum is the program's status, so the call cannot be dropped.
    return bench::AddChain(0, rounds) == rounds * bench::kChainAdditionsPerRound ? 0 : 1;
}
CPP
build_driver

a=$(ir 100000); b=$(ir 200000)
echo "chain: $(python3 -c "print(($b - $a) / (100000 * 64))") instructions per addition"
adds=$(objdump -d --no-show-raw-insn "$work/driver" |
    awk '/<_ZN5bench8AddChainEmm>:/ { on = 1; next } on && /^$/ { exit } on && /\tadd +%r[a-z0-9]+,%r/ { n++ } END { print n + 0 }')
echo "chain: $adds additions in the loop as built"
