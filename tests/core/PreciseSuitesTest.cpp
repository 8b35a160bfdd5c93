// The precise runners driven by fake measurements: which end of the repeats is kept, how Dhrystone's
// passes and the cache repetitions grow, what each row is credited, and what goes to the record.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "bench/PreciseSuites.h"
#include "bench/CpuSuite.h"

using namespace bench;

TEST(PreciseRunners, CpuKeepsTheShortestTimesAndTheHighestRatingAndTotalsTheBestTimes)
{
    std::map<int, int> calls;
    std::vector<uint32_t> dhrystonePasses;
    precise::CpuMeasurements fake{
        [&](int index) { return static_cast<uint32_t>(100 + index + 5 * (calls[index]++ % 3)); },
        [&](uint32_t passes) { dhrystonePasses.push_back(passes); return passes / 1000 + static_cast<uint32_t>(dhrystonePasses.size()); },
        [&] { return dhrystonePasses.back() / 20'000'000.0; },
        [] { return BenchFailure::DhrystoneMemory; }};  // every run of Dhrystone fails
    std::vector<int> listRows;
    std::vector<BenchFailure> failures;
    const precise::CpuRun run = precise::RunCpuWith(
        3,
        {[&](const precise::Row&, int row) { listRows.push_back(row); }, {},
         [&](BenchFailure failure) { failures.push_back(failure), listRows.push_back(-1); }},
        fake);

    ASSERT_EQ(run.rows.size(), static_cast<size_t>(kCpuMeasurements + 1));
    uint32_t total = 0;
    for (int index = 0; index < kCpuMeasurements; ++index) {
        if (index == CpuResults::kDhrystone) continue;
        EXPECT_EQ(calls[index], 4) << index;  // one warm-up and three repeats
        EXPECT_EQ(run.best.values[index], static_cast<uint32_t>(100 + index)) << index;
        total += 100 + index;
    }
    EXPECT_EQ(run.best.values[CpuResults::kTotal], total);
    EXPECT_TRUE(run.rows.back().runs.empty());
    // 5 M passes last 0.25 s here: doubled once to 10 M, then warmed up and repeated three times.
    EXPECT_EQ(dhrystonePasses, (std::vector<uint32_t>{5'000'000, 10'000'000, 10'000'000, 10'000'000, 10'000'000, 10'000'000}));
    EXPECT_EQ(run.best.values[CpuResults::kDhrystone], 10'000u + 6u);
    // Its failure is told once for the whole measurement, before its row.
    EXPECT_EQ(failures, std::vector<BenchFailure>{BenchFailure::DhrystoneMemory});
    EXPECT_EQ(listRows.size(), run.rows.size() + 1);
    EXPECT_EQ(listRows[CpuResults::kDhrystone], -1);
    EXPECT_EQ(listRows.back(), 20);
}

TEST(PreciseRunners, CacheGrowsRepetitionsToTwentyMillisecondsAndCreditsEachAsTheStandardRunDoes)
{
    std::vector<int32_t> sizes = {2048, 4096, 8192, 16384, 32768, 65536, 131072, 262144, 524288, 1 << 20};
    // Every repetition takes 1 ms, whatever the block: 20 repetitions reach the minimum.
    std::map<uint32_t, int> repetitionsAsked;
    const precise::CacheRun run = precise::RunCacheWith(2, sizes, {}, [&](int32_t, CacheBenchMethod, int32_t, uint32_t r) {
        ++repetitionsAsked[r];
        return CacheTiming{static_cast<double>(r)};
    });
    ASSERT_EQ(run.rows.size(), 3 * sizes.size());
    EXPECT_EQ(run.rows[9].label, "   1024 Kb block :");
    EXPECT_EQ(run.rows[9].blockBytes, 1 << 20);
    // MOVSD credits 4000 passes per standard run, 4000 repetitions: one block per ms.
    EXPECT_DOUBLE_EQ(run.best.rates[0], 2048 / 1048576.0 * 1000);
    EXPECT_DOUBLE_EQ(run.rows[9].best, 1000.0);
    // MOV credits 2000 per 2000 repetitions, the stepping MOV (stride 4) 2000 per 8000.
    EXPECT_DOUBLE_EQ(run.best.rates[9], 2048 / 1048576.0 * 1000);
    EXPECT_DOUBLE_EQ(run.best.rates[18], 2048 / 1048576.0 * 1000 / 4);
    EXPECT_GE(repetitionsAsked.rbegin()->first, 20u);
    EXPECT_EQ(repetitionsAsked.rbegin()->second, 30 * 4);  // the probe that reached it, a warm-up, two repeats
}
