// vext-cli bench latency: load-to-use latency of every cache level and of memory, by pointer chasing.
#include <cstdio>
#include <memory>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/MemoryBenchPrinting.h"
#include "app/cli/ProgressLine.h"
#include "app/cli/ResultOutput.h"
#include "app/cli/RunOutput.h"
#include "bench/LatencyBench.h"
#include "bench/MemoryPlans.h"
#include "bench/Plateaus.h"
#include "bench/Precise.h"
#include "bench/RunningClock.h"
#include "cpu/Clock.h"
#include "cpu/ModernProcessor.h"
#include "platform/TextFormat.h"
#include "results/MemoryBenchReport.h"
#include "results/MemoryRuns.h"
#include "results/RunIdentity.h"

namespace cli {

using namespace bench;

using namespace cpu;

using namespace results;

namespace {

const char kLatencyAbout[] =
    "Measures how long a load takes to return, by pointer chasing: every cache line of a block holds\n"
    "the address of the next line to load, the lines linked in one random cycle so that no prefetcher\n"
    "can guess ahead, each load waiting for the one before. Blocks from 4 Kb doubling to at least four\n"
    "times the largest cache, in memory offered to transparent huge pages: each block, with the table\n"
    "of its lines' order (4 bytes a line), at most 1 Gb and a quarter of the free memory (the least of\n"
    "what the kernel says is available and what the control group still allows). Each block: one\n"
    "untimed pass over the whole cycle, then N measurements of at least 20 ms each; the row shows the\n"
    "best in nanoseconds and in core cycles at the running clock (a chain of dependent additions, as\n"
    "vext-cli processor measures it; where it cannot be measured, in cycles of the measured time-stamp\n"
    "counter), and the spread of the N. Then each cache\n"
    "level the processor reports, and memory: the median of the blocks that fit that level and not the\n"
    "one below. One thread, pinned to one processor. A control group that allows less than one\n"
    "processor's time is named on standard error (and as \"cpu_quota\" in the JSON's run).\n";

struct LatencyOptions {
    bool json = false;  // the whole result at the end: --json or --openmetrics
    ResultOutputOptions result;
    int repeat = precise::kDefaultRepeat;
    std::optional<std::string> label;
};

int RunLatencyBench(const platform::Machine& machine, const LatencyOptions& options)
{
    CResultOutput result("bench latency", options.result);
    if (!result.Ready()) return 2;
    NoteCpuQuota(machine, "bench latency", 1);
    const nlohmann::json identity = options.json ? RunIdentity(machine, options.label, 1) : nlohmann::json();
    LatencyReport report;
    LatencyHooks hooks;
    // The rows print with the clocks of the planned report, before the run's report is complete.
    hooks.onPlanned = [&report, &options](const LatencyReport& planned) {
        report = planned;
        if (!options.json) PrintLatencyHeading(planned);
    };
    latency::Callbacks& callbacks = hooks.blocks;
    const CProgressLine progress;
    if (!options.json)
        callbacks.onRow = [&report, progress](const latency::Row& row) {
            progress.Clear();
            PrintLatencyRow(row, report);
        };
    if (progress.OnTerminal())
        callbacks.onStep = [progress](uint64_t bytes, int percent) {
            progress.Show(platform::TextFormat("%3d %%  %s block", percent, BlockText(bytes)));
        };
    report = MeasureLatency(machine, options.repeat, hooks);
    if (options.json) progress.Clear();

    if (options.json)
        result.Keep(LatencyJson(report), identity);
    else
        PrintLatencyLevels(report);
    const std::string unmeasured = UnmeasuredText(report);
    return result.Deliver(unmeasured.empty() ? 0 : FailCommand("bench latency", unmeasured));
}

}  // namespace

void AddLatencyCommand(CLI::App& benchCommand, CommandRun& run, const bench::Context& context)
{
    CLI::App* command = benchCommand.add_subcommand("latency", "load-to-use latency of each cache level and of memory");
    SetCommandHelp(*command, "vext-cli bench latency [--repeat N] [--json [--label TEXT] | --openmetrics] [-o FILE [--overwrite]]",
                   kLatencyAbout);
    auto options = std::make_shared<LatencyOptions>();
    CLI::Option* json = command->add_flag("--json", options->json, "one JSON object after the run instead of the list");
    AddLabelOption(*command, options->label, json);
    AddResultOutputOptions(*command, options->result);
    command->add_option("--repeat", options->repeat, "measurements per block, the best shown (default 5)")
        ->type_name("N")
        ->check(CLI::Range(precise::kMinRepeat, precise::kMaxRepeat));
    command->callback([&run, options, &context] {
        CheckResultOutput(options->json, options->result);
        run = [options, &context] { return RunLatencyBench(context.machine, *options); }; });
}

}  // namespace cli
