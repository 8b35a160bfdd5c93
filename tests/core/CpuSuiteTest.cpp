#include <gtest/gtest.h>

#include <string>

#include "bench/CpuSuite.h"

TEST(CpuSuite, RunsInListOrderReportingEachValueBeforeTheNextKernelStartsAndTotalsTheTimes)
{
    // "k3" a kernel ran, "r3=103" its value was reported, "g0" a group ended. The total is an unsigned
    // 32-bit sum of the thirteen times (it wraps) without the Dhrystone rating.
    std::string events;
    CpuKernels kernels;
    for (int k = 0; k < kCpuMeasurements; ++k)
        kernels[k] = [&events, k] { return events += "k" + std::to_string(k) + " ", k == 13 ? 4321u : 0xFFFFFFFFu - k; };
    const CpuResults results = RunCpuSuiteWith(
        kernels, {[&](int index, uint32_t value) { events += "r" + std::to_string(index) + "=" + std::to_string(value) + " "; },
                  [&](int group) { events += "g" + std::to_string(group) + " "; }});
    EXPECT_TRUE(events.starts_with("k0 r0=4294967295 k1 r1=4294967294 k2 r2=4294967293 k3 r3=4294967292 g0 k4 ")) << events;
    EXPECT_EQ(events.substr(events.find("k10 ")), "k10 r10=4294967285 g1 k11 r11=4294967284 k12 r12=4294967283 k13 r13=4321 r14=4294967205 g2 ");
    EXPECT_EQ(results.values[CpuResults::kTotal], 0xFFFFFFFFu * 13 - 78);
}
