#include "bench/Plateaus.h"

#include <algorithm>
#include <map>

namespace bench {

std::vector<MemoryLevel> MemoryLevels(const std::vector<cpu::CacheLevel>& caches, uint64_t largestCacheBytes)
{
    std::map<uint32_t, uint64_t> sizes;
    for (const cpu::CacheLevel& cache : caches)
        if (cache.type != cpu::CacheType::Instruction) sizes[cache.level] = std::max(sizes[cache.level], cache.sizeBytes);
    std::vector<MemoryLevel> levels;
    uint64_t below = 0;
    for (const auto& [level, bytes] : sizes) {
        levels.push_back({"L" + std::to_string(level), below, bytes});
        below = bytes;
    }
    levels.push_back({"memory", levels.empty() ? largestCacheBytes : below, 0});
    return levels;
}

std::vector<std::optional<size_t>> PlateauRows(const std::vector<MemoryLevel>& levels,
                                               const std::vector<uint64_t>& blocks)
{
    std::vector<std::optional<size_t>> rows;
    for (const MemoryLevel& level : levels) {
        std::vector<size_t> members;
        for (size_t i = 0; i < blocks.size(); ++i)
            if (blocks[i] > level.above && (level.upTo == 0 || blocks[i] <= level.upTo)) members.push_back(i);
        rows.push_back(members.empty() ? std::nullopt : std::optional<size_t>(members[members.size() / 2]));
    }
    return rows;
}

}  // namespace bench
