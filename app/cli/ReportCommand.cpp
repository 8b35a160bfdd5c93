// vext-cli report: the processor report without a display.
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/RunOutput.h"
#include "cpu/ModernProcessor.h"
#include "facts/ProcessorFacts.h"
#include "files/ProcessorReport.h"
#include "facts/ProcessorRows.h"
#include "platform/TextEncoding.h"
#include "platform/TextTrim.h"
#include "results/ProcessorJson.h"
#include "results/RunIdentity.h"
#include "results/TerminalText.h"

namespace cli {

using namespace files;

using namespace facts;

using namespace cpu;

using namespace results;

namespace {

const char kReportAbout[] =
    "Writes the processor report: to standard output with LF line ends, or with -o to FILE exactly\n"
    "as Vext's \"Report\" button writes it (CR LF line ends, no final line end).\n";

struct ReportOptions {
    std::optional<std::string> output;
    std::optional<std::string> dump;
    std::optional<int> mhz;
    bool json = false;
    std::optional<std::string> label;
};

// {"report": [[label, value], ...], "processor": {...}, "run": {...}}: every fact of the report under
// its bare label, taken from the facts themselves, never parsed back from the report's text.
nlohmann::json ReportJson(const platform::Machine& machine, const nlohmann::json& identity)
{
    nlohmann::json rows = nlohmann::json::array();
    for (const ProcessorRow& row : ProcessorRows(GatherProcessorFacts(machine)))
        if (row.hasValue) rows.push_back({platform::Utf8OrLatin1(platform::BareLabel(row.reportText)), platform::Utf8OrLatin1(row.value)});
    return {{"report", rows}, {"processor", ProcessorJson(cpu::DecodeModernProcessor(machine))}, {"run", identity}};
}

int Fail(const std::string& message) { return FailCommand("report", message); }

int WriteReport(const platform::Machine& machine, const ReportOptions& options, const nlohmann::json& identity)
{
    CProcessorReport report(machine);
    if (options.json) return PrintJson(ReportJson(machine, identity)), 0;
    if (!options.output) {
        // Brand strings are whatever the processor holds: no control character reaches the terminal.
        // One line end after the report, so that the shell's prompt starts on a line of its own.
        std::fputs((TerminalText(report.ReportText(), true) + '\n').c_str(), stdout);
        return 0;
    }
    // The file the page's "Report" writes to the name its Save As dialog is given.
    const FileWriteResult written = report.SaveReport(*options.output);
    if (written.status == FileWriteStatus::Ok) return 0;
    return Fail("cannot write the report file '" + *options.output + "'" +
                (written.error ? std::string(": ") + std::strerror(written.error) : std::string()));
}

int RunReport(const platform::Machine& live, const ReportOptions& options)
{
    const nlohmann::json identity = options.json ? RunIdentity(live, options.label) : nlohmann::json();
    std::optional<platform::Machine> machine = CommandMachine("report", live, options.dump);
    if (!machine) return 2;
    if (options.mhz) machine->recordedClockMhz = *options.mhz;
    return WriteReport(*machine, options, identity);
}

}  // namespace

void AddReportCommand(CLI::App& cli, CommandRun& run, const bench::Context& context)
{
    CLI::App* report = cli.add_subcommand("report", "the processor report (standard output, or FILE)");
    SetCommandHelp(*report, "vext-cli report [-o FILE | --json [--label TEXT]] [--cpuid DUMP] [--mhz N]", kReportAbout);
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
    CLI::Option* json = report->add_flag("--json", options->json, "the report's rows and the processor as one JSON object");
    AddLabelOption(*report, options->label, json);
    report->callback([&run, &context, options] { run = [&context, options] { return RunReport(context.machine, *options); }; });
}

}  // namespace cli
