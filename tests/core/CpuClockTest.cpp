// Clock measurement over fake clocks, the standard-clock tables, the clock text and the summary line.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "FakeCpu.h"
#include "cpu/Clock.h"
#include "cpu/Processor.h"
#include "platform/Clocks.h"
#include "platform/SystemInfo.h"

namespace {

constexpr uint64_t kMb = 1024 * 1024;

// The clock of a processor whose counter advances by `cyclesPerWindow` across the measurement.
int32_t MeasureWith(uint32_t timerStart, uint64_t tscStart, uint64_t cyclesPerWindow)
{
    platform::ScopedTimeGetTime timer(platform::SteppingClock(timerStart, 1));
    platform::ScopedTsc tsc(platform::SteppingTsc(tscStart, cyclesPerWindow));
    return CProcessor().MeasureMHz();
}

// A processor, a counter running `cycles` per measurement window, the memory size and the platform.
struct Machine {
    Machine(const char* vendor, uint32_t family, uint32_t model, uint64_t cycles, uint64_t totalPhys, uint32_t platformId)
        : cpu(vendor, 1),
          timer(platform::SteppingClock(0, 1)),
          tsc(platform::SteppingTsc(1'000'000'000'000ull, cycles)),
          memory([totalPhys] { return platform::MemoryStatus{totalPhys, totalPhys / 2, 0, 0}; }),
          version([platformId] { return platform::OsVersionInfo{4, 0, 0, platformId, {}}; })
    {
        cpu.Signature(family, model);
    }
    FakeCpu cpu;
    platform::ScopedTimeGetTime timer;
    platform::ScopedTsc tsc;
    platform::ScopedMemoryStatus memory;
    platform::ScopedOsVersion version;
};

}  // namespace

TEST(CpuClock, ReadingsAlignToATimerStepAndSpanMoreThanASecond)
{
    FakeCpu cpu("GenuineIntel", 1);
    platform::ScopedTimeGetTime timer(platform::ScriptedClock<uint32_t>{100, 101, 101, 102, 500, 1102, 1103, 9999});
    platform::ScopedTsc tsc(platform::ScriptedClock<uint64_t>{7'000'000'000ull, 8'500'000'000ull});
    const ClockReadings r = TakeClockReadings();
    EXPECT_EQ(r.t0, 100u);
    EXPECT_EQ(r.t1, 102u);   // 2 ms after the first reading
    EXPECT_EQ(r.t2, 1103u);  // 1000 ms is not enough: more than 1000
    EXPECT_EQ(r.c1, 7'000'000'000ull);
    EXPECT_EQ(r.c2, 8'500'000'000ull);
    EXPECT_EQ(ClockMHzFromReadings(r), 1500);
}

TEST(CpuClock, EachCounterReadIsPrecededBySerialisingLeafZero)
{
    FakeCpu cpu("GenuineIntel", 1);
    std::vector<int> leafZeroCallsAtRead;
    platform::ScopedTimeGetTime timer(platform::SteppingClock(0, 1));
    platform::ScopedTsc tsc([&] {
        leafZeroCallsAtRead.push_back(cpu.Calls(0));
        return uint64_t{0};
    });
    const int before = cpu.Calls(0);
    TakeClockReadings();
    EXPECT_EQ(leafZeroCallsAtRead, (std::vector<int>{before + 1, before + 2}));
    EXPECT_EQ(cpu.TotalCalls(), before + 2);
}

TEST(CpuClock, TheTimerWrapsWithoutEndingTheWindowEarlyOrLate)
{
    FakeCpu cpu("GenuineIntel", 1);
    for (uint32_t start : {0xFFFF'FFF0u, 0xFFFF'FC00u, 0x7FFF'FFFEu, 0xFFFF'FFFFu, 0u}) {
        platform::ScopedTimeGetTime timer(platform::SteppingClock(start, 1));
        platform::ScopedTsc tsc(platform::SteppingTsc(0, 2'400'000'000ull));
        const ClockReadings r = TakeClockReadings();
        EXPECT_EQ(r.t1, start + 2) << start;
        EXPECT_EQ(r.t2, start + 2 + 1001) << start;
        EXPECT_EQ(ClockMHzFromReadings(r), 2400);
    }
}

TEST(CpuClock, MeasuresTheWholeCounterDifference)
{
    FakeCpu cpu("GenuineIntel", 1);
    struct Case {
        uint32_t timerStart;
        uint64_t tscStart, cycles;
        int32_t mhz;
    } cases[] = {
        {0, 0, 800'000'000, 800},
        {0, 0, 799'999'999, 799},  // rounded down
        {0, 0, 999'999, 0},
        {0, 0, 4'300'000'000ull, 4300},  // above 2^32 cycles a window: today's clocks
        {0, 0, 5'700'123'456ull, 5700},
        {0xFFFF'FFF0u, 0xFFFF'FFFFull - 1000, 3'000'000'000ull, 3000},  // the low 32 bits wrap inside the window
        {12345, 0x7FFF'0000'0000'0000ull, 1'866'000'000ull, 1866},      // a counter far from zero
    };
    for (const Case& c : cases) EXPECT_EQ(MeasureWith(c.timerStart, c.tscStart, c.cycles), c.mhz) << c.cycles;

    // Impossible readings keep the arithmetic in range.
    const std::pair<uint64_t, uint64_t> impossible[] = {{5'000'000'000ull, 4'000'000'000ull}, {7, 7},
                                                        {0, std::numeric_limits<uint64_t>::max()}};
    const int32_t expected[] = {0, 0, std::numeric_limits<int32_t>::max()};
    for (int i = 0; i < 3; ++i) {
        ClockReadings r;
        r.c1 = impossible[i].first;
        r.c2 = impossible[i].second;
        EXPECT_EQ(ClockMHzFromReadings(r), expected[i]) << i;
    }
}

TEST(CpuClock, StandardClockTablesAreAsListed)
{
    const std::vector<int32_t> amd = {75,  90,  100, 120, 133, 150, 160, 166, 180, 188, 200, 233, 266,
                                      300, 333, 350, 366, 380, 400, 433, 450, 466, 475, 500, 533, 550,
                                      600, 650, 700, 750, 800, 850, 900, 950, 1000, 1100, 1200, 0};
    const std::vector<int32_t> intel = {60,  66,  75,  90,  100, 120,  133,  150,  166,  180,  200,  233,
                                        266, 300, 333, 350, 366, 400,  433,  450,  466,  500,  533,  550,
                                        566, 600, 633, 650, 667, 700,  733,  750,  766,  800,  833,  850,
                                        866, 900, 933, 1000, 1133, 1300, 1400, 1500, 1700, 2000, 0};
    EXPECT_EQ(std::vector<int32_t>(kAmdStandardClocks.begin(), kAmdStandardClocks.end()), amd);
    EXPECT_EQ(std::vector<int32_t>(kIntelStandardClocks.begin(), kIntelStandardClocks.end()), intel);
}

TEST(CpuClock, MatchingTakesTheFirstValueWithinThreeMegahertz)
{
    for (auto table : {kAmdStandardClocks, kIntelStandardClocks}) {
        for (int32_t v : table) {
            if (v == 0) break;
            EXPECT_EQ(MatchClockTable(table, v), v);
            EXPECT_EQ(MatchClockTable(table, v + 3), v) << v;
            // An earlier value may also be near: it wins, and it is never further than this one.
            const int32_t below = MatchClockTable(table, v - 3);
            EXPECT_TRUE(below == v || (below < v && below >= v - 6)) << v;
        }
    }
    const std::pair<int32_t, int32_t> amd[] = {{163, 160}, {164, 166}, {804, -1}, {796, -1}, {0, -1},
                                               {1203, 1200}, {1204, -1}, {66, -1}};
    for (const auto& [mhz, match] : amd) EXPECT_EQ(MatchClockTable(kAmdStandardClocks, mhz), match) << mhz;
    const std::pair<int32_t, int32_t> intel[] = {{63, 60}, {64, 66}, {1997, 2000}, {2004, -1},
                                                 {std::numeric_limits<int32_t>::min(), -1},
                                                 {std::numeric_limits<int32_t>::max(), -1}};
    for (const auto& [mhz, match] : intel) EXPECT_EQ(MatchClockTable(kIntelStandardClocks, mhz), match) << mhz;
    // Values of only one table.
    for (int32_t v : {160, 188, 380, 475, 950, 1100, 1200}) EXPECT_EQ(MatchClockTable(kIntelStandardClocks, v), -1) << v;
    for (int32_t v : {60, 566, 633, 667, 733, 766, 833, 866, 933, 1133, 1300, 1400, 1500, 1700, 2000})
        EXPECT_EQ(MatchClockTable(kAmdStandardClocks, v), -1) << v;
    // The table ends at its 0, even when more follows.
    const int32_t cut[] = {100, 0, 200};
    EXPECT_EQ(MatchClockTable(cut, 200), -1);
}

TEST(CpuClock, ClockTextMarksOnlyIntelAndAmdMeasurementsOffTheirTables)
{
    struct Case {
        const char* vendor;
        int32_t measured;
        const char* text;
    } cases[] = {
        {"AuthenticAMD", 798, "800 MHz"},       {"AuthenticAMD", 804, "804 MHz (oc)"},
        {"AuthenticAMD", 163, "160 MHz"},       {"AuthenticAMD", 66, "66 MHz (oc)"},
        {"GenuineIntel", 1010, "1010 MHz (oc)"}, {"GenuineIntel", 997, "1000 MHz"},
        {"GenuineIntel", 40, "40 MHz (oc)"},    {"GenuineIntel", 4500, "4500 MHz (oc)"},
        {"GenuineIntel", 163, "166 MHz"},       {"CyrixInstead", 804, "804 MHz"},
        {"CyrixInstead", 166, "166 MHz"},       {"CentaurHauls", 1010, "1010 MHz"},
    };
    for (const Case& c : cases) {
        FakeCpu cpu(c.vendor, 1);
        DetectVendor();
        auto p = CreateProcessor();
        EXPECT_EQ(FormatClockText(c.measured, p->MatchStandardMHz(c.measured)), c.text) << c.vendor;
    }
}

TEST(CpuClock, SummaryLineNamesProcessorClockMemoryAndPlatform)
{
    struct Case {
        const char* vendor;
        uint32_t family, model;
        uint64_t cycles, memory;
        uint32_t platformId;
        const char* line;
    } cases[] = {
        {"AuthenticAMD", 6, 2, 798'000'000, 256 * kMb, platform::kPlatformNT,
         "AMD Athlon at 800 MHz  with 257 Mb RAM  on WinNT"},
        {"AuthenticAMD", 6, 2, 798'000'000, 255 * kMb + kMb * 6 / 10, platform::kPlatformWindows,  // 255.6 Mb
         "AMD Athlon at 800 MHz  with 256 Mb RAM  on Win'9x"},
        {"GenuineIntel", 6, 7, 1'010'500'000, 128 * kMb - 1, platform::kPlatformWin32s,
         "Intel Pentium III or Pentium III Xeon at 1010 MHz (oc)  with 128 Mb RAM  on WinNT"},
        // Today's memory sizes are beyond 32 bits.
        {"CentaurHauls", 6, 7, 1'600'000'000, 64ull * 1024 * kMb, platform::kPlatformNT,
         "N/D at 1600 MHz  with 65537 Mb RAM  on WinNT"},
        {"CyrixInstead", 6, 0, 233'000'000, 0, platform::kPlatformWindows,
         "Cyrix 6x86MX or M II at 233 MHz  with 1 Mb RAM  on Win'9x"},
        // The longest line: 100 characters.
        {"GenuineIntel", 6, 8, 9'999'000'000ull, 9998 * kMb, platform::kPlatformWindows,
         "Intel Pentium III or Pentium III Xeon [ATC] or Celeron at 9999 MHz (oc)  with 9999 Mb RAM  on Win'9x"},
    };
    for (const Case& c : cases) {
        Machine m(c.vendor, c.family, c.model, c.cycles, c.memory, c.platformId);
        EXPECT_EQ(FormatSystemSummary(), c.line);
    }
}

TEST(CpuClock, SummaryLineMeasuresAndReadsAfreshEachTime)
{
    Machine m("AuthenticAMD", 6, 2, 0, 256 * kMb, platform::kPlatformNT);
    platform::ScopedTsc tsc(platform::ScriptedClock<uint64_t>{0, 700'000'000, 1'000'000'000, 1'900'000'000});
    EXPECT_EQ(FormatSystemSummary(), "AMD Athlon at 700 MHz  with 257 Mb RAM  on WinNT");
    EXPECT_EQ(FormatSystemSummary(), "AMD Athlon at 900 MHz  with 257 Mb RAM  on WinNT");
}
