#pragma once
// A live hybrid machine from a recorded hybrid processor: processors 0 and 1 are performance cores, 2
// and above efficiency cores, and leaf 0x1A answers for the processor the calling thread was last
// pinned to, as a real one does, so a sweep that forgets to pin reads one type everywhere.
#include <string>
#include <vector>

#include "cpu/RecordedCpuid.h"
#include "platform/CpuidDump.h"
#include "tests/support/FakeMachine.h"

namespace platform {

// The processor the calling thread was last pinned to by a HybridMachine; -1 before any.
inline int& PinnedCpu()
{
    static thread_local int pinned = -1;
    return pinned;
}

inline Machine HybridMachine(const std::string& dumpPath, std::vector<LogicalCpu> cpus)
{
    Machine machine = cpu::WithRecordedCpuid(FakeMachine(), LoadCpuidDump(dumpPath));
    machine.cpuidRecorded = false;
    machine.allowedCpus = [cpus] { return cpus; };
    machine.pinThread = [](int cpu) { return PinnedCpu() = cpu, true; };
    const auto recorded = machine.cpuid;
    machine.cpuid = [recorded](uint32_t leaf, uint32_t sub) {
        CpuidRegs r = recorded(leaf, sub);
        if (leaf == 0x1A) r.eax = PinnedCpu() >= 2 ? 0x20000001 : 0x40000001;
        return r;
    };
    return machine;
}

}  // namespace platform
