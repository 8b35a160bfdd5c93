#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/BenchSuites.h"
#include "bench/Whetstone.h"
#include "platform/Clocks.h"
#include "platform/UserPrompt.h"
#include "tests/core/RecordingPrompt.h"

namespace {

struct RecordedSection {
    float operations;
    int kind;
    double check;
    int calibrate;
    int section;
};

// Keeps every RecordSection call, then books it as usual.
class RecordingWhetstone : public CWhetstone {
public:
    void RecordSection(float operations, int kind, double check, double seconds, int calibrate,
                       int section) override
    {
        records.push_back({operations, kind, check, calibrate, section});
        CWhetstone::RecordSection(operations, kind, check, seconds, calibrate, section);
    }
    std::vector<RecordedSection> records;
};

// Replaces the eight sections by scripted times, so that the calibration and the rating can be followed
// without minutes of arithmetic. Call n (from 1) sums to summedPerCall[n - 1] (the last entry repeats).
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

// The check values of the floating-point sections, worked out plainly (no volatile, no calls): the
// production code has to keep its memory traffic and still agree with this.
std::vector<double> WorkOutChecks(int passes, int x100)
{
    const double t0 = 0.49999975, t1 = 0.50000025, t2 = 2.0;
    double e[4] = {1.0, -1.0, -1.0, -1.0};
    auto mix = [&](double t, double last) {
        e[0] = (e[0] + e[1] + e[2] - e[3]) * t;
        e[1] = (e[0] + e[1] - e[2] + e[3]) * t;
        e[2] = (e[0] - e[1] + e[2] + e[3]) * t;
        e[3] = (-e[0] + e[1] + e[2] + e[3]) * last;
    };
    std::vector<double> c;
    double t = t0;
    for (int p = 0; p < passes; ++p, t = 1.0 - t)
        for (int i = 0; i < 12 * x100 * 10; ++i) mix(t, t);
    c.push_back(e[3]);
    t = t0;
    for (int p = 0; p < passes; ++p, t = 1.0 - t)
        for (int i = 0; i < 14 * x100 * 6; ++i) mix(t, 1 / t2);
    c.push_back(e[3]);
    double x = 0.5, y = 0.5;
    t = t0;
    for (int p = 0; p < passes; ++p, t = 1.0 - t)
        for (int i = 1; i < 32 * x100; ++i) {
            x = t * std::atan(t2 * std::sin(x) * std::cos(x) / (std::cos(x + y) + std::cos(x - y) - 1.0));
            y = t * std::atan(t2 * std::sin(y) * std::cos(y) / (std::cos(x + y) + std::cos(x - y) - 1.0));
        }
    c.push_back(y);
    x = y = 1.0;
    double z = 1.0;
    for (int i = 0; i < passes * 899 * x100; ++i) {
        x = t0 * (y + z);
        y = t1 * (x + z);
        z = (x + y) / t2;
    }
    c.push_back(z);
    x = 0.75;
    for (int i = 0; i < passes * 93 * x100; ++i) x = std::sqrt(std::exp(std::log(x) / t1));
    c.push_back(x);
    return c;
}

}  // namespace

TEST(Whetstone, SectionsReachTheirCheckValuesAndCreditTheirOperations)
{
    // x100 = 1: N3 runs 345 iterations (odd), so its j ends at 0 after one pass and 1 after two.
    struct Case {
        int passes, x100;
        double n3;
    } cases[] = {{1, 100, 1.0}, {3, 100, 1.0}, {1, 1, 0.0}, {2, 1, 1.0}};
    const int perPass[8] = {192, 1344, 1035, 3150, 832, 5394, 1848, 372};
    const int kinds[8] = {1, 1, 2, 2, 2, 1, 2, 2};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.passes << " x " << c.x100);
        RecordingWhetstone w;
        w.WhetstonePasses(c.passes, c.x100, 0);
        ASSERT_EQ(w.records.size(), 8u);
        double sum = 0;
        for (int s = 0; s < 8; ++s) {
            EXPECT_EQ(w.records[s].section, s + 1);
            EXPECT_EQ(w.records[s].kind, kinds[s]);
            EXPECT_EQ(w.records[s].operations, static_cast<float>(perPass[s] * c.x100 * c.passes));
            EXPECT_EQ(w.records[s].calibrate, 0);
            sum += w.records[s].check;
        }
        const std::vector<double> plain = WorkOutChecks(c.passes, c.x100);
        const int floating[5] = {0, 1, 4, 5, 7};
        for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(w.records[floating[k]].check, plain[k]) << floating[k] + 1;
        EXPECT_EQ(w.records[2].check, c.n3);
        EXPECT_EQ(w.records[3].check, 12.0);  // N4's integers stay 1, 2, 3: e[0] = e[1] = 6
        EXPECT_EQ(w.records[6].check, 3.0);   // an even number of swaps puts 3.0 back in e[2]
        EXPECT_EQ(w.CheckSum(), sum);
    }
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
        EXPECT_EQ(w.SectionMflops(s), 0.0);  // calibration calls record no rates
        EXPECT_EQ(w.SectionMops(s), 0.0);
    }
    EXPECT_DOUBLE_EQ(w.SummedSeconds(), summed);
    // The tick count is read as unsigned.
    platform::ScopedTickCount top(platform::ScriptedClock<uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(CWhetstone::WhetSeconds(), 4294967295.0 * 0.001);
}

TEST(Whetstone, RatesAreOperationsPerMicrosecondAndMarkTheOtherUnit)
{
    CWhetstone w;
    w.RecordSection(539400.0f * 1000, CWhetstone::kMflops, 0.0, 2.5, 0, 6);
    w.RecordSection(37200.0f * 10, CWhetstone::kMops, 0.0, 0.5, 0, 8);
    // A section within one tick (or across a wrap of the tick count) rates 0, not a division by zero.
    w.RecordSection(1000.0f, CWhetstone::kMops, 0.0, 0.0, 0, 3);
    w.RecordSection(1000.0f, CWhetstone::kMflops, 0.0, -4294967.0, 0, 1);
    const WhetstoneResults r = w.ReadResults();
    const struct {
        int section;
        double mflops, mops, seconds;
    } expected[] = {{6, 215.76, -1.0, 2.5}, {8, -1.0, 0.744, 0.5}, {3, -1.0, 0.0, 0.0}, {1, 0.0, -1.0, -4294967.0}};
    for (const auto& e : expected) {
        EXPECT_DOUBLE_EQ(w.SectionMflops(e.section), e.mflops) << e.section;
        EXPECT_DOUBLE_EQ(w.SectionMops(e.section), e.mops) << e.section;
        EXPECT_DOUBLE_EQ(r.mflops[e.section - 1], e.mflops) << e.section;
        EXPECT_DOUBLE_EQ(r.mops[e.section - 1], e.mops) << e.section;
        EXPECT_EQ(r.seconds[e.section - 1], e.seconds) << e.section;
    }
}

TEST(Whetstone, CalibrationStopsAtTheFirstCallOverTwoSeconds)
{
    // Calibration call i (from 0) makes 5^i passes; the final call makes 100 * passes / summed seconds.
    const struct {
        std::vector<double> summed;
        size_t calibrations;
        int32_t finalPasses;
        double mwips;
    } cases[] = {
        {{0.5, 0.5, 2.5, 100.0}, 3, 1000, 100.0},  // 100 * 25 / 2.5
        {{2.13, 50.0}, 1, 46, 9.2},                // over 2.0 s at once: passes stays 1
        {{2.0, 2.0000001, 1.0}, 2, static_cast<int32_t>(500 / 2.0000001), 2490.0},  // 2.0 s is not over
        {{0.5}, 10, 1953125000, 39062500000.0},  // never over: the count is multiplied once more after the last
        {{0.0}, 10, 9765625, 0.0},            // a clock that never moves: the count is left as calibrated
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.summed[0]);
        ScriptedWhetstone w(c.summed);
        w.RunWhetstone();
        ASSERT_EQ(w.calls.size(), c.calibrations + 1);
        for (int32_t i = 0, passes = 1; i < static_cast<int32_t>(c.calibrations); ++i, passes *= 5)
            EXPECT_EQ(w.calls[i], std::make_pair(passes, i + 1));
        EXPECT_EQ(w.calls.back(), std::make_pair(c.finalPasses, 0));
        EXPECT_EQ(w.FinalPasses(), c.finalPasses);
        EXPECT_EQ(w.ReadResults().totalSeconds, c.summed.back());
        EXPECT_NEAR(w.Mwips(), c.mwips, 0.01);
        EXPECT_EQ(w.ReadResults().mwips, w.Mwips());
    }
    EXPECT_EQ(ScriptedWhetstone::Target(1, 200.0), 1);  // truncation to 0 is raised to one pass
    EXPECT_EQ(ScriptedWhetstone::Target(3, 7.0), 42);   // 300 / 7 = 42.86, truncated
    EXPECT_EQ(ScriptedWhetstone::Target(9765625, 1e-6), INT32_MAX);
}

TEST(Whetstone, ZeroCheckSumReportsCalculationErrorAndKeepsTheResults)
{
    using Messages = std::vector<std::pair<std::string, platform::MessageIcon>>;
    for (double check : {0.0, 0.25}) {
        RecordingPrompt prompt;
        platform::ScopedPrompt scoped(prompt);
        ScriptedWhetstone w({2.5, 100.0}, check);
        w.RunWhetstone();
        EXPECT_DOUBLE_EQ(w.Mwips(), 40 * 100 / (10 * 100.0));
        const Messages expected = check ? Messages{} : Messages{{"Calculation Error !", platform::MessageIcon::None}};
        EXPECT_EQ(prompt.messages, expected);
    }
}

TEST(FpuSuite, RunsTheBenchmarkBetweenItsTwoProgressPoints)
{
    // Every tick read is 3 s later: the one calibration call sums 7.1 * 3 s = 21.3 s, so the final run
    // makes trunc(100 / 21.3) = 4 passes.
    platform::ScopedTickCount ticks(platform::SteppingClock(0, 3000));
    std::string events;
    FpuSuiteCallbacks cb;
    cb.beforeRun = [&] { events += "before "; };
    cb.afterSection = [&](int section, bool calibrating) {
        events += (calibrating ? "c" : "f") + std::to_string(section) + " ";
    };
    cb.afterRun = [&] { events += "after"; };
    WhetstoneResults r = RunFpuSuite(cb);
    EXPECT_EQ(events, "before c1 c2 c3 c4 c5 c6 c7 c8 f1 f2 f3 f4 f5 f6 f7 f8 after");
    EXPECT_NEAR(r.totalSeconds, 21.3, 1e-6);
    EXPECT_DOUBLE_EQ(r.mwips, 4 * 100 / (10 * r.totalSeconds));
    EXPECT_NEAR(r.mflops[0], 19200.0 * 4 / 0.3e6, 1e-6);
}
