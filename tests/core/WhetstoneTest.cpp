#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

#include "bench/BenchSuites.h"
#include "bench/Whetstone.h"
#include "platform/TextFormat.h"
#include "tests/support/Golden.h"
#include "tests/support/FakeMachine.h"

using namespace bench;

namespace {

// The machine of the tests that assert no time.
const platform::Machine machine = platform::FakeMachine();

// Keeps every RecordSection call as a line of text, then books it as usual.
struct RecordingWhetstone : CWhetstone {
    using CWhetstone::CWhetstone;
    void RecordSection(float operations, SectionKind kind, double check, double seconds, int32_t calibrate, int section) override
    {
        log += platform::TextFormat("N%d kind %d ops %.0f check %.17g calibrate %d\n", section, static_cast<int>(kind), operations, check, calibrate);
        CWhetstone::RecordSection(operations, kind, check, seconds, calibrate, section);
    }
    std::string log;
};

// Replaces the eight sections by scripted times, so that the calibration and the rating can be followed
// without minutes of arithmetic. Call n (from 1) sums to summedPerCall[n - 1] (the last entry repeats).
struct ScriptedWhetstone : CWhetstone {
    ScriptedWhetstone(std::vector<double> summedPerCall, double check) : CWhetstone(machine), summed(std::move(summedPerCall)), checkValue(check) {}
    void WhetstonePasses(int32_t passes, int32_t, int32_t calibrate) override
    {
        calls.push_back({passes, calibrate});
        for (int s = 1; s <= 8; ++s)
            RecordSection(static_cast<float>(passes), s == 1 || s == 2 || s == 6 ? kMflops : kMops, s == 8 ? checkValue : 0.0,
                          s == 8 ? summed[std::min(calls.size(), summed.size()) - 1] : 0.0, calibrate, s);
    }
    std::vector<std::pair<int32_t, int32_t>> calls;  // (passes, calibrate)
    std::vector<double> summed;
    double checkValue;
};

}  // namespace

TEST(Whetstone, SectionsReachTheirCheckValuesAndCreditTheirOperations)
{
    // x100 = 1: N3 runs 345 iterations (odd), so its j ends at 0 after one pass and 1 after two.
    std::string log;
    for (auto [passes, x100] : {std::pair{1, 100}, {3, 100}, {1, 1}, {2, 1}}) {
        RecordingWhetstone w(machine);
        w.WhetstonePasses(passes, x100, 0);
        log += platform::TextFormat("%d passes x %d: sum %.17g\n", passes, x100, w.CheckSum()) + w.log;
    }
    ExpectGolden("whetstone-sections.txt", log);
}

TEST(Whetstone, RatesAreOperationsPerMicrosecondAndMarkTheOtherUnit)
{
    // A section within one tick (or across a wrap of the tick count) rates 0, not a division by zero.
    CWhetstone r(machine);
    for (auto [ops, kind, seconds, section] : {std::tuple{539400.0f * 1000, CWhetstone::kMflops, 2.5, 6}, {37200.0f * 10, CWhetstone::kMops, 0.5, 8},
                                               {1000.0f, CWhetstone::kMops, 0.0, 3}, {1000.0f, CWhetstone::kMflops, -4294967.0, 1}})
        r.RecordSection(ops, kind, 0.0, seconds, 0, section);
    const WhetstoneResults res = r.ReadResults();
    EXPECT_EQ(res.mflops, (std::array<double, 8>{0, 0, -1, 0, 0, 215.76, 0, -1}));
    EXPECT_EQ(res.mops, (std::array<double, 8>{-1, 0, 0, 0, 0, -1, 0, 0.744}));
}

TEST(Whetstone, CalibrationStopsAtTheFirstCallOverTwoSecondsAndAZeroCheckSumIsAnError)
{
    // Calibration call i (from 0) makes 5^i passes; the final call makes 100 * passes / summed seconds.
    const struct {
        std::vector<double> summed;
        size_t calibrations;
        int32_t finalPasses;
        double mwips, check;
    } cases[] = {{{0.5, 0.5, 2.5, 100.0}, 3, 1000, 100.0, 1},  // 100 * 25 / 2.5
                          {{2.13, 50.0}, 1, 46, 9.2, 0},                // over 2.0 s at once; a zero check sum
                          {{2.0, 2.0000001, 1.0}, 2, 249, 2490.0, 1},   // 2.0 s is not over
                          {{0.5}, 10, 1953125000, 39062500000.0, 1},  // never over: multiplied once more after the last
                          {{0.0}, 10, 9765625, 0.0, 1}};              // a clock that never moves: left as calibrated
    for (const auto& c : cases) {
        ScriptedWhetstone w(c.summed, c.check);
        w.RunWhetstone();
        ASSERT_EQ(w.calls.size(), c.calibrations + 1) << c.summed[0];
        EXPECT_EQ(w.calls[c.calibrations - 1], std::make_pair(static_cast<int32_t>(std::pow(5, c.calibrations - 1)),
                                                              static_cast<int32_t>(c.calibrations)));
        EXPECT_EQ(w.calls.back(), std::make_pair(c.finalPasses, 0));
        EXPECT_EQ(w.ReadResults().totalSeconds, c.summed.back());
        EXPECT_NEAR(w.ReadResults().mwips, c.mwips, 0.01);
        EXPECT_EQ(w.Failure(), c.check ? BenchFailure::None : BenchFailure::WhetstoneCalculation);
        EXPECT_STREQ(BenchFailureMessage(w.Failure()), c.check ? "" : "Calculation Error !");
    }
    ScriptedWhetstone shorter({0.5, 0.5, 2.5, 4.0}, 1);
    shorter.RunWhetstone(4);
    EXPECT_EQ(shorter.calls.back(), std::make_pair(40, 0));  // a final run of 4 s: 4 * 25 / 2.5
}

TEST(FpuSuite, RunsTheBenchmarkBetweenItsTwoProgressPoints)
{
    // Every tick read is 3 s later: the one calibration call sums 7.1 * 3 s = 21.3 s (N1 counts a
    // tenth), so the final run makes trunc(100 / 21.3) = 4 passes.
    platform::Machine machine = platform::FakeMachine();
    machine.tickCount = platform::SteppingClock(0, 3000);
    std::string events;
    FpuSuiteCallbacks cb;
    cb.beforeRun = [&] { events += "before "; }, cb.afterRun = [&] { events += "after"; };
    cb.afterSection = [&](int section, bool calibrating) { events += (calibrating ? "c" : "f") + std::to_string(section) + " "; };
    WhetstoneResults r = LiveFpuSuite(machine, cb);
    EXPECT_EQ(events, "before c1 c2 c3 c4 c5 c6 c7 c8 f1 f2 f3 f4 f5 f6 f7 f8 after");
    EXPECT_DOUBLE_EQ(r.seconds[0], 0.3);
    EXPECT_NEAR(r.totalSeconds, 21.3, 1e-6);
}
