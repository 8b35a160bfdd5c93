// vext-cli processor: what the processor says about itself, decoded by today's rules.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/ResultOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/RunOutput.h"
#include "results/ProcessorToday.h"
#include "results/RunIdentity.h"

namespace cli {

using namespace results;

namespace {

const char kProcessorAbout[] =
    "Describes the processor from CPUID as current systems decode it: vendor, brand, family, model and\n"
    "stepping, hypervisor, the topology (threads, cores, packages, NUMA nodes, core types), every cache,\n"
    "how many logical processors share it and how many of it there are, the feature flags by\n"
    "their /proc/cpuinfo names and the nominal clocks. The measured clock (about 1 s) is shown for this\n"
    "processor only, with the running clock: the rate at which one core runs a chain of dependent\n"
    "additions (one cycle each), timed against the measured clock over at least 20 ms, best of 5.\n";

int RunProcessor(const platform::Machine& live, bool json, const std::optional<std::string>& dumpPath,
                 const std::optional<std::string>& label, const ResultOutputOptions& output)
{
    CResultOutput result("processor", output);
    if (!result.Ready()) return 2;
    const nlohmann::json identity = json ? RunIdentity(live, label) : nlohmann::json();
    const std::optional<platform::Machine> machine = CommandMachine("processor", live, dumpPath);
    if (!machine) return 2;
    const ProcessorToday today = ReadProcessorToday(*machine);
    if (json)
        result.Keep(ProcessorTodayJson(today, identity));
    else
        std::fputs(ProcessorListText(today).c_str(), stdout);
    return result.Deliver(0);
}

}  // namespace

void AddProcessorCommand(CLI::App& cli, CommandRun& run, const bench::Context& context)
{
    CLI::App* processor = cli.add_subcommand("processor", "the processor as CPUID describes it today");
    SetCommandHelp(*processor,
                   "vext-cli processor [--json [--label TEXT] | --openmetrics] [-o FILE [--overwrite]] [--cpuid DUMP]",
                   kProcessorAbout);
    struct Options {
        bool json = false;
        std::optional<std::string> dump;
        std::optional<std::string> label;
        ResultOutputOptions result;
    };
    auto options = std::make_shared<Options>();
    CLI::Option* json = processor->add_flag("--json", options->json, "one JSON object instead of the list");
    AddLabelOption(*processor, options->label, json);
    AddResultOutputOptions(*processor, options->result);
    processor->add_option("--cpuid", options->dump, "decode the recorded dump DUMP instead of this processor")
        ->type_name("DUMP")
        ->check(kNotEmpty);
    processor->callback([&run, &context, options] {
        CheckResultOutput(options->json, options->result);
        run = [&context, options] {
            return RunProcessor(context.machine, options->json, options->dump, options->label, options->result);
        };
    });
}

}  // namespace cli
