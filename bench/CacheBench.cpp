#include "bench/CacheBench.h"

#include "bench/CacheKernels.h"

namespace bench {

CacheKernelPlan PlanCacheKernel(int32_t blockBytes, CacheBenchMethod method, int32_t stride)
{
    CacheKernelPlan plan;
    uint32_t bytes = blockBytes > 0 ? static_cast<uint32_t>(blockBytes) : 0;
    switch (method) {
    case kCacheMovsd:
    case kCacheMov:
        plan = {bytes / 4, CacheMethodRepetitions(method), 4};
        break;
    case kCacheSteppingMov:
        if (stride > 0)
            plan = {bytes / static_cast<uint32_t>(stride), static_cast<uint32_t>(stride) * CacheMethodRepetitions(method),
                    static_cast<uint32_t>(stride)};
        break;
    }
    // The access loops run at least once per repetition, so a block without a single access gets none.
    if (plan.count == 0) plan.repetitions = 0;
    return plan;
}

CacheTiming TimeCacheKernel(const platform::Machine& machine, int32_t blockBytes, CacheBenchMethod method, int32_t stride)
{
    return TimeCacheKernelRepeated(machine, blockBytes, method, stride, PlanCacheKernel(blockBytes, method, stride).repetitions);
}

CacheTiming TimeCacheKernelRepeated(const platform::Machine& machine, int32_t blockBytes, CacheBenchMethod method,
                                    int32_t stride, uint32_t repetitions, bool warmBlock)
{
    const CacheKernelPlan plan = PlanCacheKernel(blockBytes, method, stride);
    void* memory = blockBytes >= 0 ? machine.allocate(static_cast<size_t>(blockBytes)) : nullptr;
    if (memory == nullptr) return {0, BenchFailure::CacheMemory};
    uint8_t* block = static_cast<uint8_t*>(memory);
    const uint32_t count = plan.count;
    const uint32_t step = plan.step;
    const uint32_t runs = plan.repetitions == 0 ? 0 : repetitions;
    const bool warm = warmBlock && runs != 0;

    // Between the two readings nothing runs but the accesses and their loop counters.
    double t0 = 0;
    double t1 = 0;
    switch (method) {
    case kCacheMovsd:
        if (warm) cachekernels::MovsdPass(block, count);
        t0 = machine.monotonicSeconds();
        for (uint32_t r = runs; r != 0; r = r - 1) cachekernels::MovsdPass(block, count);
        t1 = machine.monotonicSeconds();
        break;
    case kCacheMov:
        if (warm) cachekernels::MovPass(block, count);
        t0 = machine.monotonicSeconds();
        for (uint32_t r = runs; r != 0; r = r - 1) cachekernels::MovPass(block, count);
        t1 = machine.monotonicSeconds();
        break;
    case kCacheSteppingMov:
        if (warm) cachekernels::SteppingMovPass(block, count, step);
        t0 = machine.monotonicSeconds();
        for (uint32_t r = runs; r != 0; r = r - 1) cachekernels::SteppingMovPass(block, count, step);
        t1 = machine.monotonicSeconds();
        break;
    default:
        t0 = machine.monotonicSeconds();
        t1 = machine.monotonicSeconds();
        break;
    }

    machine.release(memory);
    return {(t1 - t0) * 1000.0};
}

double CacheRateMbPerSec(double creditedBytes, double elapsedMs)
{
    // Both products and the quotient in extended precision, rounded to double once at the end. The
    // constant 0.001 is the double nearest to it, as written. 0 ms divides a positive number by zero:
    // +infinity, which is what the page shows for a block that finished within one tick (files saved
    // by the millisecond timer hold such rates).
    const long double megabytes = static_cast<long double>(creditedBytes) * 0x1p-20L;
    const long double seconds = static_cast<long double>(elapsedMs) * static_cast<long double>(0.001);
    return static_cast<double>(megabytes / seconds);
}

}  // namespace bench
