#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/CpuSuite.h"

namespace {

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
    // "k3" a kernel ran, "r3=103" its value was reported, "g0" a group ended.
    std::string events;
    CpuKernels kernels;
    for (int k = 0; k < kCpuMeasurements; ++k)
        kernels[k] = [&events, k] {
            events += "k" + std::to_string(k) + " ";
            return static_cast<uint32_t>(100 + k);
        };
    const CpuResults results = RunCpuSuiteWith(
        kernels, {[&](int index, uint32_t value) { events += "r" + std::to_string(index) + "=" + std::to_string(value) + " "; },
                  [&](int group) { events += "g" + std::to_string(group) + " "; }});
    EXPECT_EQ(events,
              "k0 r0=100 k1 r1=101 k2 r2=102 k3 r3=103 g0 k4 r4=104 k5 r5=105 k6 r6=106 k7 r7=107 k8 r8=108 "
              "k9 r9=109 k10 r10=110 g1 k11 r11=111 k12 r12=112 k13 r13=113 r14=1378 g2 ");
    EXPECT_EQ(results.values[CpuResults::kTotal], 1378u);
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
