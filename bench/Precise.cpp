#include "bench/Precise.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "bench/BenchSuites.h"
#include "platform/TextFormat.h"

namespace bench {

namespace precise {

Summary Summarise(const std::vector<double>& values, Best best)
{
    Summary s;
    s.runs = values;
    if (values.empty()) return s;
    s.best = best == Best::Lowest ? *std::min_element(values.begin(), values.end())
                                  : *std::max_element(values.begin(), values.end());
    if (values.size() < 2) return s;
    double sum = 0;
    for (double v : values) sum += v;
    const double mean = sum / static_cast<double>(values.size());
    double squares = 0;
    for (double v : values) squares += (v - mean) * (v - mean);
    const double deviation = std::sqrt(squares / static_cast<double>(values.size() - 1));
    // An infinite or all-zero series has no meaningful spread: it shows as noisy rather than as 0 %.
    s.spreadPercent = mean != 0 && std::isfinite(mean) ? deviation / std::fabs(mean) * 100.0
                                                       : std::numeric_limits<double>::infinity();
    return s;
}

std::string FormatSpread(double spreadPercent)
{
    if (!std::isfinite(spreadPercent)) return "±? % (noisy)";
    std::string text = platform::TextFormat("±%.1f %%", spreadPercent);
    if (spreadPercent > kNoisySpreadPercent) text += " (noisy)";
    return text;
}

Summary Measure(int repeat, Best best, const std::function<double()>& measure)
{
    measure();
    std::vector<double> values;
    for (int i = 0; i < repeat; ++i) values.push_back(measure());
    return Summarise(values, best);
}

uint32_t DhrystonePasses(uint32_t start, double minSeconds, const std::function<double(uint32_t)>& mainLoopSeconds)
{
    uint32_t passes = std::max<uint32_t>(start, 1);
    while (passes <= std::numeric_limits<uint32_t>::max() / 2 && mainLoopSeconds(passes) < minSeconds) passes *= 2;
    return passes;
}

uint64_t BlockCap(uint64_t freeMemoryBytes, uint64_t threads)
{
    return std::min(kMaxBlockBytes, freeMemoryBytes / 4 / std::max<uint64_t>(threads, 1));
}

std::vector<int32_t> CacheBlockSizes(std::optional<uint64_t> largestCacheBytes, uint64_t capBytes)
{
    std::vector<int32_t> sizes(kCacheBlockBytes.begin(), kCacheBlockBytes.end());
    for (uint64_t bytes : DoublingBlockSizes(1ull << 20, largestCacheBytes, capBytes))
        sizes.push_back(static_cast<int32_t>(bytes));
    return sizes;
}

std::vector<uint64_t> DoublingBlockSizes(uint64_t first, std::optional<uint64_t> largestCacheBytes, uint64_t capBytes)
{
    std::vector<uint64_t> sizes;
    const uint64_t wanted = 4 * largestCacheBytes.value_or(kAssumedLargestCache);
    const uint64_t cap = std::min(kMaxBlockBytes, capBytes);
    for (uint64_t bytes = std::max<uint64_t>(first, 1); bytes <= cap; bytes *= 2) {
        sizes.push_back(bytes);
        if (bytes >= wanted) break;
    }
    return sizes;
}

uint32_t CacheRepetitions(double minMs, const std::function<double(uint32_t)>& timeRepetitions)
{
    uint32_t repetitions = 1;
    for (;;) {
        const double ms = timeRepetitions(repetitions);
        // A failed allocation reads 0 ms: nothing to scale by.
        if (!(ms > 0) || ms >= minMs || repetitions >= std::numeric_limits<uint32_t>::max() / 2) return repetitions;
        // Aim 20 % past the goal from what was measured, but never less than double.
        const double factor = std::max(2.0, std::ceil(minMs / ms * 1.2));
        const double next = std::min(static_cast<double>(repetitions) * factor,
                                     static_cast<double>(std::numeric_limits<uint32_t>::max() / 2));
        repetitions = static_cast<uint32_t>(next);
    }
}

}  // namespace precise

}  // namespace bench
