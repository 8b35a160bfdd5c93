// vext-cli bench: runs a benchmark suite without a display, printing each row of its page as the
// result arrives, and with -o saves the results exactly as the page's "Save Results" does.
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/CommandHelp.h"
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

const char kBenchAbout[] =
    "Runs one benchmark suite as its page's \"Benchmark\" button does and prints each row of the page\n"
    "with its result as it arrives. The CPU suite takes up to a few minutes.\n"
    "\n"
    "With --precise (cpu and cache), each measurement runs once to warm up, then N times; its row shows\n"
    "the best value and the spread of the N (coefficient of variation, marked \"(noisy)\" above 5 %).\n"
    "Dhrystone doubles its passes until one run lasts 0.5 s; the cache adds blocks from 1 Mb up to four\n"
    "times the largest cache (at most 1 Gb and a quarter of the free memory). -o saves the best values\n"
    "of the standard rows.\n";

struct BenchOptions {
    std::string suite;
    std::optional<std::string> output;
    bool precise = false;
    int repeat = precise::kDefaultRepeat;
};

int Fail(const std::string& message) { return FailCommand("bench", message); }

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

// Precise rows: the page's label and value, then the spread of the repeats. On a terminal, the step
// running and how far the run is go to standard error.
precise::Callbacks PreciseOutput(CListPrinter& printer)
{
    precise::Callbacks callbacks;
    const bool terminal = ::isatty(STDERR_FILENO);
    callbacks.onRow = [&printer, terminal](const precise::Row& row, int listRow) {
        if (terminal) std::fputs("\r\033[K", stderr);
        const std::string text = row.runs ? row.text + "  " + precise::FormatSpread(row.spreadPercent) : row.text;
        if (listRow >= 0) return printer.Cell(listRow, text);
        std::printf("%-40s%s\n", row.label.c_str(), text.c_str());
        std::fflush(stdout);
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
    const uint64_t freeMemory = platform::GlobalMemoryStatus().availPhys;
    const std::vector<int32_t> sizes = precise::CacheBlockSizes(cpu::LargestCacheBytes(), freeMemory);
    CListPrinter printer(kCacheListRows, stdout);
    const precise::CacheRun run = precise::RunCache(repeat, sizes, PreciseOutput(printer));
    printer.Finish();
    if (!output) return 0;
    return SaveAsThePageDoes(*output, [&] { return SaveCacheResults(summary, run.best); });
}

int RunBench(const BenchOptions& options)
{
    // As on the page, the summary line is taken before the run (it measures the clock for a second).
    const std::string summary = FormatSystemSummary();
    std::printf("Your System : %s\n\n", summary.c_str());
    std::fflush(stdout);
    if (options.precise && options.suite == "cache") return RunPreciseCache(summary, options.output, options.repeat);
    if (options.precise) return RunPreciseCpu(summary, options.output, options.repeat);
    if (options.suite == "fpu") return RunFpu(summary, options.output);
    if (options.suite == "cache") return RunCache(summary, options.output);
    return RunCpu(summary, options.output);
}

}  // namespace

void AddBenchCommand(CLI::App& cli, CommandRun& run)
{
    CLI::App* bench = cli.add_subcommand("bench", "run a benchmark suite, optionally saving its results");
    SetCommandHelp(*bench, "vext-cli bench cpu|fpu|cache [-o FILE] [--precise [--repeat N]]", kBenchAbout);
    auto options = std::make_shared<BenchOptions>();
    bench->add_option("suite", options->suite, "cpu, fpu or cache")
        ->required()
        ->check(CLI::IsMember({"cpu", "fpu", "cache"}));
    bench->add_option("-o,--output", options->output,
                      "save the results to FILE as the page's \"Save Results\" does (a .cpu, .fpu or\n"
                      ".cache file with this machine's summary line); an existing file is replaced\n"
                      "only once the new one is complete")
        ->type_name("FILE")
        ->check(kNotEmpty);
    CLI::Option* precise = bench->add_flag("--precise", options->precise,
                                           "cpu and cache: best of repeated runs with their spread");
    bench->add_option("--repeat", options->repeat, "runs per measurement in precise mode (default 5)")
        ->type_name("N")
        ->check(CLI::Range(precise::kMinRepeat, precise::kMaxRepeat))
        ->needs(precise);
    bench->callback([&run, options] {
        if (options->precise && options->suite == "fpu") throw CLI::ValidationError("--precise", "is for the cpu and cache suites");
        run = [options] { return RunBench(*options); };
    });
}
