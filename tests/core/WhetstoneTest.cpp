#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchSuites.h"
#include "bench/Whetstone.h"
#include "platform/Clocks.h"
#include "platform/UserPrompt.h"
#include "tests/core/RecordingPrompt.h"

using platform::MessageIcon;

namespace {

struct RecordedSection {
    float operations;
    int kind;
    double check;
    double seconds;
    int calibrate;
    int section;
};

// Keeps every RecordSection call, then books it as usual.
class RecordingWhetstone : public CWhetstone {
public:
    void RecordSection(float operations, int kind, double check, double seconds, int calibrate,
                       int section) override
    {
        records.push_back({operations, kind, check, seconds, calibrate, section});
        CWhetstone::RecordSection(operations, kind, check, seconds, calibrate, section);
    }
    std::vector<RecordedSection> records;
};

// Replaces the eight sections by scripted section times, so that the calibration and the rating can
// be followed without running minutes of arithmetic. Call n (from 1) has its section times scaled to
// sum to summedPerCall[n - 1] (the last entry repeats).
class ScriptedWhetstone : public CWhetstone {
public:
    ScriptedWhetstone(std::vector<double> summedPerCall, double check = 1.0)
        : summed(std::move(summedPerCall)), checkValue(check) {}
    void WhetstonePasses(int32_t passes, int32_t, int32_t calibrate) override
    {
        calls.push_back({passes, calibrate});
        double total = summed[std::min(calls.size(), summed.size()) - 1];
        for (int s = 1; s <= 8; ++s)
            RecordSection(static_cast<float>(passes), s == 1 || s == 2 || s == 6 ? kMflops : kMops,
                          s == 8 ? checkValue : 0.0, s == 8 ? total : 0.0, calibrate, s);
    }
    static int32_t Target(int32_t passes, double summedSeconds) { return PassesForTarget(passes, summedSeconds); }
    std::vector<std::pair<int32_t, int32_t>> calls;  // (passes, calibrate)

private:
    std::vector<double> summed;
    double checkValue;
};

// The check values the sections must reach, worked out plainly (no volatile, no calls) from the
// definitions: the production code has to keep its memory traffic and still agree with this.
struct PlainChecks {
    double n1, n2, n5, n6, n8;
};
PlainChecks WorkOutChecks(int passes, int x100)
{
    const double t0 = 0.49999975, t1 = 0.50000025, t2 = 2.0;
    double t = t0;
    double e[4] = {1.0, -1.0, -1.0, -1.0};
    PlainChecks c{};
    for (int p = 0; p < passes; ++p) {
        for (int i = 0; i < 12 * x100 * 10; ++i) {
            e[0] = (e[0] + e[1] + e[2] - e[3]) * t;
            e[1] = (e[0] + e[1] - e[2] + e[3]) * t;
            e[2] = (e[0] - e[1] + e[2] + e[3]) * t;
            e[3] = (-e[0] + e[1] + e[2] + e[3]) * t;
        }
        t = 1.0 - t;
    }
    t = t0;
    c.n1 = e[3];
    for (int p = 0; p < passes; ++p) {
        for (int i = 0; i < 14 * x100; ++i)
            for (int r = 0; r < 6; ++r) {
                e[0] = (e[0] + e[1] + e[2] - e[3]) * t;
                e[1] = (e[0] + e[1] - e[2] + e[3]) * t;
                e[2] = (e[0] - e[1] + e[2] + e[3]) * t;
                e[3] = (-e[0] + e[1] + e[2] + e[3]) / t2;
            }
        t = 1.0 - t;
    }
    t = t0;
    c.n2 = e[3];
    double x = 0.5, y = 0.5;
    for (int p = 0; p < passes; ++p) {
        for (int i = 1; i < 32 * x100; ++i) {
            x = t * std::atan(t2 * std::sin(x) * std::cos(x) / (std::cos(x + y) + std::cos(x - y) - 1.0));
            y = t * std::atan(t2 * std::sin(y) * std::cos(y) / (std::cos(x + y) + std::cos(x - y) - 1.0));
        }
        t = 1.0 - t;
    }
    t = t0;
    c.n5 = y;
    x = y = 1.0;
    double z = 1.0;
    for (int p = 0; p < passes; ++p)
        for (int i = 0; i < 899 * x100; ++i) {
            x = y;
            y = z;
            x = t * (x + y);
            y = t1 * (x + y);
            z = (x + y) / t2;
        }
    c.n6 = z;
    x = 0.75;
    for (int p = 0; p < passes; ++p)
        for (int i = 0; i < 93 * x100; ++i) x = std::sqrt(std::exp(std::log(x) / t1));
    c.n8 = x;
    return c;
}

}  // namespace

TEST(Whetstone, SectionsReachTheirCheckValuesAndCreditTheirOperations)
{
    for (int passes : {1, 3}) {
        SCOPED_TRACE(passes);
        RecordingWhetstone w;
        w.WhetstonePasses(passes, 100, 0);
        ASSERT_EQ(w.records.size(), 8u);
        const PlainChecks plain = WorkOutChecks(passes, 100);
        const int perPass[8] = {19200, 134400, 103500, 315000, 83200, 539400, 184800, 37200};
        const int kinds[8] = {1, 1, 2, 2, 2, 1, 2, 2};
        for (int s = 0; s < 8; ++s) {
            EXPECT_EQ(w.records[s].section, s + 1);
            EXPECT_EQ(w.records[s].kind, kinds[s]);
            EXPECT_EQ(w.records[s].operations, static_cast<float>(perPass[s] * passes));
            EXPECT_EQ(w.records[s].calibrate, 0);
        }
        EXPECT_DOUBLE_EQ(w.records[0].check, plain.n1);
        EXPECT_DOUBLE_EQ(w.records[1].check, plain.n2);
        EXPECT_EQ(w.records[2].check, 1.0);   // N3 ends every pass with j = 1
        EXPECT_EQ(w.records[3].check, 12.0);  // N4's integers stay 1, 2, 3: e[0] = e[1] = 6
        EXPECT_DOUBLE_EQ(w.records[4].check, plain.n5);
        EXPECT_DOUBLE_EQ(w.records[5].check, plain.n6);
        EXPECT_EQ(w.records[6].check, 3.0);  // an even number of swaps puts 3.0 back in e[2]
        EXPECT_DOUBLE_EQ(w.records[7].check, plain.n8);

        double sum = 0;
        for (const RecordedSection& r : w.records) sum += r.check;
        EXPECT_EQ(w.CheckSum(), sum);
        EXPECT_NE(w.CheckSum(), 0.0);
    }
}

TEST(Whetstone, ShortSectionsFollowTheSameRules)
{
    // x100 = 1: N3 runs 345 iterations (odd), so its j ends at 0 after one pass and 1 after two.
    RecordingWhetstone one;
    one.WhetstonePasses(1, 1, 0);
    EXPECT_EQ(one.records[2].check, 0.0);
    EXPECT_EQ(one.records[3].check, 12.0);
    RecordingWhetstone two;
    two.WhetstonePasses(2, 1, 0);
    EXPECT_EQ(two.records[2].check, 1.0);
    const PlainChecks plain = WorkOutChecks(2, 1);
    EXPECT_DOUBLE_EQ(two.records[4].check, plain.n5);
    EXPECT_DOUBLE_EQ(two.records[7].check, plain.n8);
    EXPECT_EQ(two.records[0].operations, 12.0f * 16 * 2);
}

TEST(Whetstone, SectionTimesComeFromTheTickCountWithN1AtATenth)
{
    // Each section reads the tick count twice; every read advances it 250 ms.
    platform::ScopedTickCount ticks(platform::SteppingClock(1000000, 250));
    RecordingWhetstone w;
    std::vector<int> hooked;
    w.SetSectionHook([&](int section, int calibrate) {
        hooked.push_back(section);
        EXPECT_EQ(calibrate, 2);
    });
    w.WhetstonePasses(1, 1, 2);
    EXPECT_EQ(hooked, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    double summed = 0;
    for (int s = 1; s <= 8; ++s) {
        const uint32_t start = 1000000 + (s - 1) * 500;
        double expected = static_cast<double>(start + 250) * 0.001 - static_cast<double>(start) * 0.001;
        if (s == 1) expected /= 10;
        EXPECT_EQ(w.SectionSeconds(s), expected) << s;
        summed += expected;
        // Calibration calls record no rates.
        EXPECT_EQ(w.SectionMflops(s), 0.0);
        EXPECT_EQ(w.SectionMops(s), 0.0);
    }
    EXPECT_DOUBLE_EQ(w.SummedSeconds(), summed);
}

TEST(Whetstone, TickCountIsReadAsUnsignedSeconds)
{
    platform::ScopedTickCount ticks(platform::ScriptedClock<uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(CWhetstone::WhetSeconds(), 4294967295.0 * 0.001);
}

TEST(Whetstone, RatesAreOperationsPerMicrosecondAndMarkTheOtherUnit)
{
    CWhetstone w;
    w.RecordSection(539400.0f * 1000, CWhetstone::kMflops, 0.0, 2.5, 0, 6);
    EXPECT_DOUBLE_EQ(w.SectionMflops(6), 215.76);
    EXPECT_EQ(w.SectionMops(6), -1.0);
    w.RecordSection(37200.0f * 10, CWhetstone::kMops, 0.0, 0.5, 0, 8);
    EXPECT_DOUBLE_EQ(w.SectionMops(8), 0.744);
    EXPECT_EQ(w.SectionMflops(8), -1.0);
    // A section within one tick (or across a wrap of the tick count) rates 0, not a division by zero.
    w.RecordSection(1000.0f, CWhetstone::kMops, 0.0, 0.0, 0, 3);
    EXPECT_EQ(w.SectionMops(3), 0.0);
    EXPECT_EQ(w.SectionMflops(3), -1.0);
    w.RecordSection(1000.0f, CWhetstone::kMflops, 0.0, -4294967.0, 0, 1);
    EXPECT_EQ(w.SectionMflops(1), 0.0);
    EXPECT_EQ(w.SectionMops(1), -1.0);
}

TEST(Whetstone, CalibrationStopsAtTheFirstCallOverTwoSeconds)
{
    // 0.5 s, 0.5 s, then 2.5 s with 25 passes: the final run gets 100 * 25 / 2.5 = 1000 passes.
    ScriptedWhetstone w({0.5, 0.5, 2.5, 100.0});
    w.RunWhetstone();
    std::vector<std::pair<int32_t, int32_t>> expected = {{1, 1}, {5, 2}, {25, 3}, {1000, 0}};
    EXPECT_EQ(w.calls, expected);
    EXPECT_EQ(w.FinalPasses(), 1000);
    EXPECT_DOUBLE_EQ(w.Mwips(), 100.0);  // 1000 * 100 / (10 * 100)
    WhetstoneResults r = w.ReadResults();
    EXPECT_EQ(r.totalSeconds, 100.0);
    EXPECT_EQ(r.mwips, w.Mwips());
}

TEST(Whetstone, CalibrationEdgeCases)
{
    {
        // The first call already takes more than 2.0 s: passes stays 1, the final count is trunc(100 / t).
        ScriptedWhetstone w({2.13, 50.0});
        w.RunWhetstone();
        ASSERT_EQ(w.calls.size(), 2u);
        EXPECT_EQ(w.calls[1], (std::pair<int32_t, int32_t>{46, 0}));
    }
    {
        // Exactly 2.0 s is not over the threshold.
        ScriptedWhetstone w({2.0, 2.0000001, 1.0});
        w.RunWhetstone();
        ASSERT_EQ(w.calls.size(), 3u);
        EXPECT_EQ(w.calls[1].first, 5);
        EXPECT_EQ(w.calls[2].first, static_cast<int32_t>(500 / 2.0000001));
    }
    {
        // Never over 2.0 s: ten calls, and the count is multiplied once more after the last.
        ScriptedWhetstone w({0.5});
        w.RunWhetstone();
        ASSERT_EQ(w.calls.size(), 11u);
        int32_t passes = 1;
        for (int i = 0; i < 10; ++i, passes *= 5) EXPECT_EQ(w.calls[i], (std::pair<int32_t, int32_t>{passes, i + 1}));
        EXPECT_EQ(w.calls[10].first, 1953125000);  // 100 * 9765625 / 0.5
    }
    {
        // A clock that never moves: the count is left as calibrated, and the rating is 0.
        ScriptedWhetstone w({0.0});
        w.RunWhetstone();
        EXPECT_EQ(w.calls.back(), (std::pair<int32_t, int32_t>{9765625, 0}));
        EXPECT_EQ(w.Mwips(), 0.0);
    }
    EXPECT_EQ(ScriptedWhetstone::Target(1, 200.0), 1);  // truncation to 0 is raised to one pass
    EXPECT_EQ(ScriptedWhetstone::Target(3, 7.0), 42);   // 300 / 7 = 42.86, truncated
    EXPECT_EQ(ScriptedWhetstone::Target(9765625, 1e-6), INT32_MAX);
}

TEST(Whetstone, ZeroCheckSumReportsCalculationErrorAndKeepsTheResults)
{
    RecordingPrompt prompt;
    platform::ScopedPrompt scoped(prompt);
    {
        ScriptedWhetstone w({2.5, 100.0}, 0.0);
        w.RunWhetstone();
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].first, "Calculation Error !");
        EXPECT_EQ(prompt.messages[0].second, MessageIcon::None);
        EXPECT_DOUBLE_EQ(w.Mwips(), 40 * 100 / (10 * 100.0));
    }
    prompt.messages.clear();
    ScriptedWhetstone good({2.5, 100.0}, 0.25);
    good.RunWhetstone();
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(Whetstone, ResultsAreReadOutInSectionOrder)
{
    CWhetstone w;
    w.RecordSection(2.0e6f, CWhetstone::kMflops, 1, 1.0, 0, 1);
    w.RecordSection(2.0e6f, CWhetstone::kMops, 1, 0.5, 0, 3);
    w.RecordSection(2.0e6f, CWhetstone::kMflops, 1, 0.25, 0, 8);
    WhetstoneResults r = w.ReadResults();
    EXPECT_EQ(r.mflops[0], 2.0);
    EXPECT_EQ(r.mops[0], -1.0);
    EXPECT_EQ(r.seconds[0], 1.0);
    EXPECT_EQ(r.mops[2], 4.0);
    EXPECT_EQ(r.mflops[2], -1.0);
    EXPECT_EQ(r.seconds[2], 0.5);
    EXPECT_EQ(r.mflops[7], 8.0);
    EXPECT_EQ(r.seconds[7], 0.25);
    EXPECT_EQ(r.totalSeconds, 1.75);
}

TEST(FpuSuite, RunsTheBenchmarkBetweenItsTwoProgressPoints)
{
    // Every tick read is 3 s later: the one calibration call sums 7.1 * 3 s = 21.3 s, so the final run
    // makes trunc(100 / 21.3) = 4 passes.
    platform::ScopedTickCount ticks(platform::SteppingClock(0, 3000));
    std::vector<std::string> events;
    FpuSuiteCallbacks cb;
    cb.beforeRun = [&] { events.push_back("before"); };
    cb.afterSection = [&](int section, bool calibrating) {
        events.push_back((calibrating ? "c" : "f") + std::to_string(section));
    };
    cb.afterRun = [&] { events.push_back("after"); };
    WhetstoneResults r = RunFpuSuite(cb);
    std::vector<std::string> expected = {"before", "c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8",
                                         "f1",     "f2", "f3", "f4", "f5", "f6", "f7", "f8", "after"};
    EXPECT_EQ(events, expected);
    EXPECT_NEAR(r.totalSeconds, 21.3, 1e-6);
    EXPECT_DOUBLE_EQ(r.mwips, 4 * 100 / (10 * r.totalSeconds));
    EXPECT_EQ(r.mops[0], -1.0);
    EXPECT_NEAR(r.mflops[0], 19200.0 * 4 / 0.3e6, 1e-6);
    EXPECT_NEAR(r.mops[7], 37200.0 * 4 / 3e6, 1e-6);
}

TEST(FpuSuite, TestsCanReplaceTheRun)
{
    WhetstoneResults fake;
    fake.mwips = 4800.0;
    int calls = 0;
    ScopedFpuSuite scoped([&](const FpuSuiteCallbacks& cb) {
        ++calls;
        if (cb.beforeRun) cb.beforeRun();
        if (cb.afterRun) cb.afterRun();
        return fake;
    });
    int advances = 0;
    FpuSuiteCallbacks cb;
    cb.beforeRun = cb.afterRun = [&] { ++advances; };
    EXPECT_EQ(RunFpuSuite(cb).mwips, 4800.0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(advances, 2);
}
