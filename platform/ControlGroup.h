#pragma once
// The limits of the control groups this process runs in (cgroup v2, and v1's memory and cpu
// controllers): how much more memory they allow, and how many processors' worth of time. A container
// can allow far less than the machine has free; a run sized on the machine alone would be killed.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct CgroupLimits {
    // Bytes the group and each of its ancestors still allow (limit less usage), the least of them.
    std::optional<uint64_t> memoryLeft;
    // Processors' worth of time per period (quota / period), the least of the group and its ancestors.
    std::optional<double> cpuQuota;
    bool operator==(const CgroupLimits&) const = default;
};

// ---- The files' texts ----

// memory.max or memory.limit_in_bytes: the bytes, or nothing for "max" and for v1's "no limit" (a
// value of 2^62 or more) and for what is not a number.
std::optional<uint64_t> ParseMemoryLimit(std::string_view text);
// memory.current or memory.usage_in_bytes.
std::optional<uint64_t> ParseByteCount(std::string_view text);
// The page cache the kernel would drop before it kills: "inactive_file" of memory.stat (v1:
// "total_inactive_file", which counts the group's children too, where it is given).
uint64_t InactiveFileBytes(std::string_view memoryStat);
// cpu.max, "QUOTA PERIOD" in microseconds, or "max PERIOD".
std::optional<double> ParseCpuMax(std::string_view text);
// v1's cpu.cfs_quota_us (-1: none) and cpu.cfs_period_us.
std::optional<double> ParseCfsQuota(std::string_view quota, std::string_view period);

// The process's groups, from /proc/self/cgroup: v2's line "0::/path", v1's "N:memory:/path" and the
// line whose controllers include "cpu".
struct CgroupPaths {
    std::optional<std::string> unified, memory, cpu;
};
CgroupPaths ParseProcCgroup(std::string_view text);

// Where a hierarchy is mounted (point) and which of its groups that mount shows (root: "/" on a host,
// the container's own group where one was bind-mounted), from /proc/self/mountinfo.
struct CgroupMount {
    std::string root;
    std::string point;
};
struct CgroupMounts {
    std::optional<CgroupMount> unified, memory, cpu;
};
CgroupMounts ParseCgroupMounts(std::string_view mountinfo);

// The folders of `group` and of each of its ancestors down to the mount point, innermost first. A
// group that does not lie under the mount's root is looked for as it is, below the mount point.
std::vector<std::string> GroupFolders(const CgroupMount& mount, std::string_view group);

// The limits as the files that `read` gives tell them (nothing for a file that cannot be read).
using ReadTextFile = std::function<std::optional<std::string>(const std::string& path)>;
CgroupLimits ReadCgroupLimits(const ReadTextFile& read);

CgroupLimits LiveCgroupLimits();


}  // namespace platform
