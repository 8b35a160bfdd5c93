#pragma once
// Memory-bandwidth measurements: one access method over one freshly allocated block, timed with the
// monotonic clock, and the rate in Mb/sec that the page shows.
#include <cstddef>
#include <cstdint>

#include "bench/BenchFailure.h"
#include "platform/Machine.h"

namespace bench {

// The methods' own codes. The page lists the string move's results first, then the MOV loops' (see
// the groups of RunCacheSuite); the codes do not follow that order and need not.
enum CacheBenchMethod : int32_t {
    kCacheMov = 1,          // 32-bit load and store of every doubleword
    kCacheMovsd = 2,        // a string move of the block onto itself
    kCacheSteppingMov = 3,  // 8-bit load and store of one byte every `stride` bytes
};

// How often a method goes over its block: the string move 4000 times, the MOV loops 2000 times (the
// stepping loop 2000 times per byte of its stride, so that every byte is touched as often). The
// credited bytes of a measurement follow from the same count.
constexpr uint32_t CacheMethodRepetitions(CacheBenchMethod method) { return method == kCacheMovsd ? 4000u : 2000u; }

// One measurement: the elapsed milliseconds, or 0 and the failure when the block cannot be had.
struct CacheTiming {
    double ms = 0;
    BenchFailure failure = BenchFailure::None;
};

// Allocates a block of blockBytes (machine.allocate), times the method's repetitions over it with the
// machine's monotonic clock and frees it. The stride is read by the stepping method only.
CacheTiming TimeCacheKernel(const platform::Machine& machine, int32_t blockBytes, CacheBenchMethod method, int32_t stride);
// The same with a chosen number of repetitions instead of the method's own (none for a block that
// gets none). warmBlock makes one untimed pass first, so that a fresh block's page faults and cache
// misses stay out of the time (the larger blocks of the precise mode are new pages on every call).
CacheTiming TimeCacheKernelRepeated(const platform::Machine& machine, int32_t blockBytes, CacheBenchMethod method,
                                    int32_t stride, uint32_t repetitions, bool warmBlock = false);

// Mb (2^20 bytes) per second; 0 ms gives +infinity.
double CacheRateMbPerSec(double creditedBytes, double elapsedMs);

// The shape of one measurement: `repetitions` times over the block, `count` accesses at offsets 0,
// step, 2 step, ... A block too small for one access (or a stride of 0 or less) gets no repetitions.
struct CacheKernelPlan {
    uint32_t count = 0;
    uint32_t repetitions = 0;
    uint32_t step = 0;
    bool operator==(const CacheKernelPlan&) const = default;
};
CacheKernelPlan PlanCacheKernel(int32_t blockBytes, CacheBenchMethod method, int32_t stride);

}  // namespace bench
