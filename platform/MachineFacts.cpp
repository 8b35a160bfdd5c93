#include "platform/MachineFacts.h"

#include <sys/utsname.h>
#include <unistd.h>

namespace platform {

MachineFacts LiveMachineFacts()
{
    MachineFacts facts;
    utsname uts{};
    if (uname(&uts) == 0) facts.kernelRelease = uts.release;
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    facts.logicalProcessors = online > 0 ? static_cast<int>(online) : 0;
    return facts;
}

}  // namespace platform
