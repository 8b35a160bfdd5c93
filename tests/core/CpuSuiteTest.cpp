#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <system_error>
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

// Thread t's kernels answer 10 + t (Dhrystone 100 + t); its Whetstone rates 1000 + t MWIPS and, with
// `failing`, fails its run on all threads. The system refuses the start numbered `refusedStart` (from 1:
// the lone run's thread, then those of the run on all) and pinning to `refusedPin`.
struct ThreadedCase {
    int refusedStart, refusedPin, failing;
    const char* notStarted;
    bool pinned;
};

class ThreadedSuites : public testing::TestWithParam<ThreadedCase> {
protected:
    ThreadedSuites()
    {
        const ThreadedCase& c = GetParam();
        context_.machine.allowedCpus = [] { return std::vector<platform::LogicalCpu>{{0, 0, 0}, {1, 0, 1}, {2, 0, 2}}; };
        CountStarts();
        context_.machine.pinThread = [c](int cpu) { return cpu != c.refusedPin; };
        context_.suites.threadCpuKernels = [this](const platform::Machine&, int thread, BenchFailure&) {
            CpuResults values;
            for (int i = 0; i < CpuResults::kTotal; ++i) values.values[i] = (i == CpuResults::kDhrystone ? 100u : 10u) + thread;
            return ++kernelSets_, FixedCpuKernels(values);
        };
        context_.suites.threadWhetstone = [this, c](const platform::Machine&, int thread, std::optional<int32_t> passes) {
            std::lock_guard hold(lock_);
            passesGiven_.push_back(passes.value_or(-1));
            WhetstoneResults results;
            results.mwips = 1000 + thread;
            const bool fails = passes && thread == c.failing;
            return bench::WhetstoneRun{results, 77, fails ? BenchFailure::WhetstoneCalculation : BenchFailure::None};
        };
    }
    void CountStarts()
    {
        context_.machine.startThread = [refused = GetParam().refusedStart, starts = 0](std::function<void()> body) mutable {
            if (++starts == refused) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(body));
        };
    }
    bench::Context context_ = bench::FakeContext();
    std::mutex lock_;
    std::vector<int32_t> passesGiven_;
    int kernelSets_ = 0;
};

TEST_P(ThreadedSuites, EachThreadRunsItsOwnKernelsAndARefusedStartRunsNothing)
{
    const ThreadedCase& c = GetParam();
    const std::vector<int> cpus{0, 1, 2};
    FailureLog cpuFailures, fpuFailures;
    std::vector<uint32_t> dhrystone;
    const ThreadedCpuRun cpu = RunThreadedCpu(
        context_, cpus, [&](int index, uint32_t, const std::vector<uint32_t>& threads) {
            if (index == CpuResults::kDhrystone) dhrystone = threads;
        },
        cpuFailures.Handler());
    std::vector<int> stages;
    CountStarts();
    const ThreadedFpuRun fpu = RunThreadedFpu(context_, cpus, [&](int threads) { stages.push_back(threads); }, fpuFailures.Handler());
    EXPECT_EQ(std::make_tuple(cpu.notStarted, fpu.notStarted, cpu.pinned), std::make_tuple(c.notStarted, c.notStarted, c.pinned));
    EXPECT_TRUE(cpuFailures.failures.empty());
    if (*c.notStarted) {
        EXPECT_EQ(std::make_tuple(kernelSets_, passesGiven_.size(), stages.size()), std::make_tuple(0, 0u, 0u));
        return;
    }
    EXPECT_EQ(dhrystone, (std::vector<uint32_t>{100, 101, 102}));
    EXPECT_EQ(cpu.single.values[CpuResults::kTotal], 130u);
    EXPECT_EQ(cpu.threads[2].values[CpuResults::kTotal], 13u * 12);
    EXPECT_EQ(stages, (std::vector<int>{1, 3}));
    EXPECT_EQ(passesGiven_.front(), -1);  // the lone run calibrates; every thread then runs its count
    EXPECT_EQ(std::count(passesGiven_.begin(), passesGiven_.end(), 77), 3);
    EXPECT_EQ(std::make_tuple(fpu.passes, fpu.single.mwips, fpu.threads[1].mwips, fpu.pinned), std::make_tuple(77, 1000.0, 1001.0, c.pinned));
    EXPECT_EQ(fpuFailures.failures.size(), c.failing >= 0 ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, ThreadedSuites,
    testing::Values(ThreadedCase{0, -1, -1, "", true}, ThreadedCase{0, 2, 1, "", false},
                    ThreadedCase{1, -1, -1, "the thread could not be started (the system refused it)", true},
                    ThreadedCase{2, -1, -1, "none of the 3 threads could be started (the system refused them)", true},
                    ThreadedCase{4, -1, -1, "only 2 of the 3 threads could be started (the system refused the others)", true}));
