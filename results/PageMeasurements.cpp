#include "results/PageMeasurements.h"

#include "bench/PinnedThreads.h"
#include "bench/ThreadedSuites.h"
#include "bench/Precise.h"
#include "results/CoresRun.h"
#include "results/MemoryRuns.h"
#include "results/RunIdentity.h"

namespace results {

namespace {

bool Stopped(const MeasurementHooks& hooks) { return hooks.stop && hooks.stop(); }

void Step(const MeasurementHooks& hooks, int done, int total)
{
    if (hooks.onStep) hooks.onStep(done, total);
}

nlohmann::json WithRun(nlohmann::json result, nlohmann::json identity)
{
    result["run"] = std::move(identity);
    return result;
}

nlohmann::json Latency(const bench::Context& context, const MeasurementHooks& hooks, std::string&)
{
    const nlohmann::json identity = RunIdentity(context.machine, std::nullopt, 1);
    LatencyHooks latency;
    latency.blocks.stop = hooks.stop;
    latency.blocks.onStep = [&hooks](uint64_t, int percent) { Step(hooks, percent, 100); };
    const LatencyReport report = MeasureLatency(context.machine, bench::precise::kDefaultRepeat, latency);
    if (Stopped(hooks)) return nullptr;
    Step(hooks, 100, 100);
    return WithRun(LatencyJson(report), identity);
}

// One thread, then every processor, each half of the progress.
nlohmann::json Bandwidth(const bench::Context& context, const MeasurementHooks& hooks, std::string& failure)
{
    const std::vector<int> all = bench::ThreadCpus(context.machine, std::nullopt);
    const nlohmann::json identity = RunIdentity(context.machine, std::nullopt, all.size());
    nlohmann::json result = {{"kind", "bandwidth-threads"}};
    for (int half = 0; half < 2; ++half) {
        BandwidthHooks bandwidth;
        bandwidth.blocks.stop = hooks.stop;
        bandwidth.blocks.onStep = [&hooks, half](uint64_t, int percent) { Step(hooks, half * 50 + percent / 2, 100); };
        const std::vector<int> cpus = half == 0 ? bench::ThreadCpus(context.machine, 1) : all;
        const BandwidthReport report = MeasureBandwidth(context.machine, cpus, bench::precise::kDefaultRepeat, bandwidth, failure);
        if (!failure.empty() || Stopped(hooks)) return nullptr;
        result[half == 0 ? "one_thread" : "all_threads"] = BandwidthJson(report);
    }
    Step(hooks, 100, 100);
    return WithRun(std::move(result), identity);
}

nlohmann::json Cores(const bench::Context& context, const MeasurementHooks& hooks, std::string& failure)
{
    const nlohmann::json identity = RunIdentity(context.machine, std::nullopt, bench::ThreadCpus(context.machine, std::nullopt).size());
    // The FPU suite's Whetstone aims at a hundred seconds a run; the scaling runs two per thread count,
    // so here each aims at a few seconds, and a Cancel ends it after the section running.
    bench::Context cores = context;
    cores.suites.threadWhetstone = [stop = hooks.stop](const platform::Machine& machine, int, std::optional<int32_t> passes) {
        return bench::StoppableThreadWhetstone(machine, passes, kCoresWhetstoneSeconds, stop);
    };
    const CoresReport report = MeasureCores(cores, {hooks.onStep, hooks.stop});
    if (!report.notStarted.empty()) failure = report.notStarted;
    if (report.stopped || !failure.empty()) return nullptr;
    return WithRun(CoresJson(report), identity);
}

}  // namespace

PageMeasurements LivePageMeasurements() { return {Latency, Bandwidth, Cores}; }

}  // namespace results
