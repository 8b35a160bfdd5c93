#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include "bench/Precise.h"

using namespace bench;

using namespace precise;

TEST(Precise, SummaryKeepsTheBestValueAndTheSpreadOfTheRepeatsAfterAWarmUp)
{
    // Spread: sample standard deviation over the mean, marked above 5 %. No usable mean: noisy.
    const std::tuple<std::vector<double>, Best, double, const char*> cases[] = {
        {{10, 12, 14}, Best::Lowest, 10, "±16.7 % (noisy)"}, {{10, 12, 14}, Best::Highest, 14, "±16.7 % (noisy)"},
        {{95, 105}, Best::Highest, 105, "±7.1 % (noisy)"},   {{95.5, 104.5}, Best::Lowest, 95.5, "±6.4 % (noisy)"},
        {{99.5, 100.5}, Best::Highest, 100.5, "±0.7 %"},     {{1000, 1000}, Best::Lowest, 1000, "±0.0 %"},
        {{0, 0}, Best::Highest, 0, "±? % (noisy)"},          {{INFINITY, 5}, Best::Highest, INFINITY, "±? % (noisy)"}};
    for (const auto& [values, best, expected, spread] : cases) {
        const Summary s = Summarise(values, best);
        EXPECT_EQ(std::make_tuple(s.best, FormatSpread(s.spreadPercent), s.runs), std::make_tuple(expected, spread, values));
    }
    EXPECT_DOUBLE_EQ(Summarise({10, 12, 14}, Best::Lowest).spreadPercent, 100.0 / 6);
    EXPECT_EQ(FormatSpread(5.0), "±5.0 %");  // the mark starts above 5 %
    size_t next = 0;
    const Summary measured = Measure(3, Best::Lowest, [&] { return std::vector<double>{1, 40, 50, 60}[next++]; });
    EXPECT_EQ(std::make_tuple(measured.best, measured.runs, next), std::make_tuple(40.0, std::vector<double>{40, 50, 60}, size_t{4}));
}

TEST(Precise, DhrystonePassesAndCacheRepetitionsGrowUntilTheMeasurementIsLongEnough)
{
    // A loop of 10 ns per pass reaches 0.5 s at 5,000,000 x 2^4 passes; a clock that stands still
    // stops short of 2^32. 0.01 ms per cache repetition: 1, then 20 / 0.01 x 1.2; at least a doubling;
    // a failed block (0 ms) stops at once.
    std::vector<uint32_t> tried;
    EXPECT_EQ(DhrystonePasses(5'000'000, 0.5, [&](uint32_t n) { return tried.push_back(n), n * 1e-8; }), 80'000'000u);
    EXPECT_EQ(tried, (std::vector<uint32_t>{5'000'000, 10'000'000, 20'000'000, 40'000'000, 80'000'000}));
    EXPECT_EQ(DhrystonePasses(5'000'000, 0.5, [](uint32_t) { return 0.0; }), 2'560'000'000u);
    tried.clear();
    EXPECT_EQ(CacheRepetitions(20, [&](uint32_t r) { return tried.push_back(r), r * 0.01; }), 2400u);
    EXPECT_EQ(tried, (std::vector<uint32_t>{1, 2400}));
    EXPECT_EQ(CacheRepetitions(20, [](uint32_t r) { return r < 4 ? 15.0 : 30.0; }), 4u);
    EXPECT_EQ(CacheRepetitions(20, [](uint32_t) { return 0.0; }), 1u);
}

TEST(Precise, CacheBlocksGrowToFourTimesTheLargestCacheWithinTheMemoryCaps)
{
    // The Mb sizes after the nine standard ones; an unknown largest cache is taken as 32 Mb.
    constexpr uint64_t Mb = 1 << 20, Gb = 1ull << 30;
    const std::tuple<std::optional<uint64_t>, uint64_t, std::vector<int32_t>> cases[] = {
        {32 * Mb, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128}},        {48 * Mb, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128, 256}},
        {512 * Mb, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024}},  // at most 1 Gb
        {32 * Mb, 64 * Mb, {1, 2, 4, 8, 16}},                      // at most a quarter of the free memory
        {32 * Mb, 3 * Mb, {}},                                     {std::nullopt, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128}}};
    for (const auto& [largest, freeMemory, added] : cases) {
        std::vector<int32_t> expected{2048, 4096, 8192, 16384, 32768, 65536, 131072, 262144, 524288};
        for (int32_t m : added) expected.push_back(m << 20);
        EXPECT_EQ(CacheBlockSizes(largest, BlockCap(freeMemory, 1)), expected);
    }
}
