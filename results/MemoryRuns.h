#pragma once
// bench latency and bench bandwidth as runs: what to measure on this machine, the measurement and the
// report, shared by vext-cli and the sheet's Memory and Cores page. They print nothing; the hooks let
// the caller show the heading, each row and the progress, and stop the run part-way.
#include <functional>
#include <string>
#include <vector>

#include "bench/BandwidthBench.h"
#include "bench/LatencyBench.h"
#include "platform/Machine.h"
#include "results/MemoryBenchReport.h"

namespace results {

struct LatencyHooks {
    // Once the blocks are planned and the clocks measured, before the first block.
    std::function<void(const LatencyReport&)> onPlanned;
    bench::latency::Callbacks blocks;
};

// Every block from 4 Kb on one pinned thread, then the levels and their plateaus. When blocks.stop
// ended it, the rows stop short and the plateaus are those of the measured blocks; stopped while the
// clock was measured, it has no rows and no levels.
LatencyReport MeasureLatency(const platform::Machine& machine, int repeat, const LatencyHooks& hooks);

struct BandwidthHooks {
    // Once the rows' threads have started, before the first block.
    std::function<void(const BandwidthReport&)> onPlanned;
    // Before each memory figure: "memory, 1 thread", "memory, all threads".
    std::function<void(const std::string&)> onStage;
    bench::bandwidth::Callbacks blocks;  // blocks.stop is also asked before each memory figure
};

// The rows on the threads of `cpus` (not empty), then the memory plateau's figures on one thread and on
// every allowed processor. When the rows' threads could not all be started, nothing is measured and
// `failure` says how many could.
BandwidthReport MeasureBandwidth(const platform::Machine& machine, const std::vector<int>& cpus, int repeat,
                                 const BandwidthHooks& hooks, std::string& failure);

}  // namespace results
