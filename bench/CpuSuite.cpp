#include "bench/CpuSuite.h"

#include <memory>
#include <utility>

#include "bench/BenchFailure.h"
#include "bench/CPUBench.h"
#include "bench/Dhrystone.h"

namespace bench {

CpuResults RunCpuSuiteWith(const CpuKernels& kernels, const CpuSuiteCallbacks& callbacks, BenchFailure* failure)
{
    CpuResults results;
    int group = 0;
    auto report = [&](int index, uint32_t value) {
        results.values[index] = value;
        if (callbacks.onResult) callbacks.onResult(index, value);
        if (index == kCpuGroupLastIndex[group]) {
            if (callbacks.onGroupEnd) callbacks.onGroupEnd(group);
            ++group;
        }
    };
    for (int index = 0; index < kCpuMeasurements; ++index) {
        const uint32_t value = kernels[index]();
        if (failure) ReportBenchFailure(callbacks.onFailure, std::exchange(*failure, BenchFailure::None));
        report(index, value);
    }
    uint32_t total = 0;
    for (int index = 0; index < CpuResults::kDhrystone; ++index) total += results.values[index];
    report(CpuResults::kTotal, total);
    return results;
}

CpuKernels FixedCpuKernels(const CpuResults& values)
{
    CpuKernels kernels;
    for (int index = 0; index < kCpuMeasurements; ++index) {
        const uint32_t value = values.values[index];
        kernels[index] = [value] { return value; };
    }
    return kernels;
}

CpuKernels LiveCpuKernels(const platform::Machine& machine, CCPUBench& cpu, BenchFailure& failure)
{
    return {
        [&] { return cpu.TimeAddition(); },
        [&] { return cpu.TimeSubtraction(); },
        [&] { return cpu.TimeMultiplication(); },
        [&] { return cpu.TimeDivision(); },
        [&] { return cpu.TimeMov(); },
        [&] { return cpu.TimeString(); },
        [&] { return cpu.TimeCall0(); },
        [&] { return cpu.TimeCall1(); },
        [&] { return cpu.TimeCall2(); },
        [&] { return cpu.TimeCall3(); },
        [&] { return cpu.TimeCall4(); },
        [&] { return cpu.TimeFibonacci(); },
        [&] { return cpu.TimeEuclid(); },
        [&machine, &failure] {
            // About 10 Kb of arrays: on the heap, and only for the one run.
            auto dhrystone = std::make_unique<CDhrystone>(machine);
            const uint32_t rating = dhrystone->RunDhrystone();
            failure = dhrystone->Failure();
            return rating;
        },
    };
}

CpuResults LiveCpuSuite(const platform::Machine& machine, const CpuSuiteCallbacks& callbacks)
{
    CCPUBench cpu(machine);
    BenchFailure failure = BenchFailure::None;
    return RunCpuSuiteWith(LiveCpuKernels(machine, cpu, failure), callbacks, &failure);
}

}  // namespace bench
