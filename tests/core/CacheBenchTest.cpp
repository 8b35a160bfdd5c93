#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bench/BenchSuites.h"
#include "bench/CacheBench.h"
#include "bench/CacheKernels.h"
#include "platform/Clocks.h"
#include "platform/TextFormat.h"
#include "tests/core/RecordingPrompt.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Stands in for memory in the portable loops and keeps every access as "L32@4" (a load) or "S32@4".
struct RecordingAccess {
    uint8_t* base;
    std::string* log;
    uint32_t Load32(uint8_t* p) { return Keep("L32@", p), 0; }
    void Store32(uint8_t* p, uint32_t) { Keep("S32@", p); }
    uint8_t Load8(uint8_t* p) { return Keep("L8@", p), 0; }
    void Store8(uint8_t* p, uint8_t) { Keep("S8@", p); }
    void Keep(const char* what, uint8_t* p) { *log += what + std::to_string(p - base) + " "; }
};

}  // namespace

TEST(CacheKernel, PlansRepetitionsCountsAndSteps)
{
    // Nothing to touch (no stride, a block under one access, a negative size): no repetitions.
    const struct {
        int bytes;
        CacheBenchMethod method;
        int stride;
        CacheKernelPlan plan;
    } cases[] = {{2048, kCacheSteppingMov, 4, {512, 8000, 4}}, {2048, kCacheSteppingMov, 8, {256, 16000, 8}},
                 {2048, kCacheMov, 0, {512, 2000, 4}},         {524288, kCacheMovsd, 0, {131072, 4000, 4}},
                 {2048, kCacheSteppingMov, 0, {0, 0, 0}},      {2, kCacheMov, 0, {0, 0, 4}},
                 {-4, kCacheMovsd, 0, {0, 0, 4}}};
    for (const auto& c : cases) EXPECT_EQ(PlanCacheKernel(c.bytes, c.method, c.stride), c.plan) << c.bytes << " " << c.method;
}

TEST(CacheKernel, LoopsMakeTheAccessesOfEachMethodAndLeaveTheBlockIntact)
{
    uint8_t block[12];
    std::string log[3];
    cachekernels::PortableSteppingMovPass(block, 3, 4, RecordingAccess{block, &log[0]});
    cachekernels::PortableMovPass(block, 3, RecordingAccess{block, &log[1]});
    cachekernels::PortableMovsdPass(block, 3, RecordingAccess{block, &log[2]});
    EXPECT_EQ(log[0], "L8@0 S8@0 L8@4 S8@4 L8@8 S8@8 ");
    EXPECT_EQ(log[1], "L32@0 S32@0 L32@4 S32@4 L32@8 S32@8 ");
    EXPECT_EQ(log[2], log[1]);

    std::vector<uint8_t> bytes(2048 + 64);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    const std::vector<uint8_t> original = bytes;
    uint8_t* b = bytes.data() + 32;
    const cachekernels::PassEnd ends[] = {cachekernels::MovsdPass(b, 512), cachekernels::MovPass(b, 512),
                                          cachekernels::SteppingMovPass(b, 512, 4), cachekernels::SteppingMovPass(b, 64, 32)};
    for (const auto& end : ends) EXPECT_EQ(std::make_pair(end.source, end.remaining), std::make_pair(b + 2048, uintptr_t{0}));
    EXPECT_EQ(ends[0].destination, b + 2048);
    EXPECT_EQ(cachekernels::MovPass(b, 1).source, b + 4);
    EXPECT_EQ(bytes, original);  // each value goes back where it came from; nothing outside is touched
}

TEST(CacheKernel, TimesOnlyTheAccessesInFractionalMillisecondsAndReportsAFailedAllocation)
{
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt(prompt);
    std::string events;
    platform::ScopedMonotonicClock clock([&, t = 100.0]() mutable {
        events += "time ";
        return std::exchange(t, t + 0.0000625);
    });
    ScopedCacheBlockAllocate allocate([&](size_t bytes) {
        events += "alloc" + std::to_string(bytes) + " ";
        return bytes > 2048 ? nullptr : std::malloc(bytes);
    });
    ScopedCacheBlockRelease release([&](void* block) { events += "free", std::free(block); });
    for (CacheBenchMethod method : {kCacheMovsd, kCacheMov, kCacheSteppingMov}) {
        events.clear();
        EXPECT_NEAR(TimeCacheKernel(2048, method, 4), 0.0625, 1e-9);
        EXPECT_EQ(events, "alloc2048 time time free");
    }
    EXPECT_TRUE(prompt.messages.empty());
    events.clear();
    EXPECT_EQ(TimeCacheKernelRepeated(524288, kCacheMovsd, 0, 7), 0.0);  // no timing, nothing to free
    EXPECT_EQ(events, "alloc524288 ");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].first, "Memory error !");
}

TEST(CacheRate, FollowsTheFormula)
{
    // 512 Kb MOVSD: 2000 Mb in one second, also from a fraction of a millisecond; 0 ms is infinite
    // (and so are files that hold it); credits past 2^31 bytes for the larger blocks.
    const struct {
        double bytes, ms, rate;
    } cases[] = {{2097152000, 1000, 2000.0}, {8192000, 1000, 7.8125}, {2097152000, 0.25, 8000000.0},
                 {2097152000, 0, kInf},      {4294967296.0 * 4, 8000, 2048.0}};
    for (const auto& c : cases) EXPECT_EQ(CacheRateMbPerSec(c.bytes, c.ms), c.rate) << c.bytes << " " << c.ms;
    EXPECT_EQ(platform::TextFormat("%.2f Mb/sec", CacheRateMbPerSec(4096000, 0)), "infinite Mb/sec");
}

TEST(CacheSuite, MeasuresMethodsAndSizesInResultOrderWithRatesFromTheTimedMilliseconds)
{
    // Real kernels over the 2 Kb blocks (served from one buffer); the larger blocks fail to allocate,
    // read 0 ms and rate infinite, and the run goes on. The clock moves one second per reading.
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt(prompt);
    std::vector<uint8_t> buffer(2048);
    std::vector<size_t> sizes;
    ScopedCacheBlockAllocate allocate([&](size_t bytes) -> void* {
        sizes.push_back(bytes);
        return bytes == 2048 ? buffer.data() : nullptr;
    });
    ScopedCacheBlockRelease release([](void*) {});
    platform::ScopedMonotonicClock clock([t = 5.0]() mutable { return t += 1; });
    std::string events;
    CacheSuiteCallbacks cb;
    cb.afterMeasurement = [&](int index, double, double ms) { events += std::to_string(index) + (ms ? "+" : "") + " "; };
    cb.afterGroup = [&](int group, const CacheResults&) { events += "g" + std::to_string(group) + " "; };
    const CacheResults r = RunCacheSuite(cb);
    EXPECT_EQ(events, "0+ 1 2 3 4 5 6 7 8 g0 9+ 10 11 12 13 14 15 16 17 g1 18+ 19 20 21 22 23 24 25 26 g2 ");
    ASSERT_EQ(sizes.size(), 27u);
    for (int i = 0; i < 27; ++i) {
        EXPECT_EQ(sizes[i], static_cast<size_t>(2048) << (i % 9));
        EXPECT_EQ(r.rates[i], i % 9 ? kInf : i ? 3.90625 : 7.8125) << i;
    }
    EXPECT_EQ(prompt.messages.size(), 24u);
    const CacheMeasurement last = CacheSuiteMeasurement(26);
    EXPECT_EQ(std::make_tuple(last.method, last.blockBytes, last.stride, last.creditedBytes),
              std::make_tuple(kCacheSteppingMov, 524288, 4, 1048576000));
    EXPECT_EQ(CacheSuiteMeasurement(8).creditedBytes, 2097152000);
}
