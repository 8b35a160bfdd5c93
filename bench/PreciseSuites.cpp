#include "bench/PreciseSuites.h"

#include <cmath>
#include <limits>
#include <memory>

#include "bench/BenchFailure.h"
#include "bench/BenchSuites.h"
#include "bench/CPUBench.h"
#include "bench/CacheBench.h"
#include "bench/CpuSuite.h"
#include "bench/Dhrystone.h"
#include "bench/ResultTables.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"

namespace bench {

namespace precise {

namespace {

void Step(const Callbacks& callbacks, const std::string& label, int done, int total)
{
    if (callbacks.onStep) callbacks.onStep(label, done * 100 / total);
}

}  // namespace

CpuRun RunCpu(const platform::Machine& machine, int repeat, const Callbacks& callbacks)
{
    CCPUBench cpu(machine);
    BenchFailure unused = BenchFailure::None;  // Dhrystone runs below, with a runner of its own
    const CpuKernels kernels = LiveCpuKernels(machine, cpu, unused);
    auto dhrystone = std::make_unique<CDhrystone>(machine);
    bench::NoProbe unobserved;
    return RunCpuWith(repeat, callbacks,
                      {[&](int index) { return kernels[index](); },
                       [&](uint32_t passes) { return dhrystone->RunPasses(passes, unobserved); },
                       [&] { return dhrystone->LastMainLoopSeconds(); },
                       [&] { return dhrystone->Failure(); }});
}

CpuRun RunCpuWith(int repeat, const Callbacks& callbacks, const CpuMeasurements& measure)
{
    CpuRun run;
    uint32_t total = 0;
    for (int index = 0; index < kCpuMeasurements; ++index) {
        const std::string label = kCpuListRows[CpuResultRow(index)];
        Step(callbacks, platform::BareLabel(label), index, kCpuMeasurements);
        Summary s;
        if (index == CpuResults::kDhrystone) {
            // Every run of a Dhrystone that cannot have its records fails alike: told once, not per run.
            BenchFailure dhrystoneFailure = BenchFailure::None;
            const auto rating = [&](uint32_t passes) {
                const uint32_t value = measure.dhrystoneRating(passes);
                if (dhrystoneFailure == BenchFailure::None && measure.lastDhrystoneFailure)
                    dhrystoneFailure = measure.lastDhrystoneFailure();
                return value;
            };
            const uint32_t passes = DhrystonePasses(CDhrystone::kPasses, kDhrystoneMinSeconds, [&](uint32_t n) {
                rating(n);
                return measure.lastMainLoopSeconds();
            });
            s = Measure(repeat, Best::Highest, [&] { return static_cast<double>(rating(passes)); });
            ReportBenchFailure(callbacks.onFailure, dhrystoneFailure);
        } else {
            s = Measure(repeat, Best::Lowest, [&] { return static_cast<double>(measure.kernelMs(index)); });
            total += static_cast<uint32_t>(s.best);
        }
        const auto value = static_cast<uint32_t>(s.best);
        run.best.values[index] = value;
        run.rows.push_back({label, FormatCpuResult(index, value), s.best, s.spreadPercent, s.runs, 0});
        if (callbacks.onRow) callbacks.onRow(run.rows.back(), CpuResultRow(index));
    }
    // The total is the sum of the best times: no run of its own, so no spread.
    run.best.values[CpuResults::kTotal] = total;
    run.rows.push_back({kCpuListRows[CpuResultRow(CpuResults::kTotal)], FormatCpuResult(CpuResults::kTotal, total),
                        static_cast<double>(total), 0, {}, 0});
    if (callbacks.onRow) callbacks.onRow(run.rows.back(), CpuResultRow(CpuResults::kTotal));
    return run;
}

CacheRun RunCache(const platform::Machine& machine, int repeat, const std::vector<int32_t>& blockSizes,
                  const Callbacks& callbacks)
{
    return RunCacheWith(repeat, blockSizes, callbacks,
                        [&machine](int32_t bytes, CacheBenchMethod method, int32_t stride, uint32_t repetitions) {
                            return TimeCacheKernelRepeated(machine, bytes, method, stride, repetitions, true);
                        });
}

CacheRun RunCacheWith(int repeat, const std::vector<int32_t>& blockSizes, const Callbacks& callbacks,
                      const CacheTimer& timeMs)
{
    CacheRun run;
    const int sizes = static_cast<int>(blockSizes.size());
    for (int group = 0; group < 3; ++group) {
        for (int k = 0; k < sizes; ++k) {
            const bool standard = k < CacheResults::kBlockSizes;
            // The method and stride of the group, from its standard measurement.
            const CacheMeasurement m = CacheSuiteMeasurement(group * CacheResults::kBlockSizes);
            const int32_t bytes = blockSizes[k];
            const int listRow = standard ? CacheResultRow(group * CacheResults::kBlockSizes + k) : -1;
            const std::string label =
                standard ? kCacheListRows[listRow] : platform::TextFormat("   %d Kb block :", bytes / 1024);
            Step(callbacks, platform::BareLabel(kCacheListRows[CacheResultRow(group * CacheResults::kBlockSizes) - 1]) + ", " +
                                platform::BareLabel(label), group * sizes + k, 3 * sizes);

            // Each repetition is credited as the standard run credits one of its own.
            const uint32_t standardRepetitions = PlanCacheKernel(bytes, m.method, m.stride).repetitions;
            const double perRepetition =
                standardRepetitions ? CacheCreditedBytes(m.method, bytes) / standardRepetitions : 0;
            // The first failure ends the block's measurement: a later timing would only fail again.
            BenchFailure failure = BenchFailure::None;
            const auto time = [&](uint32_t r) {
                if (failure != BenchFailure::None) return 0.0;
                const CacheTiming timing = timeMs(bytes, m.method, m.stride, r);
                failure = timing.failure;
                return timing.ms;
            };
            const uint32_t repetitions = CacheRepetitions(kCacheMinMs, time);
            Summary s;
            if (failure == BenchFailure::None)
                s = Measure(repeat, Best::Highest, [&] { return CacheRateMbPerSec(perRepetition * repetitions, time(repetitions)); });
            const bool measured = failure == BenchFailure::None;
            ReportBenchFailure(callbacks.onFailure, failure);
            // A block that was not measured has no rate to keep: the record is not complete.
            if (standard) run.best.rates[group * CacheResults::kBlockSizes + k] = measured ? s.best : 0.0;
            if (!measured) run.complete = false;
            if (measured)
                run.rows.push_back({label, FormatCacheRate(s.best), s.best, s.spreadPercent, s.runs, bytes});
            else
                run.rows.push_back({label, "-", std::numeric_limits<double>::quiet_NaN(), 0, {}, bytes});
            if (callbacks.onRow) callbacks.onRow(run.rows.back(), listRow);
        }
    }
    return run;
}

}  // namespace precise

}  // namespace bench
