#pragma once
// For code not yet handed a machine by its caller: a machine whose processor, clock and system
// answers come from the process-wide seams, as that code's answers did. Goes when the seams go.
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/Machine.h"
#include "platform/SystemQueries.h"

namespace platform {

inline Machine SeamMachine()
{
    Machine machine = LiveMachine();
    machine.cpuid = [](uint32_t leaf, uint32_t subleaf) { return Cpuid(leaf, subleaf); };
    machine.readTsc = [] { return ReadTsc(); };
    machine.readXcr0 = [] { return ReadXcr0(); };
    machine.timeGetTime = [] { return timeGetTime(); };
    machine.tickCount = [] { return GetTickCount(); };
    machine.calendarTime = [] { return CalendarTime(); };
    machine.monotonicSeconds = [] { return MonotonicSeconds(); };
    machine.memoryStatus = [] { return GlobalMemoryStatus(); };
    machine.osVersion = [] { return GetVersionEx(); };
    machine.systemMetrics = [](int index) { return GetSystemMetrics(index); };
    return machine;
}

}  // namespace platform
