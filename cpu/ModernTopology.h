#pragma once
// The machine's processors as a whole: what only the running machine can say (its packages, cores,
// NUMA nodes, how many of each cache and of each core type), beside what one processor's CPUID says.
#include <optional>
#include <vector>

#include "cpu/ModernProcessor.h"
#include "platform/Machine.h"

namespace cpu {

// One type of core of a hybrid processor, with its caches (they differ between the types).
struct CoreTypeCount {
    uint32_t type = 0;         // leaf 0x1A's core type
    std::optional<int> count;  // empty: only the live machine can count them
    std::vector<CacheLevel> caches;
    std::optional<int> firstCpu;  // the live machine's first processor of this type
};

// How many instances of one cache there are: on the whole machine as the kernel counts them, or per
// package as CPUID implies (the logical processors of a package over those sharing the cache).
struct CacheCount {
    std::optional<int> count;
    bool perPackage = false;
};

struct MachineTopology {
    // Empty for a recorded processor: the machine running is not the one recorded.
    std::optional<int> packages, cores, logicalProcessors, numaNodes;
    std::vector<CoreTypeCount> coreTypes;  // hybrid processors only
    std::vector<CacheCount> cacheCounts;   // one per cache of the processor, in its order
};

// "performance", "efficiency", or "type 0xNN".
std::string CoreTypeName(uint32_t type);

// The topology of the machine that decoded `processor`. On a live hybrid processor, one thread visits
// every processor the process may run on to read its core type and caches.
MachineTopology ReadMachineTopology(const platform::Machine& machine, const ModernProcessor& processor);

}  // namespace cpu
