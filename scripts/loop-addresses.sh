#!/usr/bin/env bash
# Lists where the loops of the kernels start in a built vext-cli: per kernel function, the targets of
# its conditional backward jumps in the order they appear (loop heads, and the returns of cold paths
# to the timer reads) as address(address modulo 64); (0) is a 64-byte boundary.
#   scripts/loop-addresses.sh [path/to/vext-cli]      (default build/test/vext-cli)
set -euo pipefail
binary=${1:-build/test/vext-cli}
objdump -d --no-show-raw-insn -C "$binary" | python3 -c '
import re, sys
kernels = re.compile(r"bench::\w+Loop<|bench::CDhrystone::RunPasses<bench::NoProbe>|bench::CWhetstone::WhetstonePasses|bench::TimeCacheKernelRepeated")
name, loops = None, {}
for line in sys.stdin:
    m = re.match(r"^([0-9a-f]+) <(.*)>:$", line)
    if m:
        name = re.sub(r"\(.*", "", m.group(2)) if kernels.search(m.group(2)) else None
        continue
    j = re.match(r"^\s*([0-9a-f]+):\s+(j\w+)\s+([0-9a-f]+) <", line)
    if name and j and j.group(2) != "jmp" and int(j.group(3), 16) < int(j.group(1), 16):
        loops.setdefault(name, []).append(int(j.group(3), 16))
for name, heads in loops.items():
    print(name.replace("unsigned int ", "").replace("bench::NoProbe", "").replace("CCPUBench, ", "") + ": " +
          " ".join(f"{h:x}({h % 64})" for h in dict.fromkeys(heads)))
'
