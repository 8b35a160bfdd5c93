// vext-cli bench bandwidth: read, write and copy rates of one thread or of the whole machine, from the
// first cache level to memory.
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/MemoryBenchPrinting.h"
#include "app/cli/ProgressLine.h"
#include "app/cli/ResultOutput.h"
#include "app/cli/RunOutput.h"
#include "bench/BandwidthBench.h"
#include "bench/MemoryPlans.h"
#include "bench/PinnedThreads.h"
#include "bench/Plateaus.h"
#include "bench/Precise.h"
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

const char kBandwidthAbout[] =
    "Measures read, write and copy bandwidth in GB/s (10^9 bytes per second, as STREAM counts them:\n"
    "copy credits the bytes read and the bytes written). Read uses the widest vector loads that this\n"
    "processor and its operating system allow, write ordinary stores of the same width, copy the C\n"
    "library's memcpy from one half of the block to the other; the output names the instructions.\n"
    "Blocks from 16 Kb doubling to at least four times the largest cache, per thread: each at most\n"
    "1 Gb, and the blocks of all the threads that run at once together at most a quarter of the free\n"
    "memory (the least of what the kernel says is available and what the control group still allows).\n"
    "Each measurement repeats its passes for at least 20 ms, once untimed and then N times; the best is\n"
    "shown with the spread.\n"
    "\n"
    "--threads N runs N threads, each pinned to a logical processor of its own (one per core first,\n"
    "then their siblings) and each on a block of its own, started together; a row is the sum of their\n"
    "rates, each taken over the slowest thread's time. \"all\" is every processor the process may run\n"
    "on. At the end: the memory plateau's rates on one thread and on all, and their ratio, both on the\n"
    "plateau's block or, where every processor may not have one that large, on the largest measured\n"
    "block that fits; the heading names it. A control group that allows less processor time than\n"
    "every processor's is named on standard error (and as \"cpu_quota\" in the JSON's run).\n";

struct BandwidthOptions {
    std::string threads = "1";
    bool json = false;  // the whole result at the end: --json or --openmetrics
    ResultOutputOptions result;
    int repeat = precise::kDefaultRepeat;
    std::optional<std::string> label;
};

int Fail(const std::string& message) { return FailCommand("bench bandwidth", message); }

int RunBandwidthBench(const platform::Machine& machine, const BandwidthOptions& options)
{
    CResultOutput result("bench bandwidth", options.result);
    if (!result.Ready()) return 2;
    const std::vector<int> allCpus = bench::ThreadCpus(machine, std::nullopt);
    const std::optional<int> count = options.threads == "all" ? std::nullopt : std::optional<int>(std::stoi(options.threads));
    BandwidthReport report;
    report.cpus = bench::ThreadCpus(machine, count);
    if (report.cpus.empty())
        return Fail("--threads " + options.threads + ": this process may run on " + std::to_string(allCpus.size()) +
                    " logical processor" + (allCpus.size() == 1 ? "" : "s"));
    // The closing figure runs on every processor: that is the most threads the run starts at once.
    NoteCpuQuota(machine, "bench bandwidth", allCpus.size());
    const nlohmann::json identity = options.json ? RunIdentity(machine, options.label, allCpus.size()) : nlohmann::json();
    const CProgressLine progress;
    BandwidthHooks hooks;
    hooks.blocks.onStep = [progress](uint64_t bytes, int percent) {
        progress.Show(platform::TextFormat("%3d %%  %s blocks", percent, BlockText(bytes)));
    };
    if (!options.json)
        hooks.blocks.onRow = [progress](const bandwidth::Row& row) {
            progress.Clear();
            PrintBandwidthRow(row);
        };
    if (!options.json) hooks.onPlanned = [](const BandwidthReport& planned) { PrintBandwidthHeading(planned); };
    hooks.onStage = [progress](const std::string& stage) { progress.Show(stage); };
    std::string notStarted;
    const BandwidthReport measured = MeasureBandwidth(machine, report.cpus, options.repeat, hooks, notStarted);
    if (!notStarted.empty()) return Fail(notStarted);
    report = measured;
    progress.Clear();
    if (options.json)
        result.Keep(BandwidthJson(report), identity);
    else
        PrintBandwidthMemory(report);
    const std::string unmeasured = UnmeasuredText(report);
    return result.Deliver(unmeasured.empty() ? 0 : Fail(unmeasured));
}

}  // namespace

void AddBandwidthCommand(CLI::App& benchCommand, CommandRun& run, const bench::Context& context)
{
    CLI::App* command = benchCommand.add_subcommand("bandwidth", "read, write and copy bandwidth of one thread or all");
    SetCommandHelp(*command,
                   "vext-cli bench bandwidth [--threads N|all] [--repeat N] [--json [--label TEXT] | --openmetrics]\n"
                   "                         [-o FILE [--overwrite]]",
                   kBandwidthAbout);
    auto options = std::make_shared<BandwidthOptions>();
    command->add_option("--threads", options->threads, "threads, each pinned to its own logical processor (default 1)")
        ->type_name("N|all")
        ->check(kThreadCount);
    CLI::Option* json = command->add_flag("--json", options->json, "one JSON object after the run instead of the list");
    AddLabelOption(*command, options->label, json);
    AddResultOutputOptions(*command, options->result);
    command->add_option("--repeat", options->repeat, "measurements per block and method, the best shown (default 5)")
        ->type_name("N")
        ->check(CLI::Range(precise::kMinRepeat, precise::kMaxRepeat));
    command->callback([&run, options, &context] {
        CheckResultOutput(options->json, options->result);
        run = [options, &context] { return RunBandwidthBench(context.machine, *options); }; });
}

}  // namespace cli
