#pragma once
// A machine of fakes for tests: every answer is fixed or steps, so that nothing a test checks depends
// on the machine running it. A test changes the members it is about (a recorded CPUID dump, a clock
// that wraps, memory the system refuses) and passes the machine by reference like the live one.
#include <cstdlib>
#include <thread>
#include <utility>

#include "bench/BenchContext.h"
#include "platform/Machine.h"
#include "tests/support/FakeClocks.h"

namespace platform {

// Two cores of one package (one NUMA node, a shared L3), 8 Gb free of 16, no control-group limit, a kernel 6.1; CPUID answers
// zeros (no processor: a test that needs one gives a dump), the clocks step (the time-stamp counter
// 200 million counts per millisecond read, so a measured clock comes out as a round number), and
// memory and threads are real, since kernels run on them.
inline Machine FakeMachine()
{
    Machine machine;
    machine.cpuid = [](uint32_t, uint32_t) { return CpuidRegs{}; };
    machine.readTsc = SteppingTsc(1'000'000, 200'000'000);
    machine.readXcr0 = [] { return uint64_t{0}; };
    machine.timeGetTime = SteppingClock(5000, 250);
    machine.tickCount = SteppingClock(3'600'000, 1);
    machine.calendarTime = [] { return std::time_t{1'700'000'000}; };
    machine.monotonicSeconds = [t = 100.0]() mutable { return t += 0.001; };
    machine.memoryStatus = [] {
        MemoryStatus status;
        status.totalPhys = uint64_t{16} << 30;
        status.availPhys = uint64_t{8} << 30;
        status.totalPageFile = uint64_t{2} << 30;
        status.availPageFile = uint64_t{2} << 30;
        return status;
    };
    machine.cgroupLimits = [] { return CgroupLimits{}; };
    machine.osVersion = [] {
        OsVersionInfo info;
        info.majorVersion = 6;
        info.minorVersion = 1;
        info.platformId = kPlatformNT;
        info.csdVersion = "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64";
        return info;
    };
    machine.systemMetrics = [](int) { return 0; };
    machine.machineFacts = [] { return MachineFacts{"6.1.0-18-amd64", 2}; };
    machine.sysfsTopology = [] { return SysfsTopology{1, {{1, "Data", 2}, {1, "Instruction", 2}, {2, "Unified", 2}, {3, "Unified", 1}}}; };
    machine.allocate = [](size_t bytes) { return std::malloc(bytes); };
    machine.release = [](void* block) { std::free(block); };
    machine.mapMemory = LiveMachine().mapMemory;
    machine.allowedCpus = [] { return std::vector<LogicalCpu>{{0, 0, 0}, {1, 0, 1}}; };
    machine.pinThread = [](int) { return true; };
    machine.startThread = [](std::function<void()> body) { return std::thread(std::move(body)); };
    return machine;
}

}  // namespace platform

namespace bench {

// The fake machine with the real suites; tests replace the suites they run.
inline bench::Context FakeContext() { return bench::Context{platform::FakeMachine(), LiveSuites()}; }

}  // namespace bench
