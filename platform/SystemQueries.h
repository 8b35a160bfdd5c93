#pragma once
// System queries: memory status, the operating-system version and two system metrics.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Bytes. 64-bit: today's machines have more than 4 GB.
struct MemoryStatus {
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    uint64_t totalPageFile = 0;
    uint64_t availPageFile = 0;
};

constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatformWindows = 1;  // the 9x family
constexpr uint32_t kPlatformNT = 2;

// The shape of the version record the program reads.
struct OsVersionInfo {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    std::string csdVersion;  // at most 127 characters
};

constexpr int SM_DEBUG = 22;
constexpr int SM_CLEANBOOT = 67;

MemoryStatus LiveMemoryStatus();

// How the program shows an amount of memory in whole megabytes: one more than the whole megabytes,
// also when the amount is an exact number of them (128 Mb shows as 129). Held to the largest int,
// as the texts print it with %d.
inline int32_t WholeMegabytesPlusOne(uint64_t bytes)
{
    constexpr uint64_t kLargest = 0x7FFFFFFF;
    const uint64_t mb = (bytes >> 20) + 1;
    return static_cast<int32_t>(mb > kLargest ? kLargest : mb);
}
OsVersionInfo LiveOsVersion();
int LiveSystemMetrics(int index);

// The pure parts of the live queries, testable on recorded system files.
MemoryStatus ParseMeminfo(std::string_view procMeminfo);
// "6.18.44-xyz" gives 6, 18, 44; missing numbers are 0.
void ParseKernelRelease(std::string_view release, OsVersionInfo& info);
// The PRETTY_NAME of os-release, or NAME, or "Linux".
std::string DistributionName(std::string_view osRelease);
// "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64", cut to 127 characters.
std::string ServicePackText(std::string_view distribution, std::string_view kernelRelease);
// The boot mode told by the kernel command line: 1 for a rescue or single-user boot, else 0.
int CleanBootFromCmdline(std::string_view cmdline);

}  // namespace platform
