#!/usr/bin/env bash
# Counts the instructions the Whetstone sections and the cache access loops execute on this build,
# running the built core library's own code under callgrind:
#  - Whetstone: WhetstonePasses with 2 and 4 passes (x100 = 100); per section, the difference of the
#    source lines inside its timed loop (calls included), per pass and per iteration;
#  - cache: one measurement of a 2 Kb and a 4 Kb block per method; the difference of the totals per
#    access (512 more accesses per repetition).
#   scripts/count-fpu-cache-instructions.sh [build-dir]      (default build/test, built beforehand)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/callgrind-driver.sh

cat >"$work/driver.cpp" <<'CPP'
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "bench/CacheBench.h"
#include "bench/Whetstone.h"
#include "platform/Machine.h"
using namespace bench;
int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const platform::Machine machine = platform::LiveMachine();
    const int n = std::atoi(argv[2]);
    if (!std::strcmp(argv[1], "whet")) {
        CWhetstone w(machine);
        w.WhetstonePasses(n, 100, 1);
        return w.CheckSum() == 0.0;
    }
    const int method = std::atoi(argv[1]);
    TimeCacheKernel(machine, n, static_cast<CacheBenchMethod>(method), method == 3 ? 4 : 0);
    return 0;
}
CPP
build_driver

for passes in 2 4; do
    valgrind --tool=callgrind --callgrind-out-file="$work/whet.$passes" "$work/driver" whet $passes >/dev/null 2>&1
    callgrind_annotate --inclusive=yes --auto=yes --show-percs=no --context=100000 "$work/whet.$passes" \
        >"$work/whet.$passes.txt" 2>/dev/null
done
python3 - "$PWD/bench/Whetstone.cpp" "$work/whet.2.txt" "$work/whet.4.txt" <<'PY'
import re, sys
source_path, run2, run4 = sys.argv[1:4]
src = open(source_path).read().split('\n')

def line_costs(path):
    """Instructions per source line of Whetstone.cpp (the line's own plus the calls made from it)."""
    lines = open(path).read().split('\n')
    at = next(i for i, l in enumerate(lines) if 'Auto-annotated source:' in l and l.endswith('Whetstone.cpp'))
    costs, s, current = {}, 0, None
    for l in lines[at + 1:]:
        if l.startswith('-- Auto-annotated source:'):
            break
        call = re.match(r'^\s*([\d,]+)\s+=>', l)
        if call:
            costs[current] = costs.get(current, 0) + int(call.group(1).replace(',', ''))
            continue
        m = re.match(r'^\s*([\d,]+|\.)\s(.*)$', l)
        if not m or l.startswith('--'):
            continue
        text = m.group(2).strip()
        k = s
        while k < len(src) and src[k].strip() != text:
            k += 1
        if k >= len(src):
            continue
        s, current = k + 1, k
        if m.group(1) != '.':
            costs[k] = costs.get(k, 0) + int(m.group(1).replace(',', ''))
    return costs

starts = [k for k, l in enumerate(src) if 'start = WhetSeconds();' in l]
ends = [k for k, l in enumerate(src) if 'WhetSeconds() - start' in l]
a, b = line_costs(run2), line_costs(run4)
names = ['N1', 'N2', 'N3', 'N4', 'N5', 'N6', 'N7', 'N8']
iterations = [12000, 1400, 34500, 21000, 3199, 89900, 61600, 9300]
credited = [19200, 134400, 103500, 315000, 83200, 539400, 184800, 37200]
print(f"{'section':8} {'per pass':>12} {'per iteration':>14} {'per credited op':>16}")
for i, (st, en) in enumerate(zip(starts, ends)):
    per_pass = (sum(v for k, v in b.items() if st < k < en) - sum(v for k, v in a.items() if st < k < en)) / 2
    print(f"{names[i]:8} {per_pass:12,.0f} {per_pass / iterations[i]:14.2f} {per_pass / credited[i]:16.2f}")
PY

echo
printf '%-14s %s\n' method "instructions per access"
for m in 2 1 3; do
    name=$( [[ $m == 2 ]] && echo MOVSD || { [[ $m == 1 ]] && echo MOV || echo "Stepping MOV"; } )
    reps=$( [[ $m == 2 ]] && echo 4000 || { [[ $m == 1 ]] && echo 2000 || echo 8000; } )
    a=$(ir $m 2048)
    b=$(ir $m 4096)
    printf '%-14s %s\n' "$name" "$(awk -v a="$a" -v b="$b" -v d=$((512 * reps)) 'BEGIN { printf "%.2f", (b - a) / d }')"
done
