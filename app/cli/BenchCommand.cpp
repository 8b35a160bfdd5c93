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
#include "cpu/Clock.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"

namespace {

const char kBenchAbout[] =
    "Runs one benchmark suite as its page's \"Benchmark\" button does and prints each row of the page\n"
    "with its result as it arrives. The CPU suite takes up to a few minutes.\n";

struct BenchOptions {
    std::string suite;
    std::optional<std::string> output;
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
    callbacks.afterMeasurement = [&](int index, double rate, uint32_t) {
        printer.Cell(CacheResultRow(index), FormatCacheRate(rate));
    };
    CacheResults results = RunCacheSuite(callbacks);
    printer.Finish();
    if (!output) return 0;
    return SaveAsThePageDoes(*output, [&] { return SaveCacheResults(summary, results); });
}

int RunBench(const BenchOptions& options)
{
    // As on the page, the summary line is taken before the run (it measures the clock for a second).
    const std::string summary = FormatSystemSummary();
    std::printf("Your System : %s\n\n", summary.c_str());
    std::fflush(stdout);
    if (options.suite == "fpu") return RunFpu(summary, options.output);
    if (options.suite == "cache") return RunCache(summary, options.output);
    return RunCpu(summary, options.output);
}

}  // namespace

void AddBenchCommand(CLI::App& cli, CommandRun& run)
{
    CLI::App* bench = cli.add_subcommand("bench", "run a benchmark suite, optionally saving its results");
    SetCommandHelp(*bench, "vext-cli bench cpu|fpu|cache [-o FILE]", kBenchAbout);
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
    bench->callback([&run, options] { run = [options] { return RunBench(*options); }; });
}
