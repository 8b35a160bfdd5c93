// vext-cli processor: what the processor says about itself, decoded by today's rules.
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/ResultOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/RunOutput.h"
#include "bench/RunningClock.h"
#include "cpu/Clock.h"
#include "cpu/ModernProcessor.h"
#include "platform/TextFormat.h"
#include "results/ProcessorJson.h"
#include "results/RunIdentity.h"
#include "results/TerminalText.h"

namespace cli {

using namespace cpu;

using namespace results;

namespace {

const char kProcessorAbout[] =
    "Describes the processor from CPUID as current systems decode it: vendor, brand, family, model and\n"
    "stepping, hypervisor, every cache and how many logical processors share it, the feature flags by\n"
    "their /proc/cpuinfo names and the nominal clocks. The measured clock (about 1 s) is shown for this\n"
    "processor only, with the running clock: the rate at which one core runs a chain of dependent\n"
    "additions (one cycle each), timed against the measured clock over at least 20 ms, best of 5.\n";

std::string Number(const std::optional<uint32_t>& value)
{
    return value ? platform::TextFormat("%u (0x%X)", *value, *value) : "N/A";
}

std::string Clock(const std::optional<double>& mhz)
{
    return mhz ? platform::FormatTwoDecimals(*mhz) + " MHz" : "N/A";
}

std::string CacheText(const cpu::CacheLevel& c)
{
    std::string text =
        platform::TextFormat("%u Kb, %u-byte lines, ", static_cast<unsigned>(c.sizeBytes / 1024), c.lineBytes);
    if (!c.ways)
        text += "ways and sets unknown";
    else if (*c.ways == 0)
        text += "fully associative";
    else
        text += platform::TextFormat("%u-way, %u sets", *c.ways, static_cast<unsigned>(*c.sets));
    if (!c.sharedBy) return text + ", sharing not stated";
    return text + platform::TextFormat(", shared by %u logical processor%s", *c.sharedBy, *c.sharedBy == 1 ? "" : "s");
}

void Line(const std::string& label, const std::string& value)
{
    std::printf("%-18s: %s\n", label.c_str(), value.c_str());
}

// 0 MHz: not measured.
std::string RunningClockText(double mhz)
{
    return mhz > 0 ? platform::TextFormat("%.0f MHz (a chain of dependent additions, best of %d)", mhz, bench::runningclock::kRepeat)
                   : "N/A";
}

void PrintList(const cpu::ModernProcessor& p, std::optional<int> measuredMHz, double runningMHz)
{
    Line("Vendor", TerminalText(p.vendor));
    Line("Brand", p.brand ? TerminalText(*p.brand) : "N/A");
    Line("Family", Number(p.family));
    Line("Model", Number(p.model));
    Line("Stepping", Number(p.stepping));
    Line("Hypervisor", p.hypervisor ? TerminalText(*p.hypervisor) : "none");
    for (const cpu::CacheLevel& c : p.caches)
        Line(platform::TextFormat("L%u %s", c.level, cpu::CacheTypeName(c.type)), CacheText(c));
    if (p.caches.empty()) Line("Caches", "N/A");
    std::string features;
    for (const std::string& name : p.features) features += (features.empty() ? "" : " ") + name;
    Line("Features", features);
    Line("TSC clock", Clock(p.tscMHz));
    Line("Base clock", Clock(p.baseMHz ? std::optional<double>(*p.baseMHz) : std::nullopt));
    Line("Maximum clock", Clock(p.maxMHz ? std::optional<double>(*p.maxMHz) : std::nullopt));
    if (measuredMHz) Line("Measured clock", platform::TextFormat("%d MHz", *measuredMHz));
    if (measuredMHz) Line("Running clock", RunningClockText(runningMHz));
}

int RunProcessor(const platform::Machine& live, bool json, const std::optional<std::string>& dumpPath,
                 const std::optional<std::string>& label, const ResultOutputOptions& output)
{
    CResultOutput result("processor", output);
    if (!result.Ready()) return 2;
    const nlohmann::json identity = json ? RunIdentity(live, label) : nlohmann::json();
    const std::optional<platform::Machine> machine = CommandMachine("processor", live, dumpPath);
    if (!machine) return 2;
    const cpu::ModernProcessor processor = cpu::DecodeModernProcessor(*machine);
    // The time-stamp counter counts this processor's clock, which says nothing about a recorded one.
    const std::optional<int> measuredMHz = dumpPath ? std::nullopt : std::optional<int>(MeasureClockMHz(*machine));
    const double runningMHz = measuredMHz ? bench::runningclock::MeasureRunningClockMHz(*machine, *measuredMHz).value_or(0) : 0;
    if (json) {
        nlohmann::json object = ProcessorJson(processor, measuredMHz);
        // Only where it was measured: a recorded processor's object keeps the keys it always had.
        if (measuredMHz) object["running_clock_mhz"] = runningMHz > 0 ? nlohmann::json(std::lround(runningMHz)) : nlohmann::json(nullptr);
        result.Keep(std::move(object), identity);
    } else
        PrintList(processor, measuredMHz, runningMHz);
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
