#include "results/MemoryRuns.h"

#include <algorithm>
#include <optional>

#include "bench/MemoryPlans.h"
#include "bench/PinnedThreads.h"
#include "bench/Plateaus.h"
#include "bench/Precise.h"
#include "bench/RunningClock.h"
#include "cpu/Clock.h"
#include "cpu/ModernProcessor.h"

namespace results {

using namespace bench;

namespace {

// The line size of the first-level data cache, where the processor tells a plausible one.
uint32_t LineBytes(const cpu::ModernProcessor& processor)
{
    for (const cpu::CacheLevel& cache : processor.caches)
        if (cache.level == 1 && cache.type != cpu::CacheType::Instruction && cache.lineBytes >= sizeof(void*) &&
            cache.lineBytes <= 4096 && (cache.lineBytes & (cache.lineBytes - 1)) == 0)
            return cache.lineBytes;
    return 64;
}

bool Stopped(const std::function<bool()>& stop) { return stop && stop(); }

// The rates of the one block on the threads of `cpus`; none when they could not all be started (and
// then `notStarted` says how many could) or when the run was stopped.
std::array<std::optional<double>, 3> RatesOn(const platform::Machine& machine, const std::vector<int>& cpus,
                                             memkernels::VectorWidth width, uint64_t blockBytes, int repeat,
                                             const std::function<bool()>& stop, std::string& notStarted)
{
    CPinnedThreads threads(machine, cpus);
    std::array<std::optional<double>, 3> rates{};
    notStarted = threads.NotStartedText();
    if (!notStarted.empty()) return rates;
    bandwidth::Callbacks callbacks;
    callbacks.stop = stop;
    const std::vector<bandwidth::Row> rows = bandwidth::RunBandwidth(machine, threads, width, {blockBytes}, repeat, callbacks);
    for (size_t m = 0; m < rates.size() && !rows.empty(); ++m) rates[m] = MeasuredRate(rows.front().figures[m]);
    return rates;
}

}  // namespace

LatencyReport MeasureLatency(const platform::Machine& machine, int repeat, const LatencyHooks& hooks)
{
    const cpu::ModernProcessor processor = cpu::DecodeModernProcessor(machine);
    const uint64_t largest = cpu::LargestCacheBytes(machine).value_or(precise::kAssumedLargestCache);
    LatencyReport report;
    report.lineBytes = LineBytes(processor);
    const std::vector<uint64_t> sizes = LatencyBlockSizes(machine, largest, report.lineBytes);
    report.repeat = repeat;
    // The clocks take a second or more: a stop during them ends the run with nothing measured.
    report.clockMHz = cpu::MeasureClockMHz(machine, hooks.blocks.stop);
    if (Stopped(hooks.blocks.stop)) return report;
    report.runningClockMHz = runningclock::MeasureRunningClockMHz(machine, report.clockMHz);
    if (hooks.onPlanned) hooks.onPlanned(report);
    report.rows = latency::RunLatency(machine, sizes, report.lineBytes, repeat, hooks.blocks);
    std::vector<uint64_t> measured;
    for (const latency::Row& row : report.rows) measured.push_back(row.blockBytes);
    report.levels = MemoryLevels(processor.caches, largest);
    report.plateaus = PlateauRows(report.levels, measured);
    return report;
}

BandwidthReport MeasureBandwidth(const platform::Machine& machine, const std::vector<int>& cpus, int repeat,
                                 const BandwidthHooks& hooks, std::string& failure)
{
    const std::vector<int> allCpus = ThreadCpus(machine, std::nullopt);
    BandwidthReport report;
    report.cpus = cpus;
    report.width = bandwidth::ChooseVectorWidth(machine);
    report.repeat = repeat;
    report.allThreads = static_cast<int>(allCpus.size());

    const cpu::ModernProcessor processor = cpu::DecodeModernProcessor(machine);
    const uint64_t largest = cpu::LargestCacheBytes(machine).value_or(precise::kAssumedLargestCache);
    const std::vector<MemoryLevel> levels = MemoryLevels(processor.caches, largest);
    const BandwidthPlan plan = PlanBandwidth(machine, report.cpus.size(), allCpus.size(), levels, largest);
    const std::vector<uint64_t>& sizes = plan.sizes;
    {
        CPinnedThreads threads(machine, report.cpus);
        if (!threads.AllStarted()) return failure = threads.NotStartedText(), report;
        report.pinned = threads.AllPinned();
        if (hooks.onPlanned) hooks.onPlanned(report);
        report.rows = bandwidth::RunBandwidth(machine, threads, report.width, sizes, repeat, hooks.blocks);
    }

    // The memory figures on one thread and on all, measured again where the rows ran on other counts.
    if (plan.memoryBlock && report.rows.size() == sizes.size()) {
        const uint64_t block = *plan.memoryBlock;
        report.memoryBlockBytes = block;
        report.plateauBlockBytes = plan.plateauBlock;
        const size_t row = static_cast<size_t>(std::find(sizes.begin(), sizes.end(), block) - sizes.begin());
        std::array<std::optional<double>, 3> measured{};
        for (size_t m = 0; m < measured.size(); ++m) measured[m] = MeasuredRate(report.rows[row].figures[m]);
        const std::function<bool()>& stop = hooks.blocks.stop;
        if (hooks.onStage) hooks.onStage("memory, 1 thread");
        std::string notStarted;
        report.single = report.cpus.size() == 1 || Stopped(stop)
                            ? measured
                            : RatesOn(machine, {allCpus.front()}, report.width, block, repeat, stop, notStarted);
        if (hooks.onStage) hooks.onStage("memory, all threads");
        report.all = report.cpus.size() == allCpus.size() || Stopped(stop)
                         ? measured
                         : RatesOn(machine, allCpus, report.width, block, repeat, stop, report.notStarted);
        if (!notStarted.empty()) report.notStarted = notStarted;
    }
    return report;
}

}  // namespace results
