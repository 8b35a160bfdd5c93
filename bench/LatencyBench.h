#pragma once
// Load-to-use latency by pointer chasing: one pointer per cache line, the lines of a block linked in a
// random single cycle, so that each load's address is the value of the load before and no prefetcher
// can guess the next line.
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/Machine.h"

namespace bench {

namespace latency {

// A random cyclic permutation of 0 ... lines - 1 (Sattolo's algorithm): next[i] is the line after
// line i, and following it from any line visits every line once before coming back.
std::vector<uint32_t> RandomCycle(uint32_t lines, std::mt19937_64& random);

// Writes into the first bytes of each line of `block` a pointer to the line after it in `next`.
void LinkLines(uint8_t* block, uint32_t lineBytes, const std::vector<uint32_t>& next);

struct Row {
    uint64_t blockBytes = 0;
    // The best of the repeats; no runs and no value when the block could not be had.
    double nsPerLoad = std::numeric_limits<double>::quiet_NaN();
    double spreadPercent = 0;
    std::vector<double> runs;  // nanoseconds per load of every repeat
    uint64_t loads = 0;        // per measurement
};

struct Callbacks {
    std::function<void(const Row&)> onRow;
    // Before each block: its size, and how far the run is (0-99).
    std::function<void(uint64_t blockBytes, int percent)> onStep;
    // Asked before each block: true ends the run there, with the rows measured so far (a page's Cancel).
    std::function<bool()> stop;
};

// Each measurement chases for at least this long.
inline constexpr double kMinMs = 20.0;

// Measures every block on one pinned thread of `machine`: the lines linked, one untimed pass over the
// whole cycle, then `repeat` measurements of enough loads for kMinMs each.
std::vector<Row> RunLatency(const platform::Machine& machine, const std::vector<uint64_t>& blockSizes, uint32_t lineBytes, int repeat,
                            const Callbacks& callbacks);

}  // namespace latency

}  // namespace bench
