#pragma once
// What the program reports about the running system: memory figures, version, product name,
// service-pack text, boot mode, debug flag and uptime, each turned into the text the page shows.
// The memory figures and the version are sampled once, at construction; boot mode, debug flag and
// uptime are asked of the system each time their text is asked for. The machine is kept, and must
// outlive the object.
#include <cstdint>
#include <string>

#include "platform/Machine.h"
#include "platform/SystemQueries.h"

namespace sysinfo {

struct VersionNumbers {
    int32_t major = 0;
    int32_t minor = 0;
    int32_t build = 0;
};

class CWindowsInfo {
public:
    explicit CWindowsInfo(const platform::Machine& machine);

    // Samples the memory status and stores the six figures.
    void ReadMemoryStatus();

    // On the 9x platform the build is only the low 16 bits of the build number (the high word
    // holds the version there).
    VersionNumbers GetVersionNumbers() const;
    std::string GetOsName() const;
    std::string GetServicePack() const;
    std::string GetBootMode() const;
    std::string GetDebugMode() const;
    std::string GetUptime() const;

    // Bytes. 64-bit: a 32-bit count wraps on any machine with 4 Gb or more.
    uint64_t GetTotalPhys() const { return totalPhys; }
    uint64_t GetAvailPhys() const { return availPhys; }
    uint64_t GetTotalPageFile() const { return totalPageFile; }
    uint64_t GetAvailPageFile() const { return availPageFile; }
    uint64_t GetTotalWindowsMemory() const { return totalWindowsMemory; }
    uint64_t GetAvailWindowsMemory() const { return availWindowsMemory; }

private:
    const platform::Machine& machine;
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    uint64_t totalPageFile = 0;
    uint64_t availPageFile = 0;
    uint64_t totalWindowsMemory = 0;  // page file + physical
    uint64_t availWindowsMemory = 0;
    platform::OsVersionInfo versionInfo;
};

// "5.0   (Build : 2195)".
std::string FormatVersionText(const VersionNumbers& v);
// The whole megabytes plus one: 128 Mb reported to the byte shows "129 Mb", as it always has.
std::string FormatPhysicalMemory(uint64_t bytes);
// Megabytes with two decimals, halves rounded up: 131,072 bytes shows "0.13 Mb".
std::string FormatMegabytes(uint64_t bytes);

}  // namespace sysinfo
