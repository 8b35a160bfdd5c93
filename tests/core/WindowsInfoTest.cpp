#include <gtest/gtest.h>

#include <map>

#include "platform/Clocks.h"
#include "platform/SystemInfo.h"
#include "winfo/WindowsInfo.h"

using namespace platform;

namespace {

constexpr uint64_t kMb = 1048576;

OsVersionInfo Version(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build, std::string csd = "")
{
    OsVersionInfo v;
    v.platformId = platformId;
    v.majorVersion = major;
    v.minorVersion = minor;
    v.buildNumber = build;
    v.csdVersion = std::move(csd);
    return v;
}

// Builds a CWindowsInfo on a faked system: the version and memory are sampled while the fakes stand.
CWindowsInfo InfoFor(const OsVersionInfo& version, const MemoryStatus& memory = {})
{
    ScopedOsVersion v([=] { return version; });
    ScopedMemoryStatus m([=] { return memory; });
    return CWindowsInfo();
}

std::string OsName(const OsVersionInfo& version) { return InfoFor(version).GetOsName(); }

}  // namespace

TEST(WindowsInfo, NineXNamesComeFromTheLowWordOfTheBuildAndTheFirstServicePackCharacter)
{
    // The high word of a 9x build number holds the version (4.0, 4.10): only the low word names it.
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 0, 0x040003B6, "")), "Windows'95");  // 950
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 0, 0x040003B6, "A")), "Windows'95 OSR 2");
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 0, 0x040003B6, "B")), "Windows'95 OSR 2.5");
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 0, 950, " A")), "Windows'95");  // only the first character
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 0, 950, "C")), "Windows'95");
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 10, 0x040A07CE)), "Windows'98");  // 1998
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 10, 0x040A08AE, " A ")), "Windows'98 SE ");  // 2222
    // Builds outside the table fall to the minor version.
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 0, 1111)), "Windows'95");
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 90, 3000)), "Windows'98");
    EXPECT_EQ(OsName(Version(kPlatformWindows, 4, 1, 3000)), "Windows'98");
    // 950 with a high word still counts as 950, but 950 + 65536 * k on the NT platform does not.
    EXPECT_EQ(OsName(Version(kPlatformNT, 4, 0, 0x000103B6)), "Unknown Windows NT");
}

TEST(WindowsInfo, NtNamesComeFromTheWholeBuildNumberAlone)
{
    const std::map<uint32_t, std::string> table{
        {340, "Windows NT 3.1 (beta)"},      {397, "Windows NT 3.1 (beta)"},
        {511, "Windows NT 3.1 (beta)"},      {611, "Windows NT 3.5 beta 1"},
        {683, "Windows NT 3.5 beta 2"},      {756, "Windows NT 3.5 RC 1"},
        {807, "Windows NT 3.5"},             {944, "Windows NT 3.51 beta 1"},
        {1057, "Windows NT 3.51"},           {1234, "Windows NT 4.0 beta 1"},
        {1314, "Windows NT 4.0 beta 2"},     {1381, "Windows NT 4.0"},
        {1671, "Windows NT 5.0 beta 1"},     {1877, "Windows NT 5.0 beta 2"},
        {1946, "Windows 2000 RC0 of Beta 3"}, {2000, "Windows 2000 RC1 of Beta 3"},
        {2031, "Windows 2000 Beta 3"},       {2072, "Windows 2000 RC1"},
        {2128, "Windows 2000 RC2"},          {2183, "Windows 2000 RC3"},
        {2195, "Windows 2000"},
    };
    for (const auto& [build, name] : table) {
        // The version numbers are not consulted.
        EXPECT_EQ(OsName(Version(kPlatformNT, 9, 9, build)), name) << build;
        // Any platform id other than 1 uses this table.
        EXPECT_EQ(OsName(Version(kPlatformWin32s, 0, 0, build)), name) << build;
        EXPECT_EQ(OsName(Version(7, 0, 0, build)), name) << build;
    }
    for (uint32_t other : {0u, 950u, 1998u, 2222u, 2196u, 2600u, 0x10000u + 2195u, 0xFFFFFFFFu})
        EXPECT_EQ(OsName(Version(kPlatformNT, 5, 1, other)), "Unknown Windows NT") << other;
}

TEST(WindowsInfo, VersionTextAndServicePack)
{
    CWindowsInfo nt = InfoFor(Version(kPlatformNT, 5, 0, 2195, "Service Pack 2"));
    EXPECT_EQ(FormatVersionText(nt.GetVersionNumbers()), "5.0   (Build : 2195)");
    EXPECT_EQ(nt.GetServicePack(), "Service Pack 2");

    // 9x: the build is the low 16 bits.
    CWindowsInfo me = InfoFor(Version(kPlatformWindows, 4, 90, 0x045A0BB8, " "));
    VersionNumbers v = me.GetVersionNumbers();
    EXPECT_EQ(v.major, 4);
    EXPECT_EQ(v.minor, 90);
    EXPECT_EQ(v.build, 3000);
    EXPECT_EQ(FormatVersionText(v), "4.90   (Build : 3000)");
    EXPECT_EQ(me.GetServicePack(), " ");  // copied unchanged

    // NT keeps all 32 bits, shown as a signed number.
    CWindowsInfo odd = InfoFor(Version(kPlatformNT, 6, 1, 0x80000001u));
    EXPECT_EQ(odd.GetVersionNumbers().build, static_cast<int32_t>(0x80000001u));
    EXPECT_EQ(FormatVersionText(odd.GetVersionNumbers()), "6.1   (Build : -2147483647)");

    EXPECT_EQ(InfoFor(Version(kPlatformNT, 5, 0, 2195, "")).GetServicePack(), "");
}

TEST(WindowsInfo, VersionAndMemoryAreSampledOnceAtConstruction)
{
    int memoryCalls = 0, versionCalls = 0;
    ScopedMemoryStatus m([&] {
        ++memoryCalls;
        return MemoryStatus{128 * kMb, 64 * kMb, 256 * kMb, 200 * kMb};
    });
    ScopedOsVersion v([&] {
        // The memory status is read first.
        EXPECT_EQ(memoryCalls, 1);
        ++versionCalls;
        return Version(kPlatformNT, 4, 0, 1381);
    });
    CWindowsInfo info;
    info.GetOsName();
    info.GetVersionNumbers();
    info.GetServicePack();
    info.GetTotalPhys();
    EXPECT_EQ(memoryCalls, 1);
    EXPECT_EQ(versionCalls, 1);
}

TEST(WindowsInfo, BootAndDebugModesAreAskedAtEachCall)
{
    CWindowsInfo info = InfoFor(Version(kPlatformNT, 5, 0, 2195));
    int cleanBoot = 0, debug = 0;
    ScopedSystemMetrics metrics([&](int index) {
        if (index == SM_CLEANBOOT) return cleanBoot;
        if (index == SM_DEBUG) return debug;
        ADD_FAILURE() << "unexpected metric " << index;
        return 0;
    });
    const std::map<int, std::string> modes{
        {0, "Normal"}, {1, "Fail-safe boot"}, {2, "Fail-safe with network boot"},
        {3, "Unkown"}, {-1, "Unkown"},        {1000, "Unkown"},
    };
    for (const auto& [value, text] : modes) {
        cleanBoot = value;
        EXPECT_EQ(info.GetBootMode(), text) << value;
    }
    for (int value : {1, -1, 2}) {
        debug = value;
        EXPECT_EQ(info.GetDebugMode(), "Yes");
    }
    debug = 0;
    EXPECT_EQ(info.GetDebugMode(), "No");
}

TEST(WindowsInfo, UptimeIsHoursMinutesSecondsWithoutDays)
{
    CWindowsInfo info = InfoFor(Version(kPlatformNT, 5, 0, 2195));
    auto uptimeAt = [&](uint32_t ms) {
        ScopedTickCount tick(ScriptedClock<uint32_t>{ms});
        return info.GetUptime();
    };
    EXPECT_EQ(uptimeAt(90061000u), "25 hour(s), 1 min(s), 1 sec(s)");
    EXPECT_EQ(uptimeAt(0), "0 hour(s), 0 min(s), 0 sec(s)");
    EXPECT_EQ(uptimeAt(999), "0 hour(s), 0 min(s), 0 sec(s)");  // parts are cut, not rounded
    EXPECT_EQ(uptimeAt(3599999), "0 hour(s), 59 min(s), 59 sec(s)");
    // The last reading before the wrap, about 49.7 days, and just after it: small again.
    EXPECT_EQ(uptimeAt(0xFFFFFFFFu), "1193 hour(s), 2 min(s), 47 sec(s)");
    EXPECT_EQ(uptimeAt(0xFFFFFFFFu + 5001u), "0 hour(s), 0 min(s), 5 sec(s)");

    // Read anew at each call.
    ScopedTickCount tick(SteppingClock(60000, 60000));
    EXPECT_EQ(info.GetUptime(), "0 hour(s), 1 min(s), 0 sec(s)");
    EXPECT_EQ(info.GetUptime(), "0 hour(s), 2 min(s), 0 sec(s)");
}

TEST(WindowsInfo, PhysicalMemoryShowsWholeMegabytesPlusOne)
{
    EXPECT_EQ(FormatPhysicalMemory(133677056), "128 Mb");  // 127.48 Mb: 127 + 1
    EXPECT_EQ(FormatPhysicalMemory(134217728), "129 Mb");  // exactly 128 Mb still gets its extra one
    EXPECT_EQ(FormatPhysicalMemory(0), "1 Mb");
    EXPECT_EQ(FormatPhysicalMemory(kMb - 1), "1 Mb");
    // Beyond 4 Gb the figure does not wrap.
    EXPECT_EQ(FormatPhysicalMemory(4096 * kMb), "4097 Mb");
    EXPECT_EQ(FormatPhysicalMemory(64ull * 1024 * kMb + 12345), "65537 Mb");
}

TEST(WindowsInfo, OtherFiguresShowTwoDecimalsWithHalvesRoundedUp)
{
    EXPECT_EQ(FormatMegabytes(131072), "0.13 Mb");  // exactly 0.125
    EXPECT_EQ(FormatMegabytes(0), "0.00 Mb");
    EXPECT_EQ(FormatMegabytes(kMb), "1.00 Mb");
    EXPECT_EQ(FormatMegabytes(kMb + 3 * 131072), "1.38 Mb");  // 1.375
    EXPECT_EQ(FormatMegabytes(kMb + 10485), "1.01 Mb");        // 1.00999..., not a half
    EXPECT_EQ(FormatMegabytes(0xFFFFFFFFull), "4096.00 Mb");   // 4095.999999 rounds up
    EXPECT_EQ(FormatMegabytes(6ull * 1024 * kMb + kMb / 2), "6144.50 Mb");
}

TEST(WindowsInfo, MemoryFiguresAndSumsStayRightAbove4Gb)
{
    // A 24 Gb machine with an 8 Gb swap: every 32-bit count and sum would wrap here.
    const MemoryStatus status{24ull * 1024 * kMb, 20ull * 1024 * kMb + 131072, 8ull * 1024 * kMb,
                              5ull * 1024 * kMb};
    CWindowsInfo info = InfoFor(Version(kPlatformNT, 6, 1, 0), status);
    EXPECT_EQ(info.GetTotalPhys(), status.totalPhys);
    EXPECT_EQ(info.GetAvailPhys(), status.availPhys);
    EXPECT_EQ(info.GetTotalPageFile(), status.totalPageFile);
    EXPECT_EQ(info.GetAvailPageFile(), status.availPageFile);
    EXPECT_EQ(info.GetTotalWindowsMemory(), 32ull * 1024 * kMb);
    EXPECT_EQ(info.GetAvailWindowsMemory(), 25ull * 1024 * kMb + 131072);

    EXPECT_EQ(FormatPhysicalMemory(info.GetTotalPhys()), "24577 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetAvailPhys()), "20480.13 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetTotalPageFile()), "8192.00 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetAvailPageFile()), "5120.00 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetTotalWindowsMemory()), "32768.00 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetAvailWindowsMemory()), "25600.13 Mb");
}

TEST(WindowsInfo, LiveSystemGivesTextsWithoutFakes)
{
    CWindowsInfo info;
    EXPECT_GT(info.GetTotalPhys(), 0u);
    EXPECT_GE(info.GetTotalWindowsMemory(), info.GetTotalPhys());
    EXPECT_FALSE(info.GetOsName().empty());
    EXPECT_NE(info.GetUptime().find(" hour(s), "), std::string::npos);
}
