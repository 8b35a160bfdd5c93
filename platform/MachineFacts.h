#pragma once
// The facts that tell one machine's results from another's in a fleet: the kernel release and the
// number of logical processors. Nothing that names the machine or its user.
#include <string>

#include "platform/Seam.h"

namespace platform {

struct MachineFacts {
    std::string kernelRelease;  // as `uname -r` prints it
    int logicalProcessors = 0;  // online
};

struct MachineFactsTag {
    static MachineFacts Live();
};
using MachineFactsSeam = Seam<MachineFactsTag, MachineFacts()>;
using ScopedMachineFacts = MachineFactsSeam::Scoped;

inline MachineFacts GetMachineFacts() { return MachineFactsSeam::Call(); }

}  // namespace platform
