#pragma once
// The CPU and cache suites in precise mode: each measurement warmed up, repeated, and reported as its
// best value with the spread of the repeats. The standard record of the best values comes along, to be
// saved as a single run's would be.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchFailure.h"
#include "bench/CacheBench.h"
#include "bench/Precise.h"
#include "bench/Results.h"
#include "platform/Machine.h"

namespace bench {

namespace precise {

struct Callbacks {
    // Each row as soon as it is known. listRow is the row of the page's list, -1 for an added block.
    std::function<void(const Row& row, int listRow)> onRow;
    // Before each measurement: what runs, and how far the whole run is (0-99).
    std::function<void(const std::string& step, int percent)> onStep;
    // A measurement's failure, once per row, before the row.
    OnBenchFailure onFailure;
};

struct CpuRun {
    std::vector<Row> rows;
    CpuResults best;
};
// Dhrystone starts at the standard passes and doubles them until a main loop lasts at least this.
inline constexpr double kDhrystoneMinSeconds = 0.5;
// The real measurements, on `machine`.
CpuRun RunCpu(const platform::Machine& machine, int repeat, const Callbacks& callbacks);

// What the CPU suite measures, passed in so that the runner can be driven by fakes: one timing of
// kernel `index` in ms, one Dhrystone rating of a pass count, the last run's main-loop seconds and
// its failure. Dhrystone's failure is handed on once, however many of its runs failed.
struct CpuMeasurements {
    std::function<uint32_t(int index)> kernelMs;
    std::function<uint32_t(uint32_t passes)> dhrystoneRating;
    std::function<double()> lastMainLoopSeconds;
    std::function<BenchFailure()> lastDhrystoneFailure;
};
CpuRun RunCpuWith(int repeat, const Callbacks& callbacks, const CpuMeasurements& measure);

struct CacheRun {
    std::vector<Row> rows;
    CacheResults best;     // the standard 27
    bool complete = true;  // false when a block could not be measured: best then holds no rate for it
};
// Every cache measurement repeats its method until it lasts at least this.
inline constexpr double kCacheMinMs = 20.0;
// blockSizes: the nine standard sizes first (CacheBlockSizes).
CacheRun RunCache(const platform::Machine& machine, int repeat, const std::vector<int32_t>& blockSizes,
                  const Callbacks& callbacks);

// One timing of `repetitions` passes of a method over a warmed block, in ms, or the failure to have
// the block. A block that fails goes to onFailure once ("Memory error !"), its row has no rate ("-")
// and the run is not complete.
using CacheTimer =
    std::function<CacheTiming(int32_t blockBytes, CacheBenchMethod method, int32_t stride, uint32_t repetitions)>;
CacheRun RunCacheWith(int repeat, const std::vector<int32_t>& blockSizes, const Callbacks& callbacks,
                      const CacheTimer& timeMs);

}  // namespace precise

}  // namespace bench
