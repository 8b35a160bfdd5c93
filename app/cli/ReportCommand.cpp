// vext-cli report: the processor report without a display.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "files/MeasuredClock.h"
#include "files/ProcessorReport.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"

namespace {

const char kReportUsage[] =
    "Usage: vext-cli report [-o FILE] [--cpuid DUMP] [--mhz N]\n"
    "\n"
    "Writes the processor report: to standard output with LF line ends, or with -o to FILE exactly\n"
    "as Vext's \"Report\" button writes it (CR LF line ends, no final line end).\n"
    "\n"
    "Options:\n"
    "  -o FILE, --output FILE   write the report file FILE (an existing file is replaced)\n"
    "  --cpuid DUMP             answer every CPUID from the recorded dump DUMP instead of this\n"
    "                           processor (\"LEAF SUBLEAF EAX EBX ECX EDX\" lines or `cpuid -r` output)\n"
    "  --mhz N                  take N MHz as the measured clock instead of measuring (about 1 s)\n"
    "  -h, --help               show this help\n";

struct ReportOptions {
    std::optional<std::string> output;
    std::optional<std::string> dump;
    std::optional<int> mhz;
    bool help = false;
};

int Fail(const std::string& message) { return FailCommand("report", message); }

// A decimal clock in MHz: digits only, 0 to 2147483647.
std::optional<int> ParseMhz(std::string_view text)
{
    int value = 0;
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Returns an error text, or an empty one when the arguments are good.
std::string ParseOptions(const std::vector<std::string>& args, ReportOptions& options)
{
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value = SplitInlineValue(name);
        if (name == "-h" || name == "--help") {
            if (value) return "option '" + name + "' takes no value";
            options.help = true;
            continue;
        }
        if (name != "-o" && name != "--output" && name != "--cpuid" && name != "--mhz")
            return "unknown option '" + args[i] + "'";
        if (!value) {
            if (i + 1 >= args.size()) return "option '" + name + "' needs a value";
            value = args[++i];
        }
        if (name == "-o" || name == "--output") {
            if (value->empty()) return "option '" + name + "' needs a file name";
            options.output = *value;
        } else if (name == "--cpuid") {
            if (value->empty()) return "option '--cpuid' needs a dump file";
            options.dump = *value;
        } else {
            options.mhz = ParseMhz(*value);
            if (!options.mhz) return "'--mhz' takes a whole number of MHz (0 to 2147483647), not '" + *value + "'";
        }
    }
    return {};
}

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

}  // namespace

int RunReportCommand(const std::vector<std::string>& args)
{
    ReportOptions options;
    if (std::string error = ParseOptions(args, options); !error.empty()) {
        std::fprintf(stderr, "vext-cli report: %s\n\n%s", error.c_str(), kReportUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kReportUsage, stdout);
        return 0;
    }

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
