#include <gtest/gtest.h>

#include "platform/Clocks.h"
#include "platform/SystemInfo.h"
#include "winfo/WindowsInfo.h"

using namespace platform;

namespace {

constexpr uint64_t kMb = 1048576;

OsVersionInfo Version(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build, std::string csd = "")
{
    OsVersionInfo v;
    v.platformId = platformId, v.majorVersion = major, v.minorVersion = minor, v.buildNumber = build;
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
    struct Case {
        uint32_t minor, build;
        const char* csd;
        const char* name;
    } cases[] = {
        // 950, 1998 and 2222 in the low word; only the first service pack character counts.
        {0, 0x040003B6, "", "Windows'95"},   {0, 0x040003B6, "A", "Windows'95 OSR 2"},
        {0, 0x040003B6, "B", "Windows'95 OSR 2.5"}, {0, 950, " A", "Windows'95"},
        {0, 950, "C", "Windows'95"},         {10, 0x040A07CE, "", "Windows'98"},
        {10, 0x040A08AE, " A ", "Windows'98 SE "},
        // Builds outside the table fall to the minor version.
        {0, 1111, "", "Windows'95"},         {90, 3000, "", "Windows'98"},  {1, 3000, "", "Windows'98"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OsName(Version(kPlatformWindows, 4, c.minor, c.build, c.csd)), c.name) << c.build << c.csd;
}

TEST(WindowsInfo, NtNamesComeFromTheWholeBuildNumberAlone)
{
    const std::pair<uint32_t, const char*> table[]{
        {340, "Windows NT 3.1 (beta)"}, {397, "Windows NT 3.1 (beta)"}, {511, "Windows NT 3.1 (beta)"},
        {611, "Windows NT 3.5 beta 1"}, {683, "Windows NT 3.5 beta 2"}, {756, "Windows NT 3.5 RC 1"},
        {807, "Windows NT 3.5"},        {944, "Windows NT 3.51 beta 1"}, {1057, "Windows NT 3.51"},
        {1234, "Windows NT 4.0 beta 1"}, {1314, "Windows NT 4.0 beta 2"}, {1381, "Windows NT 4.0"},
        {1671, "Windows NT 5.0 beta 1"}, {1877, "Windows NT 5.0 beta 2"},
        {1946, "Windows 2000 RC0 of Beta 3"}, {2000, "Windows 2000 RC1 of Beta 3"},
        {2031, "Windows 2000 Beta 3"},  {2072, "Windows 2000 RC1"},     {2128, "Windows 2000 RC2"},
        {2183, "Windows 2000 RC3"},     {2195, "Windows 2000"},
    };
    // The version numbers are not consulted, and any platform id other than 1 uses this table.
    for (const auto& [build, name] : table)
        for (uint32_t platformId : {kPlatformNT, kPlatformWin32s, 7u})
            EXPECT_EQ(OsName(Version(platformId, 9, 9, build)), name) << build;
    // A 9x build number with its high word is not read as 950 on NT.
    for (uint32_t other : {0u, 950u, 1998u, 2222u, 2196u, 2600u, 0x000103B6u, 0x10000u + 2195u, 0xFFFFFFFFu})
        EXPECT_EQ(OsName(Version(kPlatformNT, 5, 1, other)), "Unknown Windows NT") << other;
}

TEST(WindowsInfo, VersionTextAndServicePack)
{
    CWindowsInfo nt = InfoFor(Version(kPlatformNT, 5, 0, 2195, "Service Pack 2"));
    EXPECT_EQ(FormatVersionText(nt.GetVersionNumbers()), "5.0   (Build : 2195)");
    EXPECT_EQ(nt.GetServicePack(), "Service Pack 2");

    // 9x: the build is the low 16 bits; the service pack text is copied unchanged.
    CWindowsInfo me = InfoFor(Version(kPlatformWindows, 4, 90, 0x045A0BB8, " "));
    EXPECT_EQ(FormatVersionText(me.GetVersionNumbers()), "4.90   (Build : 3000)");
    EXPECT_EQ(me.GetServicePack(), " ");

    // NT keeps all 32 bits, shown as a signed number.
    CWindowsInfo odd = InfoFor(Version(kPlatformNT, 6, 1, 0x80000001u));
    EXPECT_EQ(FormatVersionText(odd.GetVersionNumbers()), "6.1   (Build : -2147483647)");
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
    const std::pair<int, const char*> modes[]{
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
    const std::pair<uint32_t, const char*> cases[]{
        {90061000u, "25 hour(s), 1 min(s), 1 sec(s)"}, {0, "0 hour(s), 0 min(s), 0 sec(s)"},
        {999, "0 hour(s), 0 min(s), 0 sec(s)"},  // parts are cut, not rounded
        {3599999, "0 hour(s), 59 min(s), 59 sec(s)"},
        // The last reading before the wrap, about 49.7 days, and just after it: small again.
        {0xFFFFFFFFu, "1193 hour(s), 2 min(s), 47 sec(s)"},
        {0xFFFFFFFFu + 5001u, "0 hour(s), 0 min(s), 5 sec(s)"},
    };
    for (const auto& [ms, text] : cases) {
        ScopedTickCount tick(ScriptedClock<uint32_t>{ms});
        EXPECT_EQ(info.GetUptime(), text) << ms;
    }
    ScopedTickCount tick(SteppingClock(60000, 60000));  // read anew at each call
    EXPECT_EQ(info.GetUptime(), "0 hour(s), 1 min(s), 0 sec(s)");
    EXPECT_EQ(info.GetUptime(), "0 hour(s), 2 min(s), 0 sec(s)");
}

TEST(WindowsInfo, PhysicalMemoryIsWholeMegabytesPlusOneAndOthersRoundHalvesUp)
{
    const std::pair<uint64_t, const char*> physical[]{
        {133677056, "128 Mb"},  // 127.48 Mb: 127 + 1
        {134217728, "129 Mb"},  // exactly 128 Mb still gets its extra one
        {0, "1 Mb"}, {kMb - 1, "1 Mb"},
        {4096 * kMb, "4097 Mb"}, {64ull * 1024 * kMb + 12345, "65537 Mb"},  // no wrap beyond 4 Gb
    };
    for (const auto& [bytes, text] : physical) EXPECT_EQ(FormatPhysicalMemory(bytes), text) << bytes;

    const std::pair<uint64_t, const char*> others[]{
        {131072, "0.13 Mb"},  // exactly 0.125
        {0, "0.00 Mb"}, {kMb + 3 * 131072, "1.38 Mb"},  // 1.375
        {kMb + 10485, "1.01 Mb"},       // 1.00999..., not a half
        {0xFFFFFFFFull, "4096.00 Mb"},  // 4095.999999 rounds up
        {6ull * 1024 * kMb + kMb / 2, "6144.50 Mb"},
    };
    for (const auto& [bytes, text] : others) EXPECT_EQ(FormatMegabytes(bytes), text) << bytes;
}

TEST(WindowsInfo, MemorySumsStayRightAbove4Gb)
{
    // A 24 Gb machine with an 8 Gb swap: every 32-bit count and sum would wrap here.
    const MemoryStatus status{24ull * 1024 * kMb, 20ull * 1024 * kMb + 131072, 8ull * 1024 * kMb,
                              5ull * 1024 * kMb};
    CWindowsInfo info = InfoFor(Version(kPlatformNT, 6, 1, 0), status);
    EXPECT_EQ(FormatPhysicalMemory(info.GetTotalPhys()), "24577 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetAvailPageFile()), "5120.00 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetTotalWindowsMemory()), "32768.00 Mb");
    EXPECT_EQ(FormatMegabytes(info.GetAvailWindowsMemory()), "25600.13 Mb");
}

TEST(WindowsInfo, LiveSystemGivesTexts)
{
    CWindowsInfo info;
    EXPECT_GT(info.GetTotalPhys(), 0u);
    EXPECT_GE(info.GetTotalWindowsMemory(), info.GetTotalPhys());
    EXPECT_FALSE(info.GetOsName().empty());
}
