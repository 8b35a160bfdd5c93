#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "bench/BenchSuites.h"
#include "bench/CacheBench.h"
#include "bench/CacheKernels.h"
#include "platform/TextFormat.h"
#include "tests/support/FakeMachine.h"

using namespace bench;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(CacheKernel, PlansRepetitionsCountsAndStepsAndItsLoopsCoverTheBlockAndLeaveItIntact)
{
    // Nothing to touch (no stride, a block under one access, a negative size): no repetitions.
    const std::tuple<int, CacheBenchMethod, int, CacheKernelPlan> plans[] = {
        {2048, kCacheSteppingMov, 4, {512, 8000, 4}}, {2048, kCacheSteppingMov, 8, {256, 16000, 8}},
        {2048, kCacheMov, 0, {512, 2000, 4}},         {524288, kCacheMovsd, 0, {131072, 4000, 4}},
        {2048, kCacheSteppingMov, 0, {0, 0, 0}},      {2, kCacheMov, 0, {0, 0, 4}},
        {-4, kCacheMovsd, 0, {0, 0, 4}}};
    for (const auto& [bytes, method, stride, plan] : plans) EXPECT_EQ(PlanCacheKernel(bytes, method, stride), plan) << bytes;

    std::vector<uint8_t> bytes(2048 + 64);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    const std::vector<uint8_t> original = bytes;
    uint8_t* b = bytes.data() + 32;
    const cachekernels::PassEnd ends[] = {cachekernels::MovsdPass(b, 512), cachekernels::MovPass(b, 512),
                                          cachekernels::SteppingMovPass(b, 512, 4), cachekernels::SteppingMovPass(b, 64, 32)};
    for (const auto& end : ends) EXPECT_EQ(std::make_pair(end.source, end.remaining), std::make_pair(b + 2048, uintptr_t{0}));
    EXPECT_EQ(cachekernels::MovPass(b, 1).source, b + 4);
    EXPECT_EQ(bytes, original);  // each value goes back where it came from; nothing outside is touched
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

TEST(CacheSuite, MeasuresMethodsAndSizesInResultOrderTimingOnlyTheAccesses)
{
    // Real kernels over the 2 Kb blocks (served from one buffer); the larger blocks fail to allocate,
    // read 0 ms and rate infinite, and the run goes on. The clock moves 62.5 ms per reading.
    std::vector<BenchFailure> failures;
    std::vector<uint8_t> buffer(2048);
    std::string events;
    platform::Machine machine = platform::FakeMachine();
    machine.allocate = [&](size_t bytes) -> void* {
        events += "a" + std::to_string(bytes / 1024) + " ";
        return bytes == 2048 ? buffer.data() : nullptr;
    };
    machine.release = [&](void*) { events += "free "; };
    machine.monotonicSeconds = [&, t = 5.0]() mutable { return events += "t ", t += 0.0625; };
    CacheSuiteCallbacks cb;
    cb.afterMeasurement = [&](int index, double, double ms) { events += std::to_string(index) + "=" + std::to_string(ms) + " "; };
    cb.afterGroup = [&](int group, const CacheResults&) { events += "g" + std::to_string(group) + " "; };
    cb.onFailure = [&](BenchFailure failure) { events += "box ", failures.push_back(failure); };
    const CacheResults r = LiveCacheSuite(machine, cb);
    EXPECT_TRUE(events.starts_with("a2 t t free 0=62.500000 a4 box 1=0.000000 a8 box 2=0.000000 ")) << events;
    EXPECT_TRUE(events.ends_with("a256 box 25=0.000000 a512 box 26=0.000000 g2 ")) << events;
    for (int i = 0; i < 27; ++i) EXPECT_EQ(r.rates[i], i % 9 ? kInf : i ? 62.5 : 125.0) << i;
    EXPECT_EQ(failures, std::vector<BenchFailure>(24, BenchFailure::CacheMemory));
    const CacheMeasurement last = CacheSuiteMeasurement(26);
    EXPECT_EQ(std::make_tuple(last.method, last.blockBytes, last.stride, last.creditedBytes),
              std::make_tuple(kCacheSteppingMov, 524288, 4, 1048576000));
    EXPECT_EQ(CacheSuiteMeasurement(8).creditedBytes, 2097152000);
}
