#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/CPUBench.h"
#include "bench/CPUBenchLoops.h"
#include "platform/Clocks.h"

using namespace bench;
using platform::ScopedTimeGetTime;
using platform::ScriptedClock;
using platform::SteppingClock;

namespace {

// Sees what the program's loops never show: the final values, the inner steps and exchanges.
struct Recorder {
    std::vector<uint32_t> final;
    std::string text;
    uint64_t innerSteps = 0;
    uint64_t exchanges = 0;
    std::vector<std::vector<uint32_t>> outerEnds;

    template <typename... T>
    void Final(T&... values)
    {
        final = {static_cast<uint32_t>(values)...};
    }
    void Final(volatile uint32_t& i, char (&buffer)[kStringBufferSize])
    {
        final = {static_cast<uint32_t>(i)};
        text.assign(buffer, strnlen(buffer, kStringBufferSize));
    }
    void InnerStep() { ++innerSteps; }
    void Exchange() { ++exchanges; }
    template <typename... T>
    void OuterEnd(T&... values)
    {
        outerEnds.push_back({static_cast<uint32_t>(values)...});
    }
};

// Stands in for CCPUBench as the call loops' target and remembers every call.
struct CallCounter {
    std::vector<std::vector<int32_t>> calls;
    void Call0() { calls.push_back({}); }
    void Call1(int32_t a) { calls.push_back({a}); }
    void Call2(int32_t a, int32_t b) { calls.push_back({a, b}); }
    void Call3(int32_t a, int32_t b, int32_t c) { calls.push_back({a, b, c}); }
    void Call4(int32_t a, int32_t b, int32_t c, int32_t d) { calls.push_back({a, b, c, d}); }
};

const std::string kPattern = "Vext Vext Vext Vext Vext Vext Vext";

}  // namespace

TEST(CpuKernels, ArithmeticLoopsStoreOperandAndCounterOfTheLastIteration)
{
    Recorder r;
    AdditionLoop(10, r);
    EXPECT_EQ(r.final, (std::vector<uint32_t>{10, 0, 9}));  // i, operand, result
    SubtractionLoop(10, r);
    EXPECT_EQ(r.final, (std::vector<uint32_t>{10, 0x7FFFFFFF, 0x7FFFFFFF - 9}));
    MultiplicationLoop(10, r);
    EXPECT_EQ(r.final, (std::vector<uint32_t>{10, 8, 72}));
    MovLoop(10, r);
    EXPECT_EQ(r.final, (std::vector<uint32_t>{10, 9}));
}

TEST(CpuKernels, DivisionStartsAtDivisorOneAndNeverDividesByZero)
{
    Recorder r;
    DivisionLoop(2, r);  // one iteration: the first quotient
    EXPECT_EQ(r.final, (std::vector<uint32_t>{2, 0xFFFFFFFF, 4'294'967'295u}));
    DivisionLoop(1, r);  // no iteration at all
    EXPECT_EQ(r.final[0], 1u);
}

TEST(CpuKernels, StringBufferHoldsTheNumbersFollowedByThePattern)
{
    Recorder r;
    StringLoop(13, r);
    EXPECT_EQ(r.text, "12 12" + kPattern);
    StringLoop(CCPUBench::kStringLoops, r);
    EXPECT_EQ(r.final[0], 500'000u);
    EXPECT_EQ(r.text, "499999 499999" + kPattern);
    EXPECT_EQ(r.text.size(), 47u);
}

TEST(CpuKernels, CallLoopsCallOncePerIterationWithTheCounterForEveryParameter)
{
    Recorder r;
    CallCounter c[5];
    Call0Loop(c[0], 5, r);
    Call1Loop(c[1], 5, r);
    Call2Loop(c[2], 5, r);
    Call3Loop(c[3], 5, r);
    Call4Loop(c[4], 5, r);
    EXPECT_EQ(r.final, (std::vector<uint32_t>{5}));
    for (size_t n = 0; n < 5; ++n) {
        ASSERT_EQ(c[n].calls.size(), 5u) << n;
        for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(c[n].calls[i], std::vector<int32_t>(n, i)) << n;
    }
}

TEST(CpuKernels, FibonacciAndEuclidRunTheirLoopsOnSmallBounds)
{
    Recorder fib;
    FibonacciLoop(10, fib);  // n = 2 ... 9, n - 1 steps each
    EXPECT_EQ(fib.innerSteps, 36u);
    EXPECT_EQ(fib.final[0], 10u);  // n
    EXPECT_EQ(fib.final[1], 10u);  // k after n = 9
    EXPECT_EQ(fib.final[4], 34u);  // the ninth Fibonacci number
    Recorder none;
    FibonacciLoop(2, none);
    EXPECT_EQ(none.innerSteps, 0u);
    // Euclid subtracts until both are the common divisor: (50, 25), then (25, 12).
    Recorder euclid;
    EuclidLoop(3, 100, euclid);
    EXPECT_EQ(euclid.outerEnds, (std::vector<std::vector<uint32_t>>{{1, 25, 25}, {2, 1, 1}}));
    EXPECT_EQ(euclid.final[0], 3u);
}

TEST(CpuKernels, EveryKernelReturnsTheDifferenceOfItsTwoReadingsAcrossTheWrap)
{
    CCPUBench cpu;
    const std::vector<std::function<uint32_t()>> kernels{
        [] { NoProbe p; return AdditionLoop(3, p); },
        [] { NoProbe p; return SubtractionLoop(3, p); },
        [] { NoProbe p; return MultiplicationLoop(3, p); },
        [] { NoProbe p; return DivisionLoop(3, p); },
        [] { NoProbe p; return MovLoop(3, p); },
        [] { NoProbe p; return StringLoop(3, p); },
        [&] { NoProbe p; return Call0Loop(cpu, 3, p); },
        [&] { NoProbe p; return Call1Loop(cpu, 3, p); },
        [&] { NoProbe p; return Call2Loop(cpu, 3, p); },
        [&] { NoProbe p; return Call3Loop(cpu, 3, p); },
        [&] { NoProbe p; return Call4Loop(cpu, 3, p); },
        [] { NoProbe p; return FibonacciLoop(30, p); },
        [] { NoProbe p; return EuclidLoop(3, 1000, p); },
    };
    for (size_t k = 0; k < kernels.size(); ++k) {
        SCOPED_TRACE(k);
        {
            ScriptedClock<uint32_t> clock{0xFFFFFFF0u, 0x10u, 0x99u};
            int reads = 0;
            ScopedTimeGetTime fake([&] { ++reads; return clock(); });
            EXPECT_EQ(kernels[k](), 0x20u);
            EXPECT_EQ(reads, 2);  // nothing else reads the timer
        }
        {
            // Within the timer's granularity: 0 ms.
            ScopedTimeGetTime fake(SteppingClock(12345, 0));
            EXPECT_EQ(kernels[k](), 0u);
        }
    }
}

// The full iteration counts of the two algorithm kernels: a few seconds, more in sanitizer builds.
TEST(CpuKernelsFullCount, FibonacciAndEuclidRunTheirWholeWork)
{
    Recorder fib;
    FibonacciLoop(CCPUBench::kFibonacciBound, fib);
    EXPECT_EQ(fib.innerSteps, 449'955'001u);
    EXPECT_EQ(fib.final[0], 30'000u);

    Recorder euclid;
    EuclidLoop(CCPUBench::kEuclidBound, CCPUBench::kEuclidDividend, euclid);
    EXPECT_EQ(euclid.innerSteps, 805'306'368u);
    EXPECT_EQ(euclid.exchanges, 2u);  // one per outer iteration
    EXPECT_EQ(euclid.outerEnds, (std::vector<std::vector<uint32_t>>{{1, 1, 1}, {2, 1, 1}}));
}
