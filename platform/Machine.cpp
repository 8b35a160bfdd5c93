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
    machine.cpuid = &LiveCpuid;
    machine.readTsc = &LiveTsc;
    machine.readXcr0 = &LiveXcr0;
    machine.timeGetTime = &LiveMillisecondTimer;
    machine.tickCount = &LiveTickCount;
    machine.calendarTime = &LiveCalendarClock;
    machine.monotonicSeconds = &LiveMonotonicClock;
    machine.memoryStatus = &LiveMemoryStatus;
    machine.cgroupLimits = &LiveCgroupLimits;
    machine.osVersion = &LiveOsVersion;
    machine.systemMetrics = &LiveSystemMetrics;
    machine.machineFacts = &LiveMachineFacts;
    machine.sysfsTopology = [] { return LiveSysfsTopology(); };
    machine.allocate = [](size_t bytes) { return std::malloc(bytes); };
    machine.release = [](void* block) { std::free(block); };
    machine.mapMemory = &LiveMemoryMap;
    machine.allowedCpus = &LiveAllowedCpus;
    machine.pinThread = &LivePinThread;
    machine.startThread = [](std::function<void()> body) { return std::thread(std::move(body)); };
    return machine;
}

uint64_t FreeMemoryBytes(const Machine& machine)
{
    const uint64_t available = machine.memoryStatus().availPhys;
    return std::min(available, machine.cgroupLimits().memoryLeft.value_or(available));
}

}  // namespace platform
