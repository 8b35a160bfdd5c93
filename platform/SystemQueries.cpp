#include "platform/SystemQueries.h"

#include <sys/utsname.h>

#include <charconv>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

std::string ReadWholeFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value of "Key:   1234 kB" in /proc/meminfo, in bytes; 0 when absent.
uint64_t MeminfoBytes(std::string_view text, std::string_view key)
{
    size_t at = 0;
    while ((at = text.find(key, at)) != std::string_view::npos) {
        bool lineStart = at == 0 || text[at - 1] == '\n';
        size_t colon = at + key.size();
        if (lineStart && colon < text.size() && text[colon] == ':') {
            size_t p = colon + 1;
            while (p < text.size() && text[p] == ' ') ++p;
            uint64_t kb = 0;
            std::from_chars(text.data() + p, text.data() + text.size(), kb);
            return kb * 1024;
        }
        at = colon;
    }
    return 0;
}

std::string_view Unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::string OsReleaseValue(std::string_view text, std::string_view key)
{
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == '=')
            return std::string(Unquote(std::string_view(line).substr(key.size() + 1)));
    }
    return {};
}

}  // namespace

MemoryStatus ParseMeminfo(std::string_view procMeminfo)
{
    MemoryStatus m;
    m.totalPhys = MeminfoBytes(procMeminfo, "MemTotal");
    m.availPhys = MeminfoBytes(procMeminfo, "MemAvailable");
    if (m.availPhys == 0) m.availPhys = MeminfoBytes(procMeminfo, "MemFree");
    m.totalPageFile = MeminfoBytes(procMeminfo, "SwapTotal");
    m.availPageFile = MeminfoBytes(procMeminfo, "SwapFree");
    return m;
}

void ParseKernelRelease(std::string_view release, OsVersionInfo& info)
{
    uint32_t* parts[] = {&info.majorVersion, &info.minorVersion, &info.buildNumber};
    const char* p = release.data();
    const char* end = release.data() + release.size();
    for (uint32_t* part : parts) {
        *part = 0;
        auto [next, ec] = std::from_chars(p, end, *part);
        if (ec != std::errc{}) {
            *part = 0;
            break;
        }
        p = next;
        if (p == end || *p != '.') break;
        ++p;
    }
}

std::string DistributionName(std::string_view osRelease)
{
    std::string name = OsReleaseValue(osRelease, "PRETTY_NAME");
    if (name.empty()) name = OsReleaseValue(osRelease, "NAME");
    return name.empty() ? "Linux" : name;
}

std::string ServicePackText(std::string_view distribution, std::string_view kernelRelease)
{
    std::string text(distribution);
    text += ", Linux ";
    text += kernelRelease;
    if (text.size() > 127) text.resize(127);
    return text;
}

int CleanBootFromCmdline(std::string_view cmdline)
{
    std::istringstream words{std::string(cmdline)};
    std::string word;
    while (words >> word) {
        if (word == "single" || word == "S" || word == "1" || word == "rescue" || word == "emergency" ||
            word == "systemd.unit=rescue.target" || word == "systemd.unit=emergency.target")
            return 1;
    }
    return 0;
}

MemoryStatus LiveMemoryStatus() { return ParseMeminfo(ReadWholeFile("/proc/meminfo")); }

OsVersionInfo LiveOsVersion()
{
    OsVersionInfo info;
    info.platformId = kPlatformNT;
    utsname uts{};
    std::string release;
    if (uname(&uts) == 0) release = uts.release;
    ParseKernelRelease(release, info);
    std::string osRelease = ReadWholeFile("/etc/os-release");
    if (osRelease.empty()) osRelease = ReadWholeFile("/usr/lib/os-release");
    info.csdVersion = ServicePackText(DistributionName(osRelease), release);
    return info;
}

int LiveSystemMetrics(int index)
{
    switch (index) {
    case SM_CLEANBOOT:
        return CleanBootFromCmdline(ReadWholeFile("/proc/cmdline"));
    default:
        // SM_DEBUG among them: a Linux kernel is never the debug build this metric asks about.
        return 0;
    }
}

}  // namespace platform
