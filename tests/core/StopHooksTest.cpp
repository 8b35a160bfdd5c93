// A page's Cancel reaches the measurement loops through their stop checks: each loop ends at its next
// check, having done at most the step that was going on.
#include <gtest/gtest.h>

#include <atomic>

#include "bench/BandwidthBench.h"
#include "bench/LatencyBench.h"
#include "bench/PinnedThreads.h"
#include "bench/ThreadedSuites.h"
#include "cpu/Clock.h"
#include "tests/support/FakeMachine.h"

using namespace bench;

TEST(StopHooks, LatencyAndBandwidthEndAtTheBlockAfterTheStop)
{
    const std::vector<uint64_t> blocks{16384, 32768, 65536};
    platform::Machine machine = platform::FakeMachine();
    machine.monotonicSeconds = [t = 0.0]() mutable { return t += 0.03125; };
    for (size_t stopAfter : {size_t{0}, size_t{1}}) {
        latency::Callbacks lat;
        size_t rows = 0;
        lat.onRow = [&rows](const latency::Row&) { ++rows; };
        lat.stop = [&rows, stopAfter] { return rows >= stopAfter; };
        EXPECT_EQ(latency::RunLatency(machine, blocks, 64, 1, lat).size(), stopAfter);

        bandwidth::Callbacks band;
        size_t bandRows = 0, asked = 0;
        band.onRow = [&bandRows](const bandwidth::Row&) { ++bandRows; };
        band.stop = [&] { return ++asked, bandRows >= stopAfter; };
        CPinnedThreads threads(machine, {0});
        EXPECT_EQ(bandwidth::RunBandwidth(machine, threads, memkernels::VectorWidth::Sse2, blocks, 1, band).size(), stopAfter);
        // Asked before each block and each of its three methods.
        EXPECT_EQ(asked, stopAfter * 4 + 1);
    }
    // A stop between a block's methods: that block gives no row.
    size_t asked = 0;
    bandwidth::Callbacks midway;
    midway.stop = [&asked] { return ++asked >= 3; };
    CPinnedThreads threads(machine, {0});
    EXPECT_EQ(bandwidth::RunBandwidth(machine, threads, memkernels::VectorWidth::Sse2, blocks, 1, midway).size(), 0u);
    EXPECT_EQ(asked, 3u);
}

TEST(StopHooks, ThreadedSuitesRunNoKernelAfterTheStopAndSaySo)
{
    bench::Context context = bench::FakeContext();
    std::atomic<int> calls{0};
    context.suites.threadCpuKernels = [&calls](const platform::Machine&, int, BenchFailure&) {
        CpuKernels kernels;
        for (auto& kernel : kernels) kernel = [&calls] { return ++calls, 10u; };
        return kernels;
    };
    int whetstones = 0;
    context.suites.threadWhetstone = [&whetstones](const platform::Machine&, int, std::optional<int32_t>) {
        return ++whetstones, bench::WhetstoneRun{{{}, {}, {}, 1000.0, 0}, 77, BenchFailure::None};
    };
    // Stopped once measurement 2 has run alone: not on the two threads, nor anything after.
    const ThreadedCpuRun cpu = RunThreadedCpu(context, {0, 1}, {}, {}, [&calls] { return calls >= 7; });
    EXPECT_EQ(std::make_tuple(cpu.stopped, calls.load()), std::make_tuple(true, 7));
    // Stopped after the lone Whetstone: the threads' runs never start.
    const ThreadedFpuRun fpu = RunThreadedFpu(context, {0, 1}, {}, {}, [&whetstones] { return whetstones >= 1; });
    EXPECT_EQ(std::make_tuple(fpu.stopped, whetstones), std::make_tuple(true, 1));
}

TEST(StopHooks, TheClockMeasurementEndsAtTheFirstTimerReadingAfterTheStop)
{
    platform::Machine machine = platform::FakeMachine();
    int reads = 0;
    machine.timeGetTime = [&reads] { return static_cast<uint32_t>(++reads); };  // a millisecond a reading
    cpu::MeasureClockMHz(machine);
    EXPECT_GT(reads, 1000);
    reads = 0;
    cpu::MeasureClockMHz(machine, [&reads] { return reads >= 5; });
    EXPECT_EQ(reads, 5);
}

// The cores' Whetstone ends after the section running when a stop comes, and runs whole without one.
TEST(StopHooks, TheStoppableWhetstoneEndsAfterTheSectionRunning)
{
    const platform::Machine machine = platform::FakeMachine();
    int asked = 0;
    const WhetstoneRun stopped = StoppableThreadWhetstone(machine, std::nullopt, 4, [&asked] { return ++asked == 2; });
    EXPECT_EQ(2, asked);  // after sections 1 and 2 of the first calibration call
    EXPECT_EQ(std::make_pair(0, 0.0), std::make_pair(stopped.passes, stopped.results.mwips));
    const WhetstoneRun whole = StoppableThreadWhetstone(machine, 1, 4, [] { return false; });
    EXPECT_EQ(1, whole.passes);
    EXPECT_GT(whole.results.mwips, 0);
    EXPECT_EQ(BenchFailure::None, whole.failure);
    // Each section timed at a second: one calibration call of one pass sums 8 s, so a final run of
    // 16 s makes 2 passes where the design's 100 s would make 12.
    platform::Machine slow = platform::FakeMachine();
    slow.tickCount = platform::SteppingClock(0, 1000);
    EXPECT_EQ(2, StoppableThreadWhetstone(slow, std::nullopt, 16, [] { return false; }).passes);
}
