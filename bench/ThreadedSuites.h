#pragma once
// The CPU and FPU suites on several pinned threads at once: the same kernels with the same counts on
// every thread, each measurement first on one thread alone and then on all of them together, so that
// the scaling compares two runs of one invocation. Each thread has objects of its own: the kernels
// keep their state in their objects, never in shared globals.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench/BenchContext.h"
#include "bench/BenchFailure.h"
#include "bench/CpuSuite.h"
#include "bench/Results.h"
#include "platform/Machine.h"

namespace bench {

// The real kernels of one thread (bench::Suites::threadCpuKernels): a CCPUBench of the thread's own.
CpuKernels LiveThreadCpuKernels(const platform::Machine& machine, int thread, BenchFailure& failure);

using bench::WhetstoneRun;
// The real Whetstone of one thread (bench::Suites::threadWhetstone): a CWhetstone of the thread's own.
WhetstoneRun LiveThreadWhetstone(const platform::Machine& machine, int thread, std::optional<int32_t> passes);

// A thread's Whetstone that a stop ends after the section running (each section runs whole), with a
// final run of about `targetSeconds`: the cores' scaling runs one per thread count and per thread, and a
// page has to be able to stop it. A stopped run has no results and no passes.
WhetstoneRun StoppableThreadWhetstone(const platform::Machine& machine, std::optional<int32_t> passes, int32_t targetSeconds,
                                      const std::function<bool()>& stop);

// What each thread of a threaded suite may use: its stack and the kernels' data (Whetstone's arrays,
// Dhrystone's records), counted generously.
inline constexpr uint64_t kThreadedBytesPerThread = 256ull << 10;
// How many of `threads` may run at once within the memory cap (precise::BlockCap), counting the lone
// thread that runs beside them; at least 1.
std::size_t ThreadsWithinCap(uint64_t freeMemoryBytes, std::size_t threads);

struct ThreadedCpuRun {
    std::vector<int> cpus;             // thread i ran on cpus[i]; the lone run on cpus[0]
    CpuResults single;                 // each measurement on one thread alone
    std::vector<CpuResults> threads;   // each measurement on every thread at once
    bool pinned = true;                // false when the system refused to pin a thread
    std::string notStarted;            // set when not every thread could be started: nothing ran
    bool stopped = false;              // `stop` ended the run before its last measurement
};

struct ThreadedFpuRun {
    std::vector<int> cpus;
    WhetstoneResults single;  // calibrated, as the suite runs
    int32_t passes = 0;       // the lone run's pass count, which every thread then runs
    std::vector<WhetstoneResults> threads;
    bool pinned = true;
    std::string notStarted;
    bool stopped = false;
};

// Follows measurement `index` (0-13, then 14 the total) with its value alone and on each thread. A
// failed measurement goes to onFailure on the calling thread once the run's threads have ended, in
// thread order. The threads start and pin on the context's machine and run its suites' kernels.
// `stop` is asked before each run on one thread and on all (RunThreadedFpu: before each stage): true
// ends the run there, marked stopped (a page's Cancel).
using ThreadedCpuCallback = std::function<void(int index, uint32_t single, const std::vector<uint32_t>& threads)>;
using StopRequested = std::function<bool()>;
ThreadedCpuRun RunThreadedCpu(const bench::Context& context, const std::vector<int>& cpus,
                              const ThreadedCpuCallback& onMeasurement = {}, const OnBenchFailure& onFailure = {},
                              const StopRequested& stop = {});
// `onStage(threads)` comes before the lone run (1) and before the run on all threads. A run whose
// check failed goes to onFailure once the run's threads have ended, in thread order.
ThreadedFpuRun RunThreadedFpu(const bench::Context& context, const std::vector<int>& cpus,
                              const std::function<void(int threads)>& onStage = {}, const OnBenchFailure& onFailure = {},
                              const StopRequested& stop = {});

// All threads' work against N lone runs: the sum of the threads' rates over N times the lone rate. A
// time's rate is its inverse. Nothing when a value is not positive or not finite.
std::optional<double> Scaling(double single, const std::vector<double>& perThread, bool isTime);

}  // namespace bench
