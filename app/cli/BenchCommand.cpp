// vext-cli bench: runs a benchmark suite without a display, printing each row of its page as the
// result arrives, and with -o saves the results exactly as the page's "Save Results" does.
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/ListPrinter.h"
#include "bench/BenchSuites.h"
#include "bench/CpuSuite.h"
#include "bench/PreciseSuites.h"
#include "cpu/Clock.h"
#include "cpu/ModernProcessor.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "platform/SystemInfo.h"

namespace {

const char kBenchUsage[] =
    "Usage: vext-cli bench cpu|fpu|cache [-o FILE] [--precise [--repeat N]]\n"
    "\n"
    "Runs one benchmark suite as its page's \"Benchmark\" button does and prints each row of the page\n"
    "with its result as it arrives. The CPU suite takes up to a few minutes.\n"
    "\n"
    "Options:\n"
    "  -o FILE, --output FILE   save the results to FILE as the page's \"Save Results\" does (a .cpu,\n"
    "                           .fpu or .cache file with this machine's summary line); an existing\n"
    "                           file is replaced only once the new one is complete\n"
    "  --precise                cpu and cache: warm each measurement up, repeat it and show the best\n"
    "                           value with the spread of the repeats (marked above 5 %); Dhrystone\n"
    "                           runs at least 0.5 s, the cache goes on to blocks beyond its caches;\n"
    "                           -o saves the best values of the standard rows\n"
    "  --repeat N               repeats per measurement in precise mode, 2 to 100 (default 5)\n"
    "  -h, --help               show this help\n";

struct BenchOptions {
    std::string suite;
    std::optional<std::string> output;
    bool help = false;
    bool precise = false;
    std::optional<int> repeat;
};

int Fail(const std::string& message) { return FailCommand("bench", message); }

// Returns an error text, or an empty one when the arguments are good.
std::string ParseOptions(const std::vector<std::string>& args, BenchOptions& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value = SplitInlineValue(name);
        if (name == "-h" || name == "--help") {
            if (value) return "option '" + name + "' takes no value";
            options.help = true;
        } else if (name == "-o" || name == "--output") {
            if (!value) {
                if (i + 1 >= args.size()) return "option '" + name + "' needs a file name";
                value = args[++i];
            }
            if (value->empty()) return "option '" + name + "' needs a file name";
            options.output = *value;
        } else if (name == "--precise") {
            if (value) return "option '" + name + "' takes no value";
            options.precise = true;
        } else if (name == "--repeat") {
            if (!value) {
                if (i + 1 >= args.size()) return "option '--repeat' needs a number";
                value = args[++i];
            }
            const bool digits = !value->empty() && value->size() <= 3 &&
                                value->find_first_not_of("0123456789") == std::string::npos;
            const int n = digits ? std::stoi(*value) : 0;
            if (n < precise::kMinRepeat || n > precise::kMaxRepeat)
                return "--repeat takes a whole number from 2 to 100, not '" + *value + "'";
            options.repeat = n;
        } else if (!name.empty() && name[0] == '-') {
            return "unknown option '" + args[i] + "'";
        } else if (!options.suite.empty()) {
            return "one suite only, not '" + options.suite + "' and '" + args[i] + "'";
        } else {
            options.suite = args[i];
        }
    }
    if (options.help) return {};
    if (options.suite.empty()) return "which suite: cpu, fpu or cache?";
    if (options.suite != "cpu" && options.suite != "fpu" && options.suite != "cache")
        return "unknown suite '" + options.suite + "' (cpu, fpu or cache)";
    if (options.precise && options.suite == "fpu") return "--precise is for the cpu and cache suites";
    if (options.repeat && !options.precise) return "--repeat needs --precise";
    return {};
}

template <typename Save>
int SaveAsThePageDoes(const std::string& path, Save save)
{
    CommandLinePrompt prompt(path);
    bool saved;
    {
        platform::ScopedPrompt scope(prompt);
        saved = save();
    }
    if (saved) return 0;
    return Fail(prompt.FirstMessageLine("the results were not saved"));
}

int RunCpu(const std::string& summary, const std::optional<std::string>& output)
{
    CListPrinter printer(kCpuListRows, stdout);
    CpuSuiteCallbacks callbacks;
    callbacks.onResult = [&](int index, uint32_t value) { printer.Cell(CpuResultRow(index), FormatCpuResult(index, value)); };
    CpuResults results = RunCpuSuite(callbacks);
    printer.Finish();
    if (!output) return 0;
    return SaveAsThePageDoes(*output, [&] { return SaveCpuResults(summary, results); });
}

int RunFpu(const std::string& summary, const std::optional<std::string>& output)
{
    // The Whetstone results come only at its end: on a terminal, show which section is running.
    FpuSuiteCallbacks callbacks;
    if (::isatty(STDERR_FILENO)) {
        callbacks.afterSection = [](int section, bool calibrating) {
            std::fprintf(stderr, "\r%s N%d ", calibrating ? "calibrating" : "running    ", section);
        };
        callbacks.afterRun = [] { std::fprintf(stderr, "\r                \r"); };
    }
    WhetstoneResults results = RunFpuSuite(callbacks);
    CListPrinter printer(kFpuListRows, stdout);
    for (const ResultCell& cell : FpuResultCells(results)) printer.Cell(cell.row, cell.text);
    printer.Finish();
    if (!output) return 0;
    return SaveAsThePageDoes(*output, [&] { return SaveFpuResults(summary, results); });
}

int RunCache(const std::string& summary, const std::optional<std::string>& output)
{
    CListPrinter printer(kCacheListRows, stdout);
    CacheSuiteCallbacks callbacks;
    callbacks.afterMeasurement = [&](int index, double rate, double) {
        printer.Cell(CacheResultRow(index), FormatCacheRate(rate));
    };
    CacheResults results = RunCacheSuite(callbacks);
    printer.Finish();
    if (!output) return 0;
    return SaveAsThePageDoes(*output, [&] { return SaveCacheResults(summary, results); });
}

// Precise rows: the page's label and value, then the spread of the repeats.
precise::Callbacks PreciseOutput(CListPrinter& printer)
{
    precise::Callbacks callbacks;
    const bool terminal = ::isatty(STDERR_FILENO);
    callbacks.onRow = [&printer, terminal](const precise::Row& row, int listRow) {
        if (terminal) std::fputs("\r\033[K", stderr);
        const std::string text = row.runs ? row.text + "  " + precise::FormatSpread(row.spreadPercent) : row.text;
        if (listRow >= 0) printer.Cell(listRow, text);
        else std::printf("%-40s%s\n", row.label.c_str(), text.c_str()), std::fflush(stdout);
    };
    if (terminal)
        callbacks.onStep = [](const std::string& step, int percent) {
            std::fprintf(stderr, "\r\033[K%3d %%  %s", percent, step.c_str());
        };
    return callbacks;
}

int RunPreciseCpu(const std::string& summary, const std::optional<std::string>& output, int repeat)
{
    CListPrinter printer(kCpuListRows, stdout);
    const precise::CpuRun run = precise::RunCpu(repeat, PreciseOutput(printer));
    printer.Finish();
    if (!output) return 0;
    return SaveAsThePageDoes(*output, [&] { return SaveCpuResults(summary, run.best); });
}

int RunPreciseCache(const std::string& summary, const std::optional<std::string>& output, int repeat)
{
    const platform::MemoryStatus memory = platform::GlobalMemoryStatus();
    const std::vector<int32_t> sizes = precise::CacheBlockSizes(cpu::LargestCacheBytes(), memory.availPhys);
    CListPrinter printer(kCacheListRows, stdout);
    const precise::CacheRun run = precise::RunCache(repeat, sizes, PreciseOutput(printer));
    printer.Finish();
    if (!output) return 0;
    return SaveAsThePageDoes(*output, [&] { return SaveCacheResults(summary, run.best); });
}

}  // namespace

int RunBenchCommand(const std::vector<std::string>& args)
{
    BenchOptions options;
    if (std::string error = ParseOptions(args, options); !error.empty()) {
        std::fprintf(stderr, "vext-cli bench: %s\n\n%s", error.c_str(), kBenchUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kBenchUsage, stdout);
        return 0;
    }

    // As on the page, the summary line is taken before the run (it measures the clock for a second).
    const std::string summary = FormatSystemSummary();
    std::printf("Your System : %s\n\n", summary.c_str());
    std::fflush(stdout);
    if (options.precise) {
        const int repeat = options.repeat.value_or(precise::kDefaultRepeat);
        if (options.suite == "cache") return RunPreciseCache(summary, options.output, repeat);
        return RunPreciseCpu(summary, options.output, repeat);
    }
    if (options.suite == "fpu") return RunFpu(summary, options.output);
    if (options.suite == "cache") return RunCache(summary, options.output);
    return RunCpu(summary, options.output);
}
