#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/CpuSuite.h"

namespace {

// The events of a run as one readable sequence: "k3" a kernel ran, "r3=1000" a value was reported,
// "g0" a group ended.
struct EventLog {
    std::vector<std::string> events;
    CpuSuiteCallbacks Callbacks()
    {
        return {[this](int index, uint32_t value) {
                    events.push_back("r" + std::to_string(index) + "=" + std::to_string(value));
                },
                [this](int group) { events.push_back("g" + std::to_string(group)); }};
    }
};

CpuResults Values(uint32_t ms, uint32_t rating)
{
    CpuResults r;
    r.values.fill(ms);
    r.values[CpuResults::kDhrystone] = rating;
    return r;
}

}  // namespace

TEST(CpuSuite, RunsInListOrderReportingEachValueBeforeTheNextKernelStarts)
{
    EventLog log;
    CpuKernels kernels;
    for (int k = 0; k < kCpuMeasurements; ++k)
        kernels[k] = [&log, k] {
            log.events.push_back("k" + std::to_string(k));
            return static_cast<uint32_t>(100 + k);
        };
    const CpuResults results = RunCpuSuiteWith(kernels, log.Callbacks());

    std::vector<std::string> expected;
    uint32_t total = 0;
    for (int k = 0; k < kCpuMeasurements; ++k) {
        expected.push_back("k" + std::to_string(k));
        expected.push_back("r" + std::to_string(k) + "=" + std::to_string(100 + k));
        if (k == 3) expected.push_back("g0");
        if (k == 10) expected.push_back("g1");
        if (k < CpuResults::kDhrystone) total += 100 + k;
    }
    expected.push_back("r14=" + std::to_string(total));
    expected.push_back("g2");
    EXPECT_EQ(log.events, expected);
    EXPECT_EQ(results.values[CpuResults::kTotal], total);
    EXPECT_EQ(results.values[CpuResults::kDhrystone], 113u);
}

TEST(CpuSuite, TotalAddsTheThirteenTimesButNotTheDhrystoneRate)
{
    const CpuResults results = RunCpuSuiteWith(FixedCpuKernels(Values(1000, 4321)), {});
    EXPECT_EQ(results.values[CpuResults::kTotal], 13'000u);
    EXPECT_EQ(results.values[CpuResults::kDhrystone], 4321u);
    // Unsigned 32-bit sum: it wraps rather than saturates.
    const CpuResults wrapped = RunCpuSuiteWith(FixedCpuKernels(Values(0xFFFFFFFFu, 0)), {});
    EXPECT_EQ(wrapped.values[CpuResults::kTotal], 0xFFFFFFF3u);
}
