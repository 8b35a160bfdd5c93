#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include "bench/Precise.h"

using namespace precise;

TEST(Precise, SummaryKeepsTheBestValueAndTheSpreadOfTheRepeats)
{
    // Spread: sample standard deviation over the mean. A series without a usable mean is noisy.
    const struct {
        std::vector<double> values;
        Best best;
        double expectBest, spread;
        const char* text;
    } cases[] = {
        {{10, 12, 14}, Best::Lowest, 10, 100.0 / 6, "±16.7 % (noisy)"},
        {{10, 12, 14}, Best::Highest, 14, 100.0 / 6, "±16.7 % (noisy)"},
        {{1000, 1000}, Best::Lowest, 1000, 0, "±0.0 %"},
        {{95, 105}, Best::Highest, 105, 7.0710678118654755, "±7.1 % (noisy)"},
        {{99.5, 100.5}, Best::Highest, 100.5, 0.70710678118654757, "±0.7 %"},
        {{0, 0}, Best::Highest, 0, INFINITY, "±? % (noisy)"},
        {{INFINITY, 5}, Best::Highest, INFINITY, INFINITY, "±? % (noisy)"},
    };
    for (const auto& c : cases) {
        const Summary s = Summarise(c.values, c.best);
        EXPECT_EQ(s.best, c.expectBest);
        EXPECT_DOUBLE_EQ(s.spreadPercent, c.spread) << c.text;
        EXPECT_EQ(s.runs, static_cast<int>(c.values.size()));
        EXPECT_EQ(FormatSpread(s.spreadPercent), c.text);
    }
    EXPECT_EQ(FormatSpread(5.0), "±5.0 %");  // the mark starts above 5 %
    // The warm-up run is measured but not counted.
    std::vector<double> script{1, 40, 50, 60};
    size_t next = 0;
    const Summary measured = Measure(3, Best::Lowest, [&] { return script[next++]; });
    EXPECT_EQ(std::make_tuple(measured.best, measured.runs, next), std::make_tuple(40.0, 3, size_t{4}));
}

TEST(Precise, DhrystoneDoublesItsPassesUntilAMainLoopLastsHalfASecond)
{
    // A loop of 10 ns per pass reaches 0.5 s at 5,000,000 x 2^4 passes.
    std::vector<uint32_t> tried;
    auto seconds = [&](uint32_t passes) { return tried.push_back(passes), passes * 1e-8; };
    EXPECT_EQ(DhrystonePasses(5'000'000, 0.5, seconds), 80'000'000u);
    EXPECT_EQ(tried, (std::vector<uint32_t>{5'000'000, 10'000'000, 20'000'000, 40'000'000, 80'000'000}));
    EXPECT_EQ(DhrystonePasses(5'000'000, 0.5, [](uint32_t) { return 0.0; }), 2'560'000'000u);  // stops short of 2^32
}

TEST(Precise, CacheBlocksGrowToFourTimesTheLargestCacheWithinTheMemoryCaps)
{
    constexpr uint64_t Mb = 1 << 20, Gb = 1ull << 30;
    const struct {
        std::optional<uint64_t> largest;
        uint64_t freeMemory;
        std::vector<int32_t> added;  // after the nine standard sizes, in Mb
    } cases[] = {
        {32 * Mb, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128}},
        {48 * Mb, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128, 256}},  // up to at least 4 x 48 Mb
        {512 * Mb, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024}},  // capped at 1 Gb
        {32 * Mb, 64 * Mb, {1, 2, 4, 8, 16}},                           // a quarter of the free memory
        {32 * Mb, 3 * Mb, {}},
        {std::nullopt, 64 * Gb, {1, 2, 4, 8, 16, 32, 64, 128}},  // unknown: taken as 32 Mb
    };
    for (const auto& c : cases) {
        const std::vector<int32_t> sizes = CacheBlockSizes(c.largest, c.freeMemory);
        ASSERT_EQ(sizes.size(), 9 + c.added.size());
        EXPECT_EQ(sizes[0], 2048);
        EXPECT_EQ(sizes[8], 524288);
        for (size_t i = 0; i < c.added.size(); ++i) EXPECT_EQ(sizes[9 + i], c.added[i] * static_cast<int32_t>(Mb));
    }
}

TEST(Precise, CacheRepetitionsGrowUntilAMeasurementLastsTwentyMilliseconds)
{
    // 0.01 ms per repetition: 1, then 20 / 0.01 x 1.2 = 2400. A doubling at least; a failed block stops.
    std::vector<uint32_t> tried;
    EXPECT_EQ(CacheRepetitions(20, [&](uint32_t r) { return tried.push_back(r), r * 0.01; }), 2400u);
    EXPECT_EQ(tried, (std::vector<uint32_t>{1, 2400}));
    EXPECT_EQ(CacheRepetitions(20, [](uint32_t r) { return r < 4 ? 15.0 : 30.0; }), 4u);
    EXPECT_EQ(CacheRepetitions(20, [](uint32_t) { return 0.0; }), 1u);
}
