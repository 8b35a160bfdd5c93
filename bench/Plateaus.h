#pragma once
// Which measured block stands for each level of the memory hierarchy: the latency and bandwidth
// curves are flat while the blocks fit one cache and not the one below, and step between.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cpu/ModernProcessor.h"

namespace bench {

struct MemoryLevel {
    std::string name;    // "L1", "L2", "L3", "memory"
    uint64_t above = 0;  // the level below holds blocks up to this many bytes
    uint64_t upTo = 0;   // this level holds blocks up to this many bytes; 0 for memory, which holds all
    bool operator==(const MemoryLevel&) const = default;
};

// The caches that hold data, one per level (the largest data or unified cache of it), then memory.
// Without any, memory starts above `largestCacheBytes`.
std::vector<MemoryLevel> MemoryLevels(const std::vector<cpu::CacheLevel>& caches, uint64_t largestCacheBytes);

// For each level, the index into `blocks` (ascending sizes) of its plateau: the median of the blocks
// that fit the level and not the one below, of an even number the larger of the middle two (near a
// level's top, a block shares it with everything else in use; just above the level below, part of
// it still hits there). Empty for a level that no block falls in.
std::vector<std::optional<size_t>> PlateauRows(const std::vector<MemoryLevel>& levels,
                                               const std::vector<uint64_t>& blocks);

}  // namespace bench
