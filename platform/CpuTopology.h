#pragma once
// The logical processors this process may run on, where they sit (package and core), and pinning a
// thread to one of them. Tests replace both for their scope with a made-up machine.
#include <vector>

#include "platform/Seam.h"

namespace platform {

struct LogicalCpu {
    int id = 0;       // the number the kernel gives it (cpuN)
    int package = 0;  // physical_package_id
    int core = 0;     // core_id, unique within its package
    bool operator==(const LogicalCpu&) const = default;
};

struct AllowedCpusTag {
    // The affinity mask of the process, in ascending order, with each processor's place from sysfs
    // (a processor whose place is not told counts as a core of its own).
    static std::vector<LogicalCpu> Live();
};
struct PinThreadTag {
    // Restricts the calling thread to the one logical processor; false when the system refuses.
    static bool Live(int cpu);
};

using AllowedCpusSeam = Seam<AllowedCpusTag, std::vector<LogicalCpu>()>;
using PinThreadSeam = Seam<PinThreadTag, bool(int)>;
using ScopedAllowedCpus = AllowedCpusSeam::Scoped;
using ScopedPinThread = PinThreadSeam::Scoped;

inline std::vector<LogicalCpu> AllowedCpus() { return AllowedCpusSeam::Call(); }
inline bool PinCurrentThread(int cpu) { return PinThreadSeam::Call(cpu); }

}  // namespace platform
