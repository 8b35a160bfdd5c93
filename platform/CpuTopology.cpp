#include "platform/CpuTopology.h"

#include <sched.h>

#include <fstream>
#include <string>

namespace platform {

namespace {

int TopologyValue(int cpu, const char* name, int fallback)
{
    std::ifstream file("/sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/topology/" + name);
    int value = 0;
    return file >> value ? value : fallback;
}

}  // namespace

std::vector<LogicalCpu> LiveAllowedCpus()
{
    std::vector<LogicalCpu> cpus;
    // The mask is as large as the kernel's own: grow the set until the kernel takes it.
    for (int size = 1024; size <= (1 << 20); size *= 2) {
        cpu_set_t* set = CPU_ALLOC(size);
        const size_t bytes = CPU_ALLOC_SIZE(size);
        if (set == nullptr) break;
        CPU_ZERO_S(bytes, set);
        if (sched_getaffinity(0, bytes, set) == 0) {
            for (int cpu = 0; cpu < size; ++cpu)
                if (CPU_ISSET_S(cpu, bytes, set))
                    cpus.push_back({cpu, TopologyValue(cpu, "physical_package_id", 0),
                                    TopologyValue(cpu, "core_id", -1 - cpu)});
            CPU_FREE(set);
            break;
        }
        CPU_FREE(set);
    }
    return cpus;
}

bool LivePinThread(int cpu)
{
    if (cpu < 0) return false;
    cpu_set_t* set = CPU_ALLOC(cpu + 1);
    if (set == nullptr) return false;
    const size_t bytes = CPU_ALLOC_SIZE(cpu + 1);
    CPU_ZERO_S(bytes, set);
    CPU_SET_S(cpu, bytes, set);
    // pid 0 is the calling thread.
    const bool pinned = sched_setaffinity(0, bytes, set) == 0;
    CPU_FREE(set);
    return pinned;
}

}  // namespace platform
