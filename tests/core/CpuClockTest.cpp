// Clock measurement over fake clocks, the standard-clock tables, the clock text and the summary line.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "cpu/Clock.h"
#include "cpu/Processor.h"
#include "cpu/SystemSummary.h"
#include "tests/core/FakeCpu.h"

using namespace cpu;

constexpr uint64_t kMb = 1024 * 1024;

TEST(CpuClock, ReadingsSerialiseAndSpanMoreThanASecondAfterATimerStep)
{
    FakeCpu cpu("GenuineIntel", 1);
    std::vector<int> leafZeroCallsAtRead;
    cpu.machine.timeGetTime = platform::ScriptedClock<uint32_t>{100, 101, 101, 102, 500, 1102, 1103, 9999};
    cpu.machine.readTsc = [&] {
        leafZeroCallsAtRead.push_back(cpu.Calls(0));
        return uint64_t{7'000'000'000ull + 1'500'000'000ull * (leafZeroCallsAtRead.size() - 1)};
    };
    const int before = cpu.Calls(0);
    const ClockReadings r = TakeClockReadings(cpu.machine);
    EXPECT_EQ(r.t1, 102u);   // 2 ms after the first reading
    EXPECT_EQ(r.t2, 1103u);  // 1000 ms is not enough: more than 1000
    EXPECT_EQ(ClockMHzFromReadings(r), 1500);
    EXPECT_EQ(leafZeroCallsAtRead, (std::vector<int>{before + 1, before + 2}));
    cpu.machine.timeGetTime = platform::SteppingClock(0xFFFF'FFF0u, 1);
    EXPECT_EQ(TakeClockReadings(cpu.machine).t2, 0xFFFF'FFF0u + 2 + 1001);  // the wrap ends the window neither early nor late
}

TEST(CpuClock, MegahertzAreTheWholeCounterDifferenceRoundedDown)
{
    const std::pair<ClockReadings, int32_t> cases[] = {
        {{0, 0, 0, 0xFFFF'FFFFull, 0xFFFF'FFFFull + 5'700'999'999ull}, 5700},  // beyond 32 bits
        {{0, 0, 0, 5, 4}, 0}, {{0, 0, 0, 0, std::numeric_limits<uint64_t>::max()}, std::numeric_limits<int32_t>::max()}};
    for (const auto& [r, mhz] : cases) EXPECT_EQ(ClockMHzFromReadings(r), mhz) << r.c2;
}

TEST(CpuClock, MatchingTakesTheFirstValueWithinThreeMegahertzUpToTheEndMark)
{
    const std::pair<int32_t, int32_t> amd[] = {{72, 75}, {71, -1}, {163, 160}, {164, 166}, {1203, 1200}, {1204, -1}, {0, -1}};
    for (const auto& [mhz, match] : amd) EXPECT_EQ(MatchClockTable(kAmdStandardClocks, mhz), match) << mhz;
    const std::pair<int32_t, int32_t> intel[] = {{57, 60}, {56, -1}, {1997, 2000}, {2003, 2000}, {2004, -1},
                                                 {std::numeric_limits<int32_t>::min(), -1}};
    for (const auto& [mhz, match] : intel) EXPECT_EQ(MatchClockTable(kIntelStandardClocks, mhz), match) << mhz;
    const int32_t cut[] = {100, 0, 200};
    EXPECT_EQ(MatchClockTable(cut, 200), -1);
}

TEST(CpuClock, OnlyIntelAndAmdMarkAClockOffTheirTable)
{
    const std::pair<const char*, const char*> cases[] = {
        {"AuthenticAMD", "1131 MHz (oc)"}, {"GenuineIntel", "1133 MHz"}, {"CyrixInstead", "1131 MHz"}, {"CentaurHauls", "1131 MHz"}};
    for (const auto& [vendor, text] : cases) {
        FakeCpu cpu(vendor, 1);
        EXPECT_EQ(FormatClockText(1131, cpu.Detected()->MatchStandardMHz(1131)), text) << vendor;
    }
}

TEST(CpuClock, SummaryLineNamesProcessorClockMemoryAndPlatform)
{
    const std::tuple<const char*, uint64_t, uint64_t, uint32_t, const char*> cases[] = {
        {"AuthenticAMD", 798'000'000, 256 * kMb, platform::kPlatformNT, "AMD Athlon at 800 MHz  with 257 Mb RAM  on WinNT"},
        {"GenuineIntel", 1'010'500'000, 128 * kMb - 1, platform::kPlatformWindows,
         "Intel Pentium Pro at 1010 MHz (oc)  with 128 Mb RAM  on Win'9x"},
        {"CentaurHauls", 1'600'000'000, 64ull * 1024 * kMb, platform::kPlatformWin32s, "N/D at 1600 MHz  with 65537 Mb RAM  on WinNT"},
    };
    for (const auto& [vendor, cycles, memory, platformId, line] : cases) {
        FakeCpu cpu(vendor, 1);
        cpu.Signature(6, 1);
        cpu.machine.timeGetTime = platform::SteppingClock(0, 1);
        cpu.machine.readTsc = platform::SteppingTsc(1'000'000'000'000ull, cycles);
        cpu.machine.memoryStatus = [m = memory] { return platform::MemoryStatus{m, m / 2, 0, 0}; };
        cpu.machine.osVersion = [id = platformId] { return platform::OsVersionInfo{4, 0, 0, id, {}}; };
        EXPECT_EQ(FormatSystemSummary(cpu.machine), line);
    }
}
