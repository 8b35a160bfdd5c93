#pragma once
// The precise mode of the benchmarks: every measurement warmed up once, then repeated; its best value
// and the spread of the repeats. Plain functions over measurements passed in, so that fakes can drive
// them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bench {

namespace precise {

inline constexpr int kDefaultRepeat = 5;
inline constexpr int kMinRepeat = 2;
inline constexpr int kMaxRepeat = 100;
// Above this coefficient of variation a figure is marked as noisy.
inline constexpr double kNoisySpreadPercent = 5.0;

// Which end of the values is the good one: times are best short, rates high.
enum class Best { Lowest, Highest };

struct Summary {
    double best = 0;
    double spreadPercent = 0;  // coefficient of variation (sample standard deviation / mean), in %
    std::vector<double> runs;  // every repeat, in order
};
Summary Summarise(const std::vector<double>& values, Best best);

// "±0.8 %", with " (noisy)" after a spread above 5 % (or one that cannot be computed).
std::string FormatSpread(double spreadPercent);

// Runs `measure` once to warm up, then `repeat` times, and summarises those.
Summary Measure(int repeat, Best best, const std::function<double()>& measure);

// One row of precise results, ready for any output form: the page's label and the best value in the
// page's format, then the statistics (blockBytes is 0 for rows that are not cache blocks).
struct Row {
    std::string label;
    std::string text;
    double best = 0;
    double spreadPercent = 0;
    std::vector<double> runs;  // empty for rows of no run of their own (the total)
    int64_t blockBytes = 0;
};

// ---- Dhrystone ----

// Passes for Dhrystone: from `start`, doubled until one main loop lasts at least minSeconds (or the
// count would pass 2^32 - 1). mainLoopSeconds runs the benchmark with a pass count.
uint32_t DhrystonePasses(uint32_t start, double minSeconds, const std::function<double(uint32_t passes)>& mainLoopSeconds);

// ---- Cache ----

// The largest block that each of `threads` threads, running at once, may have: together at most a
// quarter of the free memory, and none above 1 Gb. Every block-sizing step goes through it, so that
// a run on many threads stays within what one thread may map.
inline constexpr uint64_t kMaxBlockBytes = 1ull << 30;
uint64_t BlockCap(uint64_t freeMemoryBytes, uint64_t threads);

// Block sizes: the nine standard ones, then doubling from 1 Mb until at least 4 times the largest
// cache, but none above capBytes (BlockCap). An unknown largest cache counts as kAssumedLargestCache.
inline constexpr uint64_t kAssumedLargestCache = 32ull << 20;
std::vector<int32_t> CacheBlockSizes(std::optional<uint64_t> largestCacheBytes, uint64_t capBytes);
// The same rule from any first size: `first`, doubled until at least 4 times the largest cache, none
// above capBytes.
std::vector<uint64_t> DoublingBlockSizes(uint64_t first, std::optional<uint64_t> largestCacheBytes, uint64_t capBytes);

// Repetitions so that one measurement lasts at least minMs: from 1, grown by the measured time
// (at least doubled each step). timeRepetitions times a number of repetitions in milliseconds.
uint32_t CacheRepetitions(double minMs, const std::function<double(uint32_t repetitions)>& timeRepetitions);

}  // namespace precise

}  // namespace bench
