#pragma once
// The logical processors this process may run on, where they sit (package and core), and pinning a
// thread to one of them, as the machine (platform/Machine.h) offers them; tests give it a made-up layout.
#include <vector>

namespace platform {

struct LogicalCpu {
    int id = 0;       // the number the kernel gives it (cpuN)
    int package = 0;  // physical_package_id
    int core = 0;     // core_id, unique within its package
    bool operator==(const LogicalCpu&) const = default;
};

// The affinity mask of the process, in ascending order, with each processor's place from sysfs
// (a processor whose place is not told counts as a core of its own).
// Restricts the calling thread to the one logical processor; false when the system refuses.

std::vector<LogicalCpu> LiveAllowedCpus();
bool LivePinThread(int cpu);

}  // namespace platform
