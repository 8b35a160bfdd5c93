#include <gtest/gtest.h>

#include "platform/Clocks.h"
#include "platform/SystemInfo.h"

using namespace platform;

TEST(Clocks, FakesReplaceEachClockForTheirScopeAndStepAcrossTheWrap)
{
    {
        ScopedTimeGetTime fake(SteppingClock(0xFFFFFFF0u, 0x10));
        EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
        EXPECT_EQ(timeGetTime(), 0u);  // wrapped modulo 2^32
        EXPECT_EQ(timeGetTime(), 0x10u);
    }
    {
        ScopedTickCount fake(ScriptedClock<uint32_t>{90061000u, 5u});
        EXPECT_EQ(GetTickCount(), 90061000u);
        EXPECT_EQ(GetTickCount(), 5u);
        EXPECT_EQ(GetTickCount(), 5u);  // the last reading repeats
    }
    {
        ScopedCalendarClock fake(ScriptedClock<std::time_t>{1000, 1007});
        EXPECT_EQ(CalendarTime(), 1000);
        EXPECT_EQ(CalendarTime(), 1007);
    }
}

TEST(Clocks, ElapsedTimeIsTheModuloDifference)
{
    EXPECT_EQ(ElapsedMs(100, 1334), 1234u);
    EXPECT_EQ(ElapsedMs(0xFFFFFF00u, 0x00000100u), 0x200u);
    EXPECT_EQ(ElapsedMs(7, 7), 0u);
}

TEST(Clocks, LiveClocksAreMonotonicAndStartedBeforeNow)
{
    uint32_t a = timeGetTime();
    uint32_t b = timeGetTime();
    EXPECT_LT(ElapsedMs(a, b), 1000u);
    EXPECT_GT(GetTickCount(), 0u);
    EXPECT_GT(CalendarTime(), 1700000000);
}

TEST(SystemInfo, MeminfoGivesBytes)
{
    MemoryStatus m = ParseMeminfo(
        "MemTotal:       24568012 kB\n"
        "MemFree:        20000000 kB\n"
        "MemAvailable:   23000000 kB\n"
        "SwapCached:            0 kB\n"
        "SwapTotal:       1048572 kB\n"
        "SwapFree:         524288 kB\n");
    EXPECT_EQ(m.totalPhys, 24568012ull * 1024);
    EXPECT_EQ(m.availPhys, 23000000ull * 1024);
    EXPECT_EQ(m.totalPageFile, 1048572ull * 1024);
    EXPECT_EQ(m.availPageFile, 524288ull * 1024);
    // Without MemAvailable (old kernels), the free memory stands in.
    EXPECT_EQ(ParseMeminfo("MemTotal: 10 kB\nMemFree: 4 kB\n").availPhys, 4096u);
    EXPECT_EQ(ParseMeminfo("").totalPhys, 0u);
}

TEST(SystemInfo, KernelReleaseGivesVersionNumbers)
{
    struct Case {
        const char* release;
        uint32_t major, minor, build;
    } cases[] = {
        {"6.18.44-xyz", 6, 18, 44}, {"6.1.0-18-amd64", 6, 1, 0}, {"5.10", 5, 10, 0},
        {"4.19.0+", 4, 19, 0},      {"weird", 0, 0, 0},          {"", 0, 0, 0},
    };
    for (const auto& c : cases) {
        OsVersionInfo v;
        ParseKernelRelease(c.release, v);
        EXPECT_EQ(v.majorVersion, c.major) << c.release;
        EXPECT_EQ(v.minorVersion, c.minor) << c.release;
        EXPECT_EQ(v.buildNumber, c.build) << c.release;
    }
}

TEST(SystemInfo, ServicePackTextNamesDistributionAndKernel)
{
    EXPECT_EQ(DistributionName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(DistributionName("NAME=Alpine\n"), "Alpine");
    EXPECT_EQ(DistributionName(""), "Linux");
    EXPECT_EQ(ServicePackText("Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64"),
              "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64");
    EXPECT_EQ(ServicePackText(std::string(200, 'x'), "6.1").size(), 127u);

    OsVersionInfo live = GetVersionEx();
    EXPECT_EQ(live.platformId, kPlatformNT);
    EXPECT_LE(live.csdVersion.size(), 127u);
    EXPECT_NE(live.csdVersion.find("Linux"), std::string::npos);
}

TEST(SystemInfo, RescueBootsAreToldFromTheKernelCommandLine)
{
    EXPECT_EQ(CleanBootFromCmdline("BOOT_IMAGE=/vmlinuz root=/dev/vda1 ro quiet"), 0);
    EXPECT_EQ(CleanBootFromCmdline("root=/dev/vda1 ro single"), 1);
    EXPECT_EQ(CleanBootFromCmdline("root=/dev/vda1 systemd.unit=rescue.target"), 1);
    EXPECT_EQ(CleanBootFromCmdline("root=/dev/sda11 ro"), 0);  // "1" only as a word of its own
    EXPECT_EQ(GetSystemMetrics(SM_DEBUG), 0);
    {
        ScopedSystemMetrics fake([](int index) { return index == SM_CLEANBOOT ? 2 : 0; });
        EXPECT_EQ(GetSystemMetrics(SM_CLEANBOOT), 2);
    }
}
