#include "bench/ThreadedSuites.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "bench/CPUBench.h"
#include "bench/PinnedThreads.h"
#include "bench/Precise.h"
#include "bench/Whetstone.h"

namespace bench {

CpuKernels LiveThreadCpuKernels(const platform::Machine& machine, int, BenchFailure& failure)
{
    auto cpu = std::make_shared<CCPUBench>(machine);
    CpuKernels kernels = LiveCpuKernels(machine, *cpu, failure);
    for (auto& kernel : kernels) kernel = [cpu, kernel] { return kernel(); };
    return kernels;
}

WhetstoneRun LiveThreadWhetstone(const platform::Machine& machine, int, std::optional<int32_t> passes)
{
    auto whetstone = std::make_unique<CWhetstone>(machine);
    if (passes)
        whetstone->RunFinalPasses(*passes);
    else
        whetstone->RunWhetstone();
    return {whetstone->ReadResults(), whetstone->FinalPasses(), whetstone->Failure()};
}

WhetstoneRun StoppableThreadWhetstone(const platform::Machine& machine, std::optional<int32_t> passes, int32_t targetSeconds,
                                      const std::function<bool()>& stop)
{
    // The section hook is called between sections, outside every timed region: leaving from there
    // ends the run without touching the sections' code.
    struct Stopped {};
    auto whetstone = std::make_unique<CWhetstone>(machine);
    whetstone->SetSectionHook([&stop](int, int) {
        if (stop && stop()) throw Stopped{};
    });
    try {
        if (passes)
            whetstone->RunFinalPasses(*passes);
        else
            whetstone->RunWhetstone(targetSeconds);
    } catch (const Stopped&) {
        return {};
    }
    return {whetstone->ReadResults(), whetstone->FinalPasses(), whetstone->Failure()};
}

namespace {

void AddTotal(CpuResults& results)
{
    uint32_t total = 0;
    for (int index = 0; index < CpuResults::kDhrystone; ++index) total += results.values[index];
    results.values[CpuResults::kTotal] = total;
}

void Report(const ThreadedCpuRun& run, int index, const ThreadedCpuCallback& onMeasurement)
{
    std::vector<uint32_t> values;
    for (const CpuResults& results : run.threads) values.push_back(results.values[index]);
    if (onMeasurement) onMeasurement(index, run.single.values[index], values);
}

}  // namespace

ThreadedCpuRun RunThreadedCpu(const bench::Context& context, const std::vector<int>& cpus,
                              const ThreadedCpuCallback& onMeasurement, const OnBenchFailure& onFailure, const StopRequested& stop)
{
    ThreadedCpuRun run{cpus, {}, std::vector<CpuResults>(cpus.size()), true, ""};
    bench::CPinnedThreads alone(context.machine, {cpus.front()}), all(context.machine, cpus);
    run.notStarted = alone.AllStarted() ? all.NotStartedText() : alone.NotStartedText();
    if (!run.notStarted.empty()) return run;
    // Each thread's kernels report to a place of their own, read here once the threads have ended.
    std::vector<BenchFailure> failures(cpus.size(), BenchFailure::None);
    std::vector<CpuKernels> kernels;
    for (std::size_t t = 0; t < cpus.size(); ++t) 
        kernels.push_back(context.suites.threadCpuKernels(context.machine, static_cast<int>(t), failures[t]));
    const auto showFailures = [&failures, &onFailure] {
        for (BenchFailure& failure : failures) ReportBenchFailure(onFailure, std::exchange(failure, BenchFailure::None));
    };
    const auto stopped = [&stop, &run] { return run.stopped = run.stopped || (stop && stop()); };
    for (int index = 0; index < kCpuMeasurements; ++index) {
        if (stopped()) return run;
        alone.Run([&](int) { run.single.values[index] = kernels[0][index](); });
        showFailures();
        if (stopped()) return run;  // between the lone run and the run on all threads
        all.Run([&](int thread) { run.threads[thread].values[index] = kernels[thread][index](); });
        showFailures();
        Report(run, index, onMeasurement);
    }
    AddTotal(run.single);
    for (CpuResults& results : run.threads) AddTotal(results);
    Report(run, CpuResults::kTotal, onMeasurement);
    run.pinned = alone.AllPinned() && all.AllPinned();
    return run;
}

ThreadedFpuRun RunThreadedFpu(const bench::Context& context, const std::vector<int>& cpus,
                              const std::function<void(int threads)>& onStage, const OnBenchFailure& onFailure,
                              const StopRequested& stop)
{
    ThreadedFpuRun run{cpus, {}, 0, std::vector<WhetstoneResults>(cpus.size()), true, ""};
    bench::CPinnedThreads alone(context.machine, {cpus.front()}), all(context.machine, cpus);
    run.notStarted = alone.AllStarted() ? all.NotStartedText() : alone.NotStartedText();
    if (!run.notStarted.empty()) return run;
    if (stop && stop()) return run.stopped = true, run;
    if (onStage) onStage(1);
    BenchFailure loneFailure = BenchFailure::None;
    alone.Run([&](int) {
        const WhetstoneRun lone = context.suites.threadWhetstone(context.machine, 0, std::nullopt);
        run.single = lone.results, run.passes = lone.passes, loneFailure = lone.failure;
    });
    ReportBenchFailure(onFailure, loneFailure);
    if (stop && stop()) return run.stopped = true, run;  // the lone run was the last
    if (onStage) onStage(static_cast<int>(cpus.size()));
    std::vector<BenchFailure> failures(cpus.size(), BenchFailure::None);
    all.Run([&](int thread) {
        const WhetstoneRun each = context.suites.threadWhetstone(context.machine, thread, run.passes);
        run.threads[thread] = each.results, failures[thread] = each.failure;
    });
    for (BenchFailure failure : failures) ReportBenchFailure(onFailure, failure);
    run.pinned = alone.AllPinned() && all.AllPinned();
    return run;
}

std::size_t ThreadsWithinCap(uint64_t freeMemoryBytes, std::size_t threads)
{
    std::size_t fit = threads;
    while (fit > 1 && precise::BlockCap(freeMemoryBytes, fit + 1) < kThreadedBytesPerThread) --fit;
    return std::max<std::size_t>(fit, 1);
}

std::optional<double> Scaling(double single, const std::vector<double>& perThread, bool isTime)
{
    const auto usable = [](double value) { return std::isfinite(value) && value > 0; };
    if (!usable(single) || perThread.empty()) return std::nullopt;
    double sum = 0;
    for (double value : perThread) {
        if (!usable(value)) return std::nullopt;
        sum += isTime ? single / value : value / single;
    }
    return sum / static_cast<double>(perThread.size());
}

}  // namespace bench
