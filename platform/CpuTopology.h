#pragma once
// The logical processors this process may run on, where each sits (package and core), and pinning a
// thread to one of them. Tests replace both for their scope with a made-up machine.
#include <vector>

#include "platform/Seam.h"

namespace platform {

struct LogicalCpu {
    int id = 0;       // the kernel's number for it (cpuN)
    int package = 0;  // physical_package_id
    int core = 0;     // core_id, unique within its package
    bool operator==(const LogicalCpu&) const = default;
};

struct AllowedCpusTag {
    // The process's affinity mask in ascending order, each processor placed from sysfs; one whose
    // place is not told counts as a core of its own.
    static std::vector<LogicalCpu> Live();
};
struct PinThreadTag {
    // Keeps the calling thread on that one logical processor; false when the system refuses.
    static bool Live(int cpu);
};

using AllowedCpusSeam = Seam<AllowedCpusTag, std::vector<LogicalCpu>()>;
using PinThreadSeam = Seam<PinThreadTag, bool(int)>;
using ScopedAllowedCpus = AllowedCpusSeam::Scoped;
using ScopedPinThread = PinThreadSeam::Scoped;

inline std::vector<LogicalCpu> AllowedCpus() { return AllowedCpusSeam::Call(); }
inline bool PinCurrentThread(int cpu) { return PinThreadSeam::Call(cpu); }

}  // namespace platform
