#include "bench/MemoryPlans.h"

#include <algorithm>

#include "bench/Precise.h"
#include "bench/ThreadedSuites.h"
#include "platform/TextFormat.h"

namespace bench {

std::string BlockText(uint64_t bytes)
{
    return bytes < (1u << 20) ? platform::TextFormat("%u Kb", static_cast<unsigned>(bytes >> 10))
                              : platform::TextFormat("%u Mb", static_cast<unsigned>(bytes >> 20));
}

std::vector<uint64_t> LatencyBlockSizes(const platform::Machine& machine, uint64_t largestCacheBytes, uint32_t lineBytes)
{
    // The table's share comes out of the free memory's quarter; the 1 Gb is the block's alone.
    const uint64_t line = std::max<uint32_t>(lineBytes, 1);
    const uint64_t cap = precise::BlockCap(platform::FreeMemoryBytes(machine) / (line + 4) * line, 1);
    return precise::DoublingBlockSizes(4096, largestCacheBytes, cap);
}

BandwidthPlan PlanBandwidth(const platform::Machine& machine, std::size_t rowThreads, std::size_t allThreads,
                            const std::vector<bench::MemoryLevel>& levels, uint64_t largestCacheBytes)
{
    const uint64_t freeMemory = platform::FreeMemoryBytes(machine);
    BandwidthPlan plan;
    plan.sizes = precise::DoublingBlockSizes(16384, largestCacheBytes, precise::BlockCap(freeMemory, rowThreads));
    const std::optional<size_t> row = bench::PlateauRows(levels, plan.sizes).back();
    if (!row) return plan;
    // The lone thread's block is the all-thread one, so that their ratio compares like with like.
    const uint64_t largest = std::min(plan.sizes[*row], precise::BlockCap(freeMemory, std::max(allThreads, rowThreads)));
    for (uint64_t bytes : plan.sizes)
        if (bytes <= largest) plan.memoryBlock = bytes;
    if (plan.memoryBlock && *plan.memoryBlock != plan.sizes[*row]) plan.plateauBlock = plan.sizes[*row];
    return plan;
}

std::vector<int32_t> PreciseCacheBlockSizes(const platform::Machine& machine, std::optional<uint64_t> largestCacheBytes)
{
    return precise::CacheBlockSizes(largestCacheBytes, precise::BlockCap(platform::FreeMemoryBytes(machine), 1));
}

std::vector<int> ThreadedCpusWithinCap(const platform::Machine& machine, std::vector<int> cpus, std::string& note)
{
    const uint64_t freeMemory = platform::FreeMemoryBytes(machine);
    const std::size_t fit = ThreadsWithinCap(freeMemory, cpus.size());
    if (fit < cpus.size()) {
        note = platform::TextFormat("%d threads need more than a quarter of the %s free (%s each): running on %d",
                                    static_cast<int>(cpus.size()), BlockText(freeMemory).c_str(),
                                    BlockText(kThreadedBytesPerThread).c_str(), static_cast<int>(fit));
        cpus.resize(fit);
    }
    return cpus;
}

}  // namespace bench
