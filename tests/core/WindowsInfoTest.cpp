#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/FakeMachine.h"
#include "tests/support/Golden.h"
#include "sysinfo/WindowsInfo.h"

using namespace sysinfo;

using namespace platform;

namespace {

constexpr uint64_t kMb = 1048576;

// A faked system of this version and memory; CWindowsInfo samples both as it is made.
Machine System(uint32_t platformId, uint32_t minor, uint32_t build, std::string csd = "", MemoryStatus memory = {})
{
    Machine machine = FakeMachine();
    machine.osVersion = [=] { return OsVersionInfo{4, minor, build, platformId, csd}; };
    machine.memoryStatus = [=] { return memory; };
    return machine;
}

}  // namespace

TEST(WindowsInfo, NineXNamesComeFromTheLowWordOfTheBuildAndTheFirstServicePackCharacter)
{
    const std::tuple<uint32_t, uint32_t, const char*, const char*> cases[] = {
        {0, 0x040003B6, "B", "Windows'95 OSR 2.5"}, {0, 950, " A", "Windows'95"}, {10, 0x040A08AE, " A ", "Windows'98 SE "},
        {0, 1111, "", "Windows'95"}, {1, 3000, "", "Windows'98"}};  // the last two not in the table: by minor version
    for (const auto& [minor, build, csd, name] : cases)
        EXPECT_EQ(CWindowsInfo(System(kPlatformWindows, minor, build, csd)).GetOsName(), name);
}

TEST(WindowsInfo, NtNamesComeFromTheWholeBuildNumber)
{
    // Every build up to past the last entry, as the builds where the name changes: an entry no machine
    // reaches is still checked, by the golden file's diff.
    std::string names, last;
    for (uint32_t build = 0; build <= 2300; ++build)
        if (std::string name = CWindowsInfo(System(kPlatformNT, 0, build)).GetOsName(); name != last)
            names += std::to_string(build) + ": " + (last = name) + "\n";
    ExpectGolden("golden/nt-names.txt", names);
    EXPECT_EQ(CWindowsInfo(System(kPlatformNT, 0, 0x10000u + 2195u)).GetOsName(), "Unknown Windows NT");
    EXPECT_EQ(FormatVersionText(CWindowsInfo(System(kPlatformWindows, 90, 0x045A0BB8)).GetVersionNumbers()), "4.90   (Build : 3000)");
    EXPECT_EQ(FormatVersionText(CWindowsInfo(System(kPlatformNT, 1, 0x80000001u)).GetVersionNumbers()), "4.1   (Build : -2147483647)");
}

TEST(WindowsInfo, BootModeDebugModeUptimeAndMemoryTexts)
{
    Machine machine = System(kPlatformNT, 0, 2195);
    int metric = 0;
    machine.systemMetrics = [&](int) { return metric; };
    const CWindowsInfo info(machine);
    const std::pair<int, const char*> modes[] = {{0, "Normal"}, {2, "Fail-safe with network boot"}, {3, "Unkown"}, {-1, "Unkown"}};
    for (const auto& [value, text] : modes) {
        metric = value;
        EXPECT_EQ(info.GetBootMode(), text) << value;
        EXPECT_EQ(info.GetDebugMode(), value ? "Yes" : "No");
    }
    const std::pair<uint32_t, const char*> uptimes[] = {
        {90061000u, "25 hour(s), 1 min(s), 1 sec(s)"},  // no days
        {3599999, "0 hour(s), 59 min(s), 59 sec(s)"},   // cut, not rounded
        {0xFFFFFFFFu, "1193 hour(s), 2 min(s), 47 sec(s)"},
    };
    for (const auto& [ms, text] : uptimes) {
        machine.tickCount = ScriptedClock<uint32_t>{ms};
        EXPECT_EQ(info.GetUptime(), text) << ms;
    }
    // Physical memory is whole megabytes plus one, the other figures round halves up; no sum wraps above 4 Gb.
    EXPECT_EQ(FormatPhysicalMemory(134217728), "129 Mb");  // exactly 128 Mb still gets its extra one
    EXPECT_EQ(FormatMegabytes(131072), "0.13 Mb");       // exactly 0.125
    EXPECT_EQ(FormatMegabytes(0xFFFFFFFFull), "4096.00 Mb");
    const MemoryStatus status{24ull * 1024 * kMb, 20ull * 1024 * kMb + 131072, 8ull * 1024 * kMb, 5ull * 1024 * kMb};
    const Machine bigMachine = System(kPlatformNT, 1, 0, "", status);
    const CWindowsInfo big(bigMachine);
    EXPECT_EQ(FormatPhysicalMemory(big.GetTotalPhys()), "24577 Mb");
    EXPECT_EQ(FormatMegabytes(big.GetTotalWindowsMemory()), "32768.00 Mb");
    EXPECT_EQ(FormatMegabytes(big.GetAvailWindowsMemory()), "25600.13 Mb");
}
