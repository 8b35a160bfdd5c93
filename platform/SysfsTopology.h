#pragma once
// What the kernel says about the whole machine that no one processor's CPUID can: how many NUMA nodes
// there are, and how many separate instances of each cache (from each cache's list of sharers).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct CacheInstances {
    uint32_t level = 0;
    std::string type;  // as sysfs names it: "Data", "Instruction", "Unified"
    int count = 0;
    bool operator==(const CacheInstances&) const = default;
};

struct SysfsTopology {
    int numaNodes = 0;                   // 0: not told
    std::vector<CacheInstances> caches;  // by level, then type; empty: not told
};

// The processors a list such as "0-3,8,10-11" names; 0 for text that is no such list.
int CountCpuList(std::string_view list);

// From `root` (/sys/devices/system): node/online, and cpu/cpuN/cache/index*/{level,type,shared_cpu_list}
// of every online processor.
SysfsTopology LiveSysfsTopology(const std::string& root = "/sys/devices/system");

}  // namespace platform
