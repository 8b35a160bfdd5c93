#pragma once
// What the machine offers the program: the processor's instructions, the clocks, the system's
// queries, memory, the processors and their threads. Each main makes one (LiveMachine) and passes it
// by reference to whatever asks the machine something, so that a signature shows what it reads. A
// test makes one of fakes (tests/support/FakeMachine.h); a recorded CPUID dump is a machine whose
// cpuid answers from the dump.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "platform/ControlGroup.h"
#include "platform/CpuTopology.h"
#include "platform/Cpuid.h"
#include "platform/MachineFacts.h"
#include "platform/SystemQueries.h"
#include "platform/SysfsTopology.h"

namespace platform {

struct Machine {
    // ---- The processor ----
    // CPUID with EAX = leaf and ECX = subleaf.
    std::function<CpuidRegs(uint32_t leaf, uint32_t subleaf)> cpuid;
    // The full 64-bit time-stamp counter.
    std::function<uint64_t()> readTsc;
    // XCR0; ask only when CPUID leaf 1 reports OSXSAVE (XGETBV faults otherwise).
    std::function<uint64_t()> readXcr0;
    // The clock a recorded processor ran at, in MHz: set when cpuid answers from a dump, whose
    // processor is not the one that would be measured.
    std::optional<int> recordedClockMhz;
    // Set when cpuid answers from a recorded dump: the rest of the machine is then not that processor's.
    bool cpuidRecorded = false;

    // ---- The clocks ----
    // Milliseconds from a monotonic source, unsigned 32-bit, wrapping modulo 2^32 (timeGetTime).
    std::function<uint32_t()> timeGetTime;
    // Milliseconds since the system started, wrapping modulo 2^32 (GetTickCount).
    std::function<uint32_t()> tickCount;
    // The calendar clock in whole seconds, as the C library's time().
    std::function<std::time_t()> calendarTime;
    // Seconds from a monotonic source with nanosecond resolution; only differences mean anything.
    std::function<double()> monotonicSeconds;

    // ---- The system ----
    std::function<MemoryStatus()> memoryStatus;
    std::function<CgroupLimits()> cgroupLimits;
    std::function<OsVersionInfo()> osVersion;
    std::function<int(int index)> systemMetrics;
    std::function<MachineFacts()> machineFacts;
    // The NUMA nodes and the instances of each cache, as the kernel counts them.
    std::function<SysfsTopology()> sysfsTopology;

    // ---- Memory ----
    // A block from the heap, as the cache benchmark takes its blocks; nullptr when there is none.
    std::function<void*(size_t bytes)> allocate;
    std::function<void(void* block)> release;
    // `length` bytes of zeroed anonymous memory on a page boundary, given back with munmap; nullptr
    // when the system refuses (CMemoryBlock maps through it).
    std::function<void*(size_t length)> mapMemory;

    // ---- Processors and threads ----
    // The processors this process may run on, ascending, with their package and core.
    std::function<std::vector<LogicalCpu>()> allowedCpus;
    // Restricts the calling thread to one logical processor; false when the system refuses.
    std::function<bool(int cpu)> pinThread;
    // Starts a thread running `body`; throws std::system_error when the system refuses one.
    std::function<std::thread(std::function<void()> body)> startThread;

    CpuidRegs Cpuid(uint32_t leaf, uint32_t subleaf = 0) const { return cpuid(leaf, subleaf); }
};

// The machine the program runs on.
Machine LiveMachine();

// The memory a run may count on: the least of what the kernel says is available and what the control
// groups still allow.
uint64_t FreeMemoryBytes(const Machine& machine);

}  // namespace platform
