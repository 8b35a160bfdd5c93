#pragma once
// The CPU and FPU suites on 1, 2, 4, ... and all threads: each count's aggregate rate (the sum of its
// threads' ratings) and its scaling against a lone run, as the threaded suites of vext-cli bench cpu|fpu
// --threads measure them; and the run's JSON.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench/BenchContext.h"

namespace results {

struct CoresCount {
    std::vector<int> cpus;  // thread i ran on cpus[i]
    std::optional<double> cpuRate;     // KDhryst./sec of all threads together
    std::optional<double> cpuScaling;  // of the Dhrystone rating
    std::optional<double> fpuRate;     // MWIPS of all threads together
    std::optional<double> fpuScaling;
};

struct CoresReport {
    std::vector<CoresCount> counts;
    bool pinned = true;
    std::string fewer;       // why fewer threads ran than the process may use (the memory cap)
    std::string notStarted;  // set when a count's threads could not all be started: the run ended there
    bool stopped = false;    // the hooks' stop ended it before its last count
};

// 1, 2, 4, ... doubling below `all`, then `all` (at least 1).
std::vector<std::size_t> CoreCounts(std::size_t all);

// The steps of a run over `counts` counts: each count's CPU measurements and its two FPU stages.
int CoresSteps(std::size_t counts);

struct CoresHooks {
    std::function<void(int done, int total)> onStep;  // after each step
    std::function<bool()> stop;                       // asked between steps: true ends the run
};

// Every count of the processors the process may run on, capped as ThreadedCpusWithinCap caps them; the
// threads start and pin on the context's machine and run its suites' kernels.
CoresReport MeasureCores(const bench::Context& context, const CoresHooks& hooks);

// {"kind": "cores", "units": {"cpu", "fpu"}, "pinned", "counts": [{"threads", "processors", "cpu": {"rate",
// "scaling"}, "fpu": {...}}]}
nlohmann::json CoresJson(const CoresReport& report);

}  // namespace results
