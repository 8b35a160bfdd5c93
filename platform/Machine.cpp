#include "platform/Machine.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/Clocks.h"
#include "platform/MemoryBlock.h"

namespace platform {

Machine LiveMachine()
{
    Machine machine;
    machine.cpuid = &CpuidTag::Live;
    machine.readTsc = &TscTag::Live;
    machine.readXcr0 = &Xcr0Tag::Live;
    machine.timeGetTime = &MillisecondTimerTag::Live;
    machine.tickCount = &TickCountTag::Live;
    machine.calendarTime = &CalendarClockTag::Live;
    machine.monotonicSeconds = &MonotonicClockTag::Live;
    machine.memoryStatus = &MemoryStatusTag::Live;
    machine.cgroupLimits = &CgroupLimitsTag::Live;
    machine.osVersion = &OsVersionTag::Live;
    machine.systemMetrics = &SystemMetricsTag::Live;
    machine.machineFacts = &MachineFactsTag::Live;
    machine.allocate = [](size_t bytes) { return std::malloc(bytes); };
    machine.release = [](void* block) { std::free(block); };
    machine.mapMemory = &MemoryMapTag::Live;
    machine.allowedCpus = &AllowedCpusTag::Live;
    machine.pinThread = &PinThreadTag::Live;
    machine.startThread = [](std::function<void()> body) { return std::thread(std::move(body)); };
    return machine;
}

uint64_t FreeMemoryBytes(const Machine& machine)
{
    const uint64_t available = machine.memoryStatus().availPhys;
    return std::min(available, machine.cgroupLimits().memoryLeft.value_or(available));
}

}  // namespace platform
