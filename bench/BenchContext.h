#pragma once
// What a benchmark run is given: the machine it measures, and the suites it runs. Each main makes the
// live one (LiveContext) and passes it by reference to the pages and the commands; the pages' and
// vext-cli's tests replace a whole suite with a fast fake, and the machine with fakes.
#include <cstdint>
#include <functional>
#include <optional>

#include "bench/BenchFailure.h"
#include "bench/BenchSuites.h"
#include "bench/CpuSuite.h"
#include "bench/Results.h"
#include "platform/Machine.h"

namespace bench {

// One Whetstone on one thread of a threaded run: calibrated when no pass count is given, else run
// with that pass count.
struct WhetstoneRun {
    WhetstoneResults results;
    int32_t passes = 0;
    BenchFailure failure = BenchFailure::None;
};

struct Suites {
    // The CPU, FPU and Cache suites as the pages and `vext-cli bench` run them.
    std::function<CpuResults(const platform::Machine&, const CpuSuiteCallbacks&)> cpu;
    std::function<WhetstoneResults(const platform::Machine&, const FpuSuiteCallbacks&)> fpu;
    std::function<CacheResults(const platform::Machine&, const CacheSuiteCallbacks&)> cache;
    // The fourteen CPU measurements of thread `thread` of a threaded run (0 is also the one that runs
    // alone); a measurement that fails puts its failure in `failure`.
    std::function<CpuKernels(const platform::Machine&, int thread, BenchFailure& failure)> threadCpuKernels;
    // One Whetstone on thread `thread`: calibrated when `passes` is empty.
    std::function<WhetstoneRun(const platform::Machine&, int thread, std::optional<int32_t> passes)> threadWhetstone;
};

struct Context {
    platform::Machine machine;
    Suites suites;
};

// The real suites on the real machine.
Suites LiveSuites();
Context LiveContext();

}  // namespace bench
