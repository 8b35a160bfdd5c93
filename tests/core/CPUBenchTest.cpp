#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/CPUBench.h"
#include "bench/CPUBenchLoops.h"
#include "tests/support/FakeMachine.h"

using namespace bench;
using Values = std::vector<uint32_t>;

namespace {

// Sees what the program's loops never show: the final values, the inner steps and exchanges.
struct Recorder {
    Values final;
    std::string text;
    uint64_t innerSteps = 0, exchanges = 0;
    std::vector<Values> outerEnds;
    template <typename... T>
    void Final(T&... values) { final = {static_cast<uint32_t>(values)...}; }
    void Final(volatile uint32_t& i, char (&buffer)[kStringBufferSize]) { final = {i}, text = std::string(buffer, strnlen(buffer, kStringBufferSize)); }
    void InnerStep() { ++innerSteps; }
    void Exchange() { ++exchanges; }
    template <typename... T>
    void OuterEnd(T&... values) { outerEnds.push_back({static_cast<uint32_t>(values)...}); }
};

}  // namespace

TEST(CpuKernels, LoopsLeaveTheValuesOfTheirLastIteration)
{
    // i, operand, result; division's first quotient; Fibonacci's n, k and the ninth number.
    const platform::Machine m = platform::FakeMachine();
    const std::pair<std::function<void(Recorder&)>, Values> cases[] = {
        {[&](Recorder& r) { AdditionLoop(m, 10, r); }, {10, 0, 9}},
        {[&](Recorder& r) { SubtractionLoop(m, 10, r); }, {10, 0x7FFFFFFF, 0x7FFFFFFF - 9}},
        {[&](Recorder& r) { MultiplicationLoop(m, 10, r); }, {10, 8, 72}},
        {[&](Recorder& r) { MovLoop(m, 10, r); }, {10, 9}},
        {[&](Recorder& r) { DivisionLoop(m, 2, r); }, {2, 0xFFFFFFFF, 4'294'967'295u}},
        {[&](Recorder& r) { FibonacciLoop(m, 10, r); }, {10, 10, 34, 21, 34}},  // n = 2 ... 9: 36 inner steps
    };
    for (const auto& [run, expected] : cases) {
        Recorder r;
        run(r);
        EXPECT_EQ(r.final, expected);
    }
    Recorder s;
    StringLoop(m, CCPUBench::kStringLoops, s);
    EXPECT_EQ(s.final, Values{500'000});
    EXPECT_EQ(s.text, "499999 499999Vext Vext Vext Vext Vext Vext Vext");
}

TEST(CpuKernels, EveryKernelReturnsTheDifferenceOfItsTwoReadingsAcrossTheWrap)
{
    platform::Machine m = platform::FakeMachine();
    CCPUBench cpu(m);
    NoProbe p;
    const std::vector<std::function<uint32_t()>> kernels{
        [&] { return AdditionLoop(m, 3, p); },      [&] { return SubtractionLoop(m, 3, p); },
        [&] { return MultiplicationLoop(m, 3, p); }, [&] { return DivisionLoop(m, 3, p); },
        [&] { return MovLoop(m, 3, p); },           [&] { return StringLoop(m, 3, p); },
        [&] { return Call0Loop(m, cpu, 3, p); },    [&] { return Call4Loop(m, cpu, 3, p); },
        [&] { return FibonacciLoop(m, 30, p); },    [&] { return EuclidLoop(m, 3, 1000, p); },
    };
    for (size_t k = 0; k < kernels.size(); ++k) {
        m.timeGetTime = platform::ScriptedClock<uint32_t>{0xFFFFFFF0u, 0x10u, 0x99u};
        EXPECT_EQ(kernels[k](), 0x20u) << k;  // a third read would give 0xA9
    }
}

// The full iteration counts of the two algorithm kernels: a few seconds, more in sanitizer builds.
TEST(CpuKernelsFullCount, FibonacciAndEuclidRunTheirWholeWork)
{
    const platform::Machine m = platform::FakeMachine();
    Recorder fib;
    FibonacciLoop(m, CCPUBench::kFibonacciBound, fib);
    EXPECT_EQ(fib.innerSteps, 449'955'001u);
    EXPECT_EQ(fib.final[0], 30'000u);
    Recorder euclid;
    EuclidLoop(m, CCPUBench::kEuclidBound, CCPUBench::kEuclidDividend, euclid);
    EXPECT_EQ(euclid.innerSteps, 805'306'368u);
    EXPECT_EQ(euclid.exchanges, 2u);  // one per outer iteration
    EXPECT_EQ(euclid.outerEnds, (std::vector<Values>{{1, 1, 1}, {2, 1, 1}}));
}
