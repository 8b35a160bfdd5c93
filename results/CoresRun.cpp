#include "results/CoresRun.h"

#include <algorithm>
#include <utility>

#include "bench/CpuSuite.h"
#include "bench/MemoryPlans.h"
#include "bench/PinnedThreads.h"
#include "bench/ThreadedSuites.h"
#include "results/ResultSheet.h"

namespace results {

using namespace bench;

std::vector<std::size_t> CoreCounts(std::size_t all)
{
    std::vector<std::size_t> counts;
    for (std::size_t n = 1; n < all; n *= 2) counts.push_back(n);
    counts.push_back(std::max<std::size_t>(all, 1));
    return counts;
}

int CoresSteps(std::size_t counts) { return static_cast<int>(counts) * (kCpuMeasurements + 2); }

namespace {

std::optional<double> Positive(double value) { return value > 0 ? std::optional<double>(value) : std::nullopt; }

nlohmann::json Figure(const std::optional<double>& value) { return value ? NumberOrNull(*value) : nlohmann::json(nullptr); }

}  // namespace

CoresReport MeasureCores(const bench::Context& context, const CoresHooks& hooks)
{
    CoresReport report;
    const std::vector<int> cpus = ThreadedCpusWithinCap(context.machine, ThreadCpus(context.machine, std::nullopt), report.fewer);
    const std::vector<std::size_t> counts = CoreCounts(cpus.size());
    const int total = CoresSteps(counts.size());
    int done = 0;
    const auto step = [&] {
        if (hooks.onStep) hooks.onStep(++done, total);
    };
    const StopRequested stop = [&hooks] { return hooks.stop && hooks.stop(); };
    for (std::size_t n : counts) {
        if (stop()) return report.stopped = true, report;
        CoresCount count;
        count.cpus.assign(cpus.begin(), cpus.begin() + static_cast<std::ptrdiff_t>(n));
        const auto onMeasurement = [&](int index, uint32_t, const std::vector<uint32_t>&) {
            if (index < kCpuMeasurements) step();
        };
        const ThreadedCpuRun cpu = RunThreadedCpu(context, count.cpus, onMeasurement, {}, stop);
        if (!cpu.notStarted.empty()) return report.notStarted = cpu.notStarted, report;
        if (cpu.stopped) return report.stopped = true, report;
        // The second stage starts once the lone run is done: a step; the end of the run is the other.
        bool lone = true;
        const auto onStage = [&](int) {
            if (!std::exchange(lone, false)) step();
        };
        const ThreadedFpuRun fpu = RunThreadedFpu(context, count.cpus, onStage, {}, stop);
        if (!fpu.notStarted.empty()) return report.notStarted = fpu.notStarted, report;
        // A stop during the run on all threads ends their Whetstones early: their figures are not rates.
        if (fpu.stopped || stop()) return report.stopped = true, report;
        step();
        std::vector<double> dhrystones, mwips;
        for (const CpuResults& results : cpu.threads) dhrystones.push_back(results.values[CpuResults::kDhrystone]);
        for (const WhetstoneResults& results : fpu.threads) mwips.push_back(results.mwips);
        double cpuSum = 0, fpuSum = 0;
        for (double value : dhrystones) cpuSum += value;
        for (double value : mwips) fpuSum += value;
        count.cpuRate = Positive(cpuSum);
        count.cpuScaling = Scaling(cpu.single.values[CpuResults::kDhrystone], dhrystones, false);
        count.fpuRate = Positive(fpuSum);
        count.fpuScaling = Scaling(fpu.single.mwips, mwips, false);
        report.pinned = report.pinned && cpu.pinned && fpu.pinned;
        report.counts.push_back(count);
    }
    return report;
}

nlohmann::json CoresJson(const CoresReport& report)
{
    nlohmann::json counts = nlohmann::json::array();
    for (const CoresCount& count : report.counts)
        counts.push_back({{"threads", count.cpus.size()},
                          {"processors", count.cpus},
                          {"cpu", {{"rate", Figure(count.cpuRate)}, {"scaling", Figure(count.cpuScaling)}}},
                          {"fpu", {{"rate", Figure(count.fpuRate)}, {"scaling", Figure(count.fpuScaling)}}}});
    return {{"kind", "cores"}, {"units", {{"cpu", "KDhryst./sec"}, {"fpu", "MWIPS"}}}, {"pinned", report.pinned}, {"counts", counts}};
}

}  // namespace results
