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
#include "platform/UserPrompt.h"
#include "tests/core/RecordingPrompt.h"

using platform::MessageIcon;

namespace {

// Stands in for memory in the portable loops and keeps every access as "L32@4" (a load) or "S32@4".
struct RecordingAccess {
    uint8_t* base;
    std::vector<std::string>* log;
    uint32_t Load32(uint8_t* p) { return Keep("L32@", p), 0; }
    void Store32(uint8_t* p, uint32_t) { Keep("S32@", p); }
    uint8_t Load8(uint8_t* p) { return Keep("L8@", p), 0; }
    void Store8(uint8_t* p, uint8_t) { Keep("S8@", p); }
    void Keep(const char* what, uint8_t* p) { log->push_back(what + std::to_string(p - base)); }
};

// Load-store pairs of one width at offsets 0, step, 2 step, ...
std::vector<std::string> Pairs(int width, long step, long pairs)
{
    std::vector<std::string> v;
    for (long i = 0; i < pairs; ++i)
        for (const char* op : {"L", "S"}) v.push_back(op + std::to_string(width) + "@" + std::to_string(i * step));
    return v;
}

}  // namespace

TEST(CacheKernel, PlansRepetitionsCountsAndSteps)
{
    // Stepping MOV with stride 4 over 2 Kb: 8000 repetitions of 512 byte accesses, 4 bytes apart.
    // Nothing to touch: no repetitions, and no division by a stride of zero.
    const struct {
        int bytes;
        CacheBenchMethod method;
        int stride;
        CacheKernelPlan plan;
    } cases[] = {{2048, kCacheSteppingMov, 4, {512, 8000, 4}}, {2048, kCacheSteppingMov, 8, {256, 16000, 8}},
                 {2048, kCacheMov, 0, {512, 2000, 4}},         {2048, kCacheMovsd, 0, {512, 4000, 4}},
                 {524288, kCacheMovsd, 0, {131072, 4000, 4}}};
    for (const auto& c : cases) EXPECT_EQ(PlanCacheKernel(c.bytes, c.method, c.stride), c.plan) << c.bytes << " " << c.method;
    EXPECT_EQ(PlanCacheKernel(2048, kCacheSteppingMov, 0).repetitions, 0u);
    EXPECT_EQ(PlanCacheKernel(2, kCacheMov, 0).repetitions, 0u);
    EXPECT_EQ(PlanCacheKernel(-4, kCacheMovsd, 0).repetitions, 0u);
}

TEST(CacheKernel, PortableLoopsMakeTheAccessesOfEachMethod)
{
    uint8_t block[2048];
    std::vector<std::string> log[3];
    cachekernels::PortableSteppingMovPass(block, 512, 4, RecordingAccess{block, &log[0]});
    cachekernels::PortableMovPass(block, 512, RecordingAccess{block, &log[1]});
    auto end = cachekernels::PortableMovsdPass(block, 512, RecordingAccess{block, &log[2]});
    EXPECT_EQ(log[0], Pairs(8, 4, 512));  // bytes at 0, 4, 8, ... 2044
    EXPECT_EQ(log[1], Pairs(32, 4, 512));
    EXPECT_EQ(log[2], Pairs(32, 4, 512));
    EXPECT_EQ(end.source, block + 2048);
    EXPECT_EQ(end.destination, block + 2048);
}

TEST(CacheKernel, MachineLoopsCoverTheBlockAndLeaveItIntact)
{
    std::vector<uint8_t> bytes(2048 + 64);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    const std::vector<uint8_t> original = bytes;
    uint8_t* block = bytes.data() + 32;
    auto movsd = cachekernels::MovsdPass(block, 512);
    EXPECT_EQ(movsd.source, block + 2048);
    EXPECT_EQ(movsd.destination, block + 2048);
    EXPECT_EQ(movsd.remaining, 0u);
    auto mov = cachekernels::MovPass(block, 512);
    EXPECT_EQ(mov.source, block + 2048);
    EXPECT_EQ(mov.remaining, 0u);
    auto stepping = cachekernels::SteppingMovPass(block, 512, 4);
    EXPECT_EQ(stepping.source, block + 2048);  // the last byte touched is at 2044
    EXPECT_EQ(stepping.remaining, 0u);
    auto wide = cachekernels::SteppingMovPass(block, 64, 32);
    EXPECT_EQ(wide.source, block + 2048);
    auto single = cachekernels::MovPass(block, 1);
    EXPECT_EQ(single.source, block + 4);

    EXPECT_EQ(bytes, original);  // each value goes back where it came from; nothing outside is touched
}

TEST(CacheKernel, AllocatesTimesAndFreesInThatOrderAndReportsAFailedAllocation)
{
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt(prompt);
    std::vector<std::string> events;
    platform::ScopedTimeGetTime timer([&, t = 0xFFFFFFF0u]() mutable {
        events.push_back("time");
        return std::exchange(t, t + 0x20);  // the second reading wraps past 2^32
    });
    void* given = nullptr;
    ScopedCacheBlockAllocate allocate([&](size_t bytes) {
        events.push_back("alloc " + std::to_string(bytes));
        return given = bytes > 2048 ? nullptr : std::malloc(bytes);
    });
    ScopedCacheBlockRelease release([&](void* block) {
        events.push_back(block == given ? "free" : "free other");
        std::free(block);
    });
    for (CacheBenchMethod method : {kCacheMovsd, kCacheMov, kCacheSteppingMov}) {
        events.clear();
        EXPECT_EQ(TimeCacheKernel(2048, method, method == kCacheSteppingMov ? 4 : 0), 0x20u);
        EXPECT_EQ(events, (std::vector<std::string>{"alloc 2048", "time", "time", "free"}));
    }
    EXPECT_TRUE(prompt.messages.empty());
    events.clear();
    EXPECT_EQ(TimeCacheKernel(524288, kCacheMovsd, 0), 0u);  // no timing, nothing to free
    EXPECT_EQ(events, (std::vector<std::string>{"alloc 524288"}));
    using Messages = std::vector<std::pair<std::string, MessageIcon>>;
    EXPECT_EQ(prompt.messages, (Messages{{"Memory error !", MessageIcon::None}}));
}

TEST(CacheRate, FollowsTheFormula)
{
    // 512 Kb MOVSD: 2000 Mb in one second; 2 Kb MOVSD; 2 Kb MOV and Stepping MOV; 0 ms is infinite;
    // the elapsed count is unsigned: the largest reading is 2^32 - 1 ms, not -1.
    const struct {
        int32_t bytes;
        uint32_t ms;
        double rate;
    } cases[] = {{2097152000, 1000, 2000.0}, {8192000, 1000, 7.8125}, {4096000, 1000, 3.90625}, {1048576000, 250, 4000.0},
                 {2097152000, 0, std::numeric_limits<double>::infinity()}, {2097152000, 0xFFFFFFFFu, 2000.0 / 4294967.295},
                 {2097152000, 3, 2000.0 / 0.003}};
    for (const auto& c : cases) {
        const double rate = CacheRateMbPerSec(c.bytes, c.ms);
        if (std::isinf(c.rate)) EXPECT_EQ(rate, c.rate) << c.bytes;
        else EXPECT_NEAR(rate, c.rate, 1e-6) << c.bytes << " " << c.ms;
    }
    EXPECT_EQ(platform::TextFormat("%.2f Mb/sec", CacheRateMbPerSec(4096000, 0)), "infinite Mb/sec");
}

TEST(CacheSuite, MeasuresMethodsAndSizesInResultOrder)
{
    const std::tuple<int, CacheBenchMethod, int32_t, int32_t, int32_t> cases[] = {
        {0, kCacheMovsd, 2048, 0, 8192000},
        {8, kCacheMovsd, 524288, 0, 2097152000},
        {9, kCacheMov, 2048, 0, 4096000},
        {26, kCacheSteppingMov, 524288, 4, 1048576000}};
    for (const auto& c : cases) {
        const CacheMeasurement m = CacheSuiteMeasurement(std::get<0>(c));
        EXPECT_EQ(std::make_tuple(std::get<0>(c), m.method, m.blockBytes, m.stride, m.creditedBytes), c);
    }
}

TEST(CacheSuite, ReportsEachResultAndEachGroupWithRatesFromTheTimedMilliseconds)
{
    // Real kernels over the 2 Kb blocks (served from one buffer); the larger blocks fail to allocate,
    // read 0 ms and rate infinite, and the run goes on. The timer moves 1000 ms per measurement.
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt(prompt);
    std::vector<uint8_t> buffer(2048);
    std::vector<size_t> sizes;
    ScopedCacheBlockAllocate allocate([&](size_t bytes) -> void* {
        sizes.push_back(bytes);
        return bytes == 2048 ? buffer.data() : nullptr;
    });
    ScopedCacheBlockRelease release([](void*) {});
    platform::ScopedTimeGetTime timer(platform::SteppingClock(5, 1000));
    std::vector<std::string> events;
    CacheSuiteCallbacks cb;
    cb.afterMeasurement = [&](int index, double rate, uint32_t ms) {
        events.push_back(std::to_string(index));
        EXPECT_EQ(ms, index % 9 == 0 ? 1000u : 0u) << index;
        EXPECT_EQ(std::isinf(rate), index % 9 != 0) << index;
    };
    cb.afterGroup = [&](int group, const CacheResults& r) {
        events.push_back("group " + std::to_string(group));
        EXPECT_TRUE(std::isinf(r.rates[group * 9 + 8]));
        EXPECT_TRUE(group == 2 || r.rates[group * 9 + 9] == 0.0);  // the next group is not measured yet
    };
    CacheResults r = RunCacheSuite(cb);
    std::vector<std::string> expected;
    for (int g = 0; g < 3; ++g) {
        for (int k = 0; k < 9; ++k) expected.push_back(std::to_string(g * 9 + k));
        expected.push_back("group " + std::to_string(g));
    }
    EXPECT_EQ(events, expected);
    ASSERT_EQ(sizes.size(), 27u);
    for (int i = 0; i < 27; ++i) {
        EXPECT_EQ(sizes[i], static_cast<size_t>(2048) << (i % 9));
        EXPECT_EQ(r.rates[i], i % 9 ? std::numeric_limits<double>::infinity() : i ? 3.90625 : 7.8125) << i;
    }
    EXPECT_EQ(prompt.messages.size(), 24u);
}
