#include <gtest/gtest.h>

#include <tuple>

#include "platform/Clocks.h"
#include "platform/SystemInfo.h"

using namespace platform;

TEST(Clocks, ElapsedTimeIsTheModuloDifferenceAcrossTheWrap)
{
    {
        ScopedTimeGetTime fake(SteppingClock(0xFFFFFFF0u, 0x10));
        uint32_t before = timeGetTime();
        EXPECT_EQ(ElapsedMs(before, timeGetTime()), 0x10u);
    }
    EXPECT_EQ(ElapsedMs(100, 1334), 1234u);
    EXPECT_EQ(ElapsedMs(0xFFFFFF00u, 0x00000100u), 0x200u);
    EXPECT_EQ(ElapsedMs(7, 7), 0u);

    uint32_t a = timeGetTime();
    EXPECT_LT(ElapsedMs(a, timeGetTime()), 1000u);
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
    EXPECT_EQ(std::tie(m.totalPhys, m.availPhys, m.totalPageFile, m.availPageFile),
              std::make_tuple(24568012ull * 1024, 23000000ull * 1024, 1048572ull * 1024, 524288ull * 1024));
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
        EXPECT_EQ(std::tie(v.majorVersion, v.minorVersion, v.buildNumber), std::tie(c.major, c.minor, c.build))
            << c.release;
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
}

TEST(SystemInfo, RescueBootsAreToldFromTheKernelCommandLine)
{
    EXPECT_EQ(CleanBootFromCmdline("BOOT_IMAGE=/vmlinuz root=/dev/vda1 ro quiet"), 0);
    EXPECT_EQ(CleanBootFromCmdline("root=/dev/vda1 ro single"), 1);
    EXPECT_EQ(CleanBootFromCmdline("root=/dev/vda1 systemd.unit=rescue.target"), 1);
    EXPECT_EQ(CleanBootFromCmdline("root=/dev/sda11 ro"), 0);  // "1" only as a word of its own
    EXPECT_EQ(GetSystemMetrics(SM_DEBUG), 0);
}
