#include "bench/BenchSuites.h"

#include <memory>

#include "bench/BenchFailure.h"
#include "bench/Whetstone.h"

namespace bench {

WhetstoneResults LiveFpuSuite(const platform::Machine& machine, const FpuSuiteCallbacks& callbacks)
{
    if (callbacks.beforeRun) callbacks.beforeRun();
    auto whetstone = std::make_unique<CWhetstone>(machine);
    if (callbacks.afterSection)
        whetstone->SetSectionHook([&](int section, int calibrate) { callbacks.afterSection(section, calibrate != 0); });
    whetstone->RunWhetstone();
    ReportBenchFailure(callbacks.onFailure, whetstone->Failure());
    if (callbacks.afterRun) callbacks.afterRun();
    return whetstone->ReadResults();
}

double CacheCreditedBytes(CacheBenchMethod method, int32_t blockBytes)
{
    return static_cast<double>(blockBytes) * CacheMethodRepetitions(method);
}

CacheMeasurement CacheSuiteMeasurement(int index)
{
    static constexpr CacheBenchMethod kGroups[3] = {kCacheMovsd, kCacheMov, kCacheSteppingMov};
    const CacheBenchMethod method = kGroups[index / CacheResults::kBlockSizes];
    const int32_t bytes = kCacheBlockBytes[index % CacheResults::kBlockSizes];
    // The largest standard credit, 512 Kb x 4000, still fits 32 bits.
    const auto credited = static_cast<int32_t>(CacheCreditedBytes(method, bytes));
    return {method, bytes, method == kCacheSteppingMov ? kCacheSteppingStride : 0, credited};
}

CacheResults LiveCacheSuite(const platform::Machine& machine, const CacheSuiteCallbacks& callbacks)
{
    CacheResults results;
    for (int group = 0; group < 3; ++group) {
        for (int k = 0; k < CacheResults::kBlockSizes; ++k) {
            const int index = group * CacheResults::kBlockSizes + k;
            const CacheMeasurement m = CacheSuiteMeasurement(index);
            const CacheTiming timing = TimeCacheKernel(machine, m.blockBytes, m.method, m.stride);
            ReportBenchFailure(callbacks.onFailure, timing.failure);
            const double ms = timing.ms;
            results.rates[index] = CacheRateMbPerSec(m.creditedBytes, ms);
            if (callbacks.afterMeasurement) callbacks.afterMeasurement(index, results.rates[index], ms);
        }
        if (callbacks.afterGroup) callbacks.afterGroup(group, results);
    }
    return results;
}

}  // namespace bench
