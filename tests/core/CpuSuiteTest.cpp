#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "bench/CpuSuite.h"
#include "bench/ThreadedSuites.h"
#include "tests/support/FakeMachine.h"

namespace {

// Notes each failure a run hands on, and the thread that handed it, among the run's events.
struct FailureLog {
    std::string* events = nullptr;
    std::vector<BenchFailure> failures;
    std::vector<std::thread::id> handedOn;
    OnBenchFailure Handler()
    {
        return [this](BenchFailure failure) {
            if (events) *events += "box ";
            handedOn.push_back(std::this_thread::get_id());
            failures.push_back(failure);
        };
    }
};

}  // namespace

TEST(CpuSuite, RunsInListOrderReportingEachValueBeforeTheNextKernelStartsAndTotalsTheTimes)
{
    // "k3" a kernel ran, "r3=103" its value was reported, "g0" a group ended, "box" a failure was
    // shown (Dhrystone's, as it returns and before its row). The total is an unsigned 32-bit sum of
    // the thirteen times (it wraps) without the Dhrystone rating.
    std::string events;
    FailureLog log;
    log.events = &events;
    BenchFailure failure = BenchFailure::None;
    CpuKernels kernels;
    for (int k = 0; k < kCpuMeasurements; ++k)
        kernels[k] = [&events, &failure, k] {
            if (k == 13) failure = BenchFailure::DhrystoneMemory;
            return events += "k" + std::to_string(k) + " ", k == 13 ? 4321u : 0xFFFFFFFFu - k;
        };
    const CpuResults results = RunCpuSuiteWith(
        kernels, {[&](int index, uint32_t value) { events += "r" + std::to_string(index) + "=" + std::to_string(value) + " "; },
                  [&](int group) { events += "g" + std::to_string(group) + " "; }, log.Handler()}, &failure);
    EXPECT_TRUE(events.starts_with("k0 r0=4294967295 k1 r1=4294967294 k2 r2=4294967293 k3 r3=4294967292 g0 k4 ")) << events;
    EXPECT_EQ(events.substr(events.find("k10 ")), "k10 r10=4294967285 g1 k11 r11=4294967284 k12 r12=4294967283 k13 box r13=4321 r14=4294967205 g2 ");
    EXPECT_EQ(results.values[CpuResults::kTotal], 0xFFFFFFFFu * 13 - 78);
}

TEST(ThreadedCpu, AFailureOnAWorkerIsShownByTheThreadThatStartedTheRunAfterTheThreadsEnd)
{
    // Dhrystone fails on thread 1: in the run on both threads, not in thread 0's lone run.
    bench::Context context = bench::FakeContext();
    context.suites.threadCpuKernels = [](const platform::Machine&, int thread, BenchFailure& failure) {
        CpuKernels fixed = FixedCpuKernels({});
        if (thread == 1) fixed[CpuResults::kDhrystone] = [&failure] { return failure = BenchFailure::DhrystoneMemory, 0u; };
        return fixed;
    };
    FailureLog log;
    size_t shownBeforeRow = 0;
    const ThreadedCpuRun run = RunThreadedCpu(
        context, {0, 1}, [&](int index, uint32_t, const std::vector<uint32_t>&) {
            if (index == CpuResults::kDhrystone) shownBeforeRow = log.failures.size();
        },
        log.Handler());
    EXPECT_EQ(log.failures, std::vector<BenchFailure>{BenchFailure::DhrystoneMemory});
    ASSERT_EQ(log.handedOn.size(), 1u);
    EXPECT_EQ(log.handedOn[0], std::this_thread::get_id());
    EXPECT_EQ(shownBeforeRow, 1u);
    EXPECT_TRUE(run.notStarted.empty());
}
