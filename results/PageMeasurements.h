#pragma once
// The three runs of the Memory and Cores page, each giving the JSON that vext-cli would print for it
// (run identity included): bench latency; bench bandwidth on one thread and on all; the threaded CPU
// and FPU suites on 1, 2, 4, ... and all threads. They run on the page's worker thread and know nothing
// of the page: it follows them through the hooks, and stops them through `stop`.
#include <cstdint>
#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "bench/BenchContext.h"

namespace results {

struct MeasurementHooks {
    std::function<void(int done, int total)> onStep;  // after each step of the run
    std::function<bool()> stop;                       // asked between steps: true ends the run
};

// The run's JSON; null when it was stopped, and when it could not run (then `failure` says why).
using PageMeasurement = std::function<nlohmann::json(const bench::Context&, const MeasurementHooks&, std::string& failure)>;

struct PageMeasurements {
    PageMeasurement latency;
    PageMeasurement bandwidth;
    PageMeasurement cores;
};

// How long each Whetstone of the cores' scaling lasts, about: short enough for a sweep of every thread
// count, long enough for the tick count's milliseconds.
inline constexpr int32_t kCoresWhetstoneSeconds = 4;

// The real runs, on the context's machine and with its suites (the cores' Whetstones shortened).
PageMeasurements LivePageMeasurements();

}  // namespace results
