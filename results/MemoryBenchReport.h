#pragma once
// What `vext-cli bench latency` and `bench bandwidth` found, and its JSON object (app/cli prints the
// list).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench/BandwidthBench.h"
#include "bench/LatencyBench.h"
#include "bench/Plateaus.h"

namespace results {

struct LatencyReport {
    int clockMHz = 0;
    uint32_t lineBytes = 0;
    int repeat = 0;
    std::vector<bench::latency::Row> rows;
    std::vector<bench::MemoryLevel> levels;
    std::vector<std::optional<size_t>> plateaus;  // per level, its row
    // The clock the core runs at (bench/RunningClock.h); none when it could not be measured.
    std::optional<double> runningClockMHz;
};

struct BandwidthReport {
    bench::memkernels::VectorWidth width = bench::memkernels::VectorWidth::Sse2;
    std::vector<int> cpus;  // the rows' threads, by their processors
    bool pinned = true;
    int repeat = 0;
    std::vector<bench::bandwidth::Row> rows;
    // The memory plateau's block on one thread and on every allowed processor.
    std::optional<uint64_t> memoryBlockBytes;
    int allThreads = 0;
    // None where a block (or a thread) could not be had.
    std::array<std::optional<double>, 3> single{};
    std::array<std::optional<double>, 3> all{};
    // Set when not every thread could be started: how many could.
    std::string notStarted;
    // The memory plateau's own block, when every thread may not have one that large and the figures
    // use memoryBlockBytes instead.
    std::optional<uint64_t> plateauBlockBytes;
};

// A figure's rate; none when it was not measured.
std::optional<double> MeasuredRate(const bench::bandwidth::Figure& figure);

// A load's time in the processor's cycles at `clockMHz`.
double LoadCycles(double ns, double clockMHz);
// The clock the report's cycles count: the running clock where it was measured, else the counter's.
double CycleClockMHz(const LatencyReport& report);
// What those cycles are: "core cycles" at the running clock, "cycles" of the time-stamp counter.
const char* CycleName(const LatencyReport& report);

// All threads' rate over one thread's, where both were measured.
std::optional<double> AllThreadsRatio(std::optional<double> single, std::optional<double> all);

nlohmann::json LatencyJson(const LatencyReport& report);
nlohmann::json BandwidthJson(const BandwidthReport& report);

// The blocks that could not be had, whose rows therefore have no value, as the command's error text
// ("no memory for the 1024 Mb block: its row has no value"), then those of the memory figures and
// the threads that could not be started; empty when everything was measured.
std::string UnmeasuredText(const LatencyReport& report);
std::string UnmeasuredText(const BandwidthReport& report);

}  // namespace results
