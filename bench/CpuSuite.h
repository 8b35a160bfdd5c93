#pragma once
// The CPU benchmark run: thirteen kernels and Dhrystone in list order, then the total. The CPU page
// and vext-cli both run it; the caller hears of every value as soon as it is known (to write its row
// before the next kernel starts) and of the end of each of the three groups (to advance its progress).
#include <array>
#include <cstdint>
#include <functional>

#include "bench/BenchFailure.h"
#include "bench/Results.h"
#include "platform/Machine.h"

namespace bench {

struct CpuSuiteCallbacks {
    // index is the CpuResults index: 0-12 milliseconds, 13 the Dhrystone rating, 14 the total
    // (CpuResultRow of bench/ResultTables.h gives its list row).
    std::function<void(int index, uint32_t value)> onResult;
    // 0: integer arithmetic done; 1: instructions done; 2: complex group and total done.
    std::function<void(int group)> onGroupEnd;
    // A failure, the moment its measurement returns and before its value is reported.
    OnBenchFailure onFailure;
};

inline constexpr int kCpuGroupCount = 3;
// The last CpuResults index of each group.
inline constexpr std::array<int, kCpuGroupCount> kCpuGroupLastIndex{3, 10, 14};

// The fourteen measurements in list order: the thirteen kernels (milliseconds), then Dhrystone.
inline constexpr int kCpuMeasurements = CpuResults::kTotal;
using CpuKernels = std::array<std::function<uint32_t()>, kCpuMeasurements>;

// Runs the measurements in order, reporting each value and group end; the total is the unsigned
// 32-bit sum of the thirteen millisecond values (the Dhrystone rate takes no part in it). A failure the
// kernels put in `failure` goes to onFailure as its measurement returns, before its value is reported.
CpuResults RunCpuSuiteWith(const CpuKernels& kernels, const CpuSuiteCallbacks& callbacks, BenchFailure* failure = nullptr);

// Measurements that answer the given values at once (index 0-13), for fakes of the whole run.
CpuKernels FixedCpuKernels(const CpuResults& values);

class CCPUBench;
// The real measurements: the kernels of `cpu`, and a CDhrystone of its own on `machine` after the
// Euclid kernel. Dhrystone's failure goes to `failure` for the thread that started the run to hand on
// (a message box is never raised from a worker thread).
CpuKernels LiveCpuKernels(const platform::Machine& machine, CCPUBench& cpu, BenchFailure& failure);

// The real run on `machine`: a CCPUBench for the kernels, a CDhrystone after the Euclid kernel.
CpuResults LiveCpuSuite(const platform::Machine& machine, const CpuSuiteCallbacks& callbacks);

}  // namespace bench
