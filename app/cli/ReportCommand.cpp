// vext-cli report: the processor report without a display.
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "files/MeasuredClock.h"
#include "files/ProcessorReport.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"

namespace {

const char kReportAbout[] =
    "Writes the processor report: to standard output with LF line ends, or with -o to FILE exactly\n"
    "as Vext's \"Report\" button writes it (CR LF line ends, no final line end).\n";

struct ReportOptions {
    std::optional<std::string> output;
    std::optional<std::string> dump;
    std::optional<int> mhz;
};

int Fail(const std::string& message) { return FailCommand("report", message); }

int WriteReport(const ReportOptions& options)
{
    CProcessorReport report;
    if (!options.output) {
        std::string text = report.ReportText();
        // One line end after the report, so that the shell's prompt starts on a line of its own.
        text += '\n';
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
            return Fail("cannot write to standard output");
        return 0;
    }
    CommandLinePrompt prompt(*options.output);
    platform::ScopedPrompt scopedPrompt(prompt);
    report.CreateReport();
    // The report says nothing when the file is written.
    if (!prompt.Messages().empty()) return Fail(prompt.FirstMessageLine(""));
    return 0;
}

int RunReport(const ReportOptions& options)
{
    std::optional<platform::CpuidDump> dump;
    if (options.dump) {
        try {
            dump = platform::LoadCpuidDump(*options.dump);
        } catch (const platform::CpuidDumpError& e) {
            return Fail(std::string("cannot use the CPUID dump: ") + e.what());
        }
    }
    std::optional<platform::ScopedCpuid> recordedCpuid;
    if (dump) recordedCpuid.emplace([&dump](uint32_t leaf, uint32_t subleaf) { return dump->Query(leaf, subleaf); });
    std::optional<ScopedMeasuredClock> fixedClock;
    if (options.mhz) fixedClock.emplace([mhz = *options.mhz](CProcessor&) { return mhz; });

    return WriteReport(options);
}

}  // namespace

void AddReportCommand(CLI::App& cli, CommandRun& run)
{
    CLI::App* report = cli.add_subcommand("report", "the processor report (standard output, or FILE)");
    SetCommandHelp(*report, "vext-cli report [-o FILE] [--cpuid DUMP] [--mhz N]", kReportAbout);
    auto options = std::make_shared<ReportOptions>();
    report->add_option("-o,--output", options->output, "write the report file FILE (an existing file is replaced)")
        ->type_name("FILE")
        ->check(kNotEmpty);
    report->add_option("--cpuid", options->dump,
                       "answer every CPUID from the recorded dump DUMP instead of this processor\n"
                       "(\"LEAF SUBLEAF EAX EBX ECX EDX\" lines or `cpuid -r` output)")
        ->type_name("DUMP")
        ->check(kNotEmpty);
    report->add_option("--mhz", options->mhz, "take N MHz as the measured clock instead of measuring (about 1 s)")
        ->type_name("N")
        ->check(CLI::Range(0, std::numeric_limits<int>::max()).description(""));
    report->callback([&run, options] { run = [options] { return RunReport(*options); }; });
}
