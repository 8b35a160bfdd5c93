#include "sysinfo/WindowsInfo.h"

#include <array>
#include <utility>

#include "platform/TextFormat.h"

namespace sysinfo {

namespace {

constexpr std::array<std::pair<uint32_t, const char*>, 21> kNtBuilds{{
    {340, "Windows NT 3.1 (beta)"},
    {397, "Windows NT 3.1 (beta)"},
    {511, "Windows NT 3.1 (beta)"},
    {611, "Windows NT 3.5 beta 1"},
    {683, "Windows NT 3.5 beta 2"},
    {756, "Windows NT 3.5 RC 1"},
    {807, "Windows NT 3.5"},
    {944, "Windows NT 3.51 beta 1"},
    {1057, "Windows NT 3.51"},
    {1234, "Windows NT 4.0 beta 1"},
    {1314, "Windows NT 4.0 beta 2"},
    {1381, "Windows NT 4.0"},
    {1671, "Windows NT 5.0 beta 1"},
    {1877, "Windows NT 5.0 beta 2"},
    {1946, "Windows 2000 RC0 of Beta 3"},
    {2000, "Windows 2000 RC1 of Beta 3"},
    {2031, "Windows 2000 Beta 3"},
    {2072, "Windows 2000 RC1"},
    {2128, "Windows 2000 RC2"},
    {2183, "Windows 2000 RC3"},
    {2195, "Windows 2000"},
}};

std::string NineXName(const platform::OsVersionInfo& v)
{
    switch (v.buildNumber & 0xFFFF) {
    case 950: {
        // Only the very first character tells the OSR releases apart.
        char first = v.csdVersion.empty() ? '\0' : v.csdVersion[0];
        if (first == 'A') return "Windows'95 OSR 2";
        if (first == 'B') return "Windows'95 OSR 2.5";
        return "Windows'95";
    }
    case 1998:
        return "Windows'98";
    case 2222:
        return "Windows'98 SE ";
    default:
        return v.minorVersion >= 1 ? "Windows'98" : "Windows'95";
    }
}

std::string NtName(uint32_t build)
{
    for (const auto& [number, name] : kNtBuilds)
        if (number == build) return name;
    return "Unknown Windows NT";
}

}  // namespace

CWindowsInfo::CWindowsInfo(const platform::Machine& machine) : machine(machine)
{
    ReadMemoryStatus();
    versionInfo = machine.osVersion();
}

void CWindowsInfo::ReadMemoryStatus()
{
    platform::MemoryStatus status = machine.memoryStatus();
    totalPhys = status.totalPhys;
    availPhys = status.availPhys;
    totalPageFile = status.totalPageFile;
    availPageFile = status.availPageFile;
    totalWindowsMemory = totalPageFile + totalPhys;
    availWindowsMemory = availPageFile + availPhys;
}

VersionNumbers CWindowsInfo::GetVersionNumbers() const
{
    VersionNumbers v;
    v.major = static_cast<int32_t>(versionInfo.majorVersion);
    v.minor = static_cast<int32_t>(versionInfo.minorVersion);
    v.build = versionInfo.platformId == platform::kPlatformWindows
                  ? static_cast<int32_t>(versionInfo.buildNumber & 0xFFFF)
                  : static_cast<int32_t>(versionInfo.buildNumber);
    return v;
}

std::string CWindowsInfo::GetOsName() const
{
    return versionInfo.platformId == platform::kPlatformWindows ? NineXName(versionInfo)
                                                                : NtName(versionInfo.buildNumber);
}

std::string CWindowsInfo::GetServicePack() const { return versionInfo.csdVersion; }

std::string CWindowsInfo::GetBootMode() const
{
    switch (machine.systemMetrics(platform::SM_CLEANBOOT)) {
    case 0:
        return "Normal";
    case 1:
        return "Fail-safe boot";
    case 2:
        return "Fail-safe with network boot";
    default:
        // "Unkown" is the program's own spelling: keep it.
        return "Unkown";
    }
}

std::string CWindowsInfo::GetDebugMode() const
{
    return machine.systemMetrics(platform::SM_DEBUG) != 0 ? "Yes" : "No";
}

std::string CWindowsInfo::GetUptime() const
{
    uint32_t t = machine.tickCount();
    uint32_t hours = t / 3600000u;
    uint32_t minutes = (t % 3600000u) / 60000u;
    uint32_t seconds = (t % 60000u) / 1000u;
    return platform::TextFormat("%d hour(s), %d min(s), %d sec(s)", hours, minutes, seconds);
}

std::string FormatVersionText(const VersionNumbers& v)
{
    return platform::TextFormat("%d.%d   (Build : %d)", v.major, v.minor, v.build);
}

std::string FormatPhysicalMemory(uint64_t bytes)
{
    return platform::TextFormat("%d Mb", platform::WholeMegabytesPlusOne(bytes));
}

std::string FormatMegabytes(uint64_t bytes)
{
    return platform::TextFormat("%.2f Mb", static_cast<double>(bytes) * 9.5367431640625e-07);
}

}  // namespace sysinfo
