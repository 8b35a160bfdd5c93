#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "bench/CpuSuite.h"
#include "bench/ThreadedSuites.h"
#include "tests/support/FakeMachine.h"

using namespace bench;

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

// Three threads of which thread t's kernels answer 10 + t (Dhrystone 100 + t) and its Whetstone rates
// 1000 + t; `failing`'s Dhrystone and final Whetstone fail. The system refuses start number
// `refusedStart` (from 1: the lone run's thread, then those of the run on all) and pinning to `refusedPin`.
TEST(ThreadedSuites, EachThreadRunsItsOwnKernelsFailuresComeBackOnTheCallerAndARefusedStartRunsNothing)
{
    const struct {
        int refusedStart, refusedPin, failing;
        std::string notStarted;
    } cases[] = {{0, -1, -1, ""}, {0, 2, 1, ""}, {1, -1, -1, "the thread could not be started (the system refused it)"},
                 {2, -1, 0, "none of the 3 threads could be started (the system refused them)"},
                 {4, -1, -1, "only 2 of the 3 threads could be started (the system refused the others)"}};
    for (const auto& c : cases) {
        bench::Context context = bench::FakeContext();
        std::mutex lock;
        std::vector<int> pins, passes;
        context.machine.pinThread = [&](int cpu) { return std::lock_guard(lock), pins.push_back(cpu), cpu != c.refusedPin; };
        context.suites.threadCpuKernels = [&](const platform::Machine&, int thread, BenchFailure& failure) {
            CpuKernels kernels;
            for (int i = 0; i < kCpuMeasurements; ++i) kernels[i] = [=] { return (i == CpuResults::kDhrystone ? 100u : 10u) + thread; };
            if (thread == c.failing) kernels[CpuResults::kDhrystone] = [&failure] { return failure = BenchFailure::DhrystoneMemory, 0u; };
            return kernels;
        };
        context.suites.threadWhetstone = [&](const platform::Machine&, int thread, std::optional<int32_t> given) {
            std::lock_guard hold(lock);
            passes.push_back(given.value_or(-1));
            const bool fails = given && thread == c.failing;
            return bench::WhetstoneRun{{{}, {}, {}, 1000.0 + thread, 0}, 77, fails ? BenchFailure::WhetstoneCalculation : BenchFailure::None};
        };
        FailureLog cpuLog, fpuLog;
        std::vector<uint32_t> dhrystone;
        size_t shownBeforeRow = 0, starts = 0;
        context.machine.startThread = [&](std::function<void()> body) {
            if (++starts == size_t(c.refusedStart)) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(body));
        };
        const ThreadedCpuRun cpu = RunThreadedCpu(
            context, {0, 1, 2}, [&](int index, uint32_t, const std::vector<uint32_t>& threads) {
                if (index == CpuResults::kDhrystone) dhrystone = threads, shownBeforeRow = cpuLog.failures.size();
            },
            cpuLog.Handler());
        starts = 0;
        const ThreadedFpuRun fpu = RunThreadedFpu(context, {0, 1, 2}, {}, fpuLog.Handler());
        EXPECT_EQ(std::make_tuple(cpu.notStarted, fpu.notStarted, cpu.pinned, fpu.pinned),
                  std::make_tuple(c.notStarted, c.notStarted, c.refusedPin < 0, c.refusedPin < 0));
        if (!c.notStarted.empty()) {
            EXPECT_EQ(passes.size() + cpuLog.failures.size() + fpuLog.failures.size(), 0u);
            continue;
        }
        std::sort(pins.begin(), pins.end());
        EXPECT_EQ(pins, (std::vector<int>{0, 0, 0, 0, 1, 1, 2, 2}));  // twice the lone thread, then one per processor
        EXPECT_EQ(dhrystone, (std::vector<uint32_t>{100, c.failing == 1 ? 0u : 101, 102}));
        EXPECT_EQ(std::make_tuple(cpu.single.values[CpuResults::kTotal], cpu.threads[2].values[CpuResults::kTotal]), std::make_tuple(130u, 156u));
        // The lone run calibrates; every thread then runs its pass count.
        EXPECT_EQ(std::make_tuple(passes, fpu.passes, fpu.single.mwips, fpu.threads[1].mwips),
                  std::make_tuple(std::vector<int>{-1, 77, 77, 77}, 77, 1000.0, 1001.0));
        const size_t fails = c.failing >= 0;
        EXPECT_EQ(std::make_tuple(cpuLog.failures, shownBeforeRow, fpuLog.failures.size(), cpuLog.handedOn),
                  std::make_tuple(std::vector<BenchFailure>(fails, BenchFailure::DhrystoneMemory), fails, fails,
                                  std::vector<std::thread::id>(fails, std::this_thread::get_id())));
    }
}
