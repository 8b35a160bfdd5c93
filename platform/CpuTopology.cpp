#include "platform/CpuTopology.h"

#include <pthread.h>
#include <sched.h>

#include <fstream>
#include <string>

namespace platform {

namespace {

// A number of /sys/devices/system/cpu/cpuN/topology, or `fallback` when the kernel does not tell it.
int TopologyNumber(int cpu, const char* name, int fallback)
{
    std::ifstream in("/sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/topology/" + name);
    int value = fallback;
    return in >> value && value >= 0 ? value : fallback;
}

}  // namespace

std::vector<LogicalCpu> AllowedCpusTag::Live()
{
    std::vector<LogicalCpu> cpus;
    cpu_set_t mask;
    CPU_ZERO(&mask);
    if (::sched_getaffinity(0, sizeof mask, &mask) != 0) return cpus;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &mask))
            cpus.push_back({cpu, TopologyNumber(cpu, "physical_package_id", 0), TopologyNumber(cpu, "core_id", -1 - cpu)});
    return cpus;
}

bool PinThreadTag::Live(int cpu)
{
    if (cpu < 0 || cpu >= CPU_SETSIZE) return false;
    cpu_set_t mask;
    CPU_ZERO(&mask);
    CPU_SET(cpu, &mask);
    return ::pthread_setaffinity_np(::pthread_self(), sizeof mask, &mask) == 0;
}

}  // namespace platform
