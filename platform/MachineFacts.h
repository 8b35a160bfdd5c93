#pragma once
// The facts that tell one machine's results from another's in a fleet: the kernel release and the
// number of logical processors. Nothing that names the machine or its user.
#include <string>

namespace platform {

struct MachineFacts {
    std::string kernelRelease;  // as `uname -r` prints it
    int logicalProcessors = 0;  // online
};

MachineFacts LiveMachineFacts();

}  // namespace platform
