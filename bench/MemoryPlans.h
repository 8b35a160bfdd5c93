#pragma once
// How large the benchmarks' blocks may be. Every step is sized by precise::BlockCap for the threads
// that run it at once, from the memory that both the kernel and the control groups still allow (the
// machine's platform::FreeMemoryBytes), so a run on many threads, or in a small container, maps no
// more than one on a single thread may.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/Plateaus.h"
#include "platform/Machine.h"

namespace bench {

// "4 Kb", "512 Kb", "1 Mb", "1024 Mb".
std::string BlockText(uint64_t bytes);

// bench latency, from 4 Kb: each block together with the table of its lines' order (4 bytes a line).
std::vector<uint64_t> LatencyBlockSizes(const platform::Machine& machine, uint64_t largestCacheBytes, uint32_t lineBytes);

struct BandwidthPlan {
    std::vector<uint64_t> sizes;  // the rows' blocks, per thread
    // The block of the closing memory figures, on one thread and on all: the memory plateau's, or the
    // largest measured block that every thread may have at once. Empty when no block reached memory.
    std::optional<uint64_t> memoryBlock;
    // The plateau's own block, when the all-thread figure had to use a smaller one.
    std::optional<uint64_t> plateauBlock;
};
BandwidthPlan PlanBandwidth(const platform::Machine& machine, std::size_t rowThreads, std::size_t allThreads,
                            const std::vector<bench::MemoryLevel>& levels, uint64_t largestCacheBytes);

// bench cache --precise, on one thread.
std::vector<int32_t> PreciseCacheBlockSizes(const platform::Machine& machine, std::optional<uint64_t> largestCacheBytes);

// bench cpu|fpu --threads: as many of `cpus` as may run at once within the cap; `note` tells why when
// that is fewer.
std::vector<int> ThreadedCpusWithinCap(const platform::Machine& machine, std::vector<int> cpus, std::string& note);

}  // namespace bench
