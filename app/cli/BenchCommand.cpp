// vext-cli bench: runs a benchmark suite without a display, printing each row of its page as the
// result arrives, and with -o saves the results exactly as the page's "Save Results" does.
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/ListPrinter.h"
#include "bench/PreciseSuites.h"
#include "app/cli/ProgressLine.h"
#include "app/cli/ResultOutput.h"
#include "app/cli/RunOutput.h"
#include "platform/StandardOutput.h"
#include "app/cli/ThreadedBench.h"
#include "bench/BenchSuites.h"
#include "bench/CpuSuite.h"
#include "bench/MemoryPlans.h"
#include "cpu/ModernProcessor.h"
#include "cpu/SystemSummary.h"
#include "files/ResultFiles.h"
#include "bench/ResultTables.h"
#include "platform/SystemQueries.h"
#include "platform/TextFormat.h"
#include "results/ResultSheet.h"
#include "results/RunIdentity.h"
#include "results/TerminalText.h"

namespace cli {

using namespace files;

using namespace bench;

using namespace cpu;

using namespace results;

namespace {

const char kBenchAbout[] =
    "Runs one benchmark suite as its page's \"Benchmark\" button does and prints each row of the page\n"
    "with its result as it arrives. The CPU suite takes up to a few minutes.\n"
    "\n"
    "With --precise (cpu and cache), each measurement runs once to warm up, then N times; its row shows\n"
    "the best value and the spread of the N (coefficient of variation, marked \"(noisy)\" above 5 %).\n"
    "Dhrystone doubles its passes until one run lasts 0.5 s; the cache adds blocks from 1 Mb up to four\n"
    "times the largest cache (at most 1 Gb and a quarter of the free memory: the least of what the\n"
    "kernel says is available and what the control group still allows). -o saves the best values of\n"
    "the standard rows.\n"
    "\n"
    "With --threads N (cpu and fpu), each measurement runs on one thread, then on N threads at once,\n"
    "each pinned to a logical processor of its own (one per core first, then their siblings; \"all\" takes\n"
    "every one the process may run on). Each row shows the lone run, the slowest thread and the scaling:\n"
    "the threads' summed rate over N times the lone rate. Then the rating of every thread and their sum.\n"
    "Nothing is saved: a result file holds one thread's values; --json carries them all. Each thread\n"
    "counts as 256 Kb: where the threads and the lone one would need more than a quarter of the free\n"
    "memory, fewer run, and standard error says so. A control group that allows less processor time\n"
    "than the threads that run at once is named on standard error (and as \"cpu_quota\" in the JSON's\n"
    "run): the figures then measure that quota, not the machine.\n";

struct BenchOptions {
    std::string suite;
    const ResultFileKind* kind = nullptr;  // the suite's, once the command line is read
    std::optional<std::string> output;
    bool overwrite = false;
    bool json = false;  // the whole result at the end: --json or --openmetrics
    ResultOutputOptions result;
    bool precise = false;
    int repeat = precise::kDefaultRepeat;
    std::optional<std::string> label;
    std::optional<std::string> threads;  // "N" or "all"
};

int Fail(const std::string& message) { return FailCommand("bench", message); }

// The writer's reason, when it left one.
std::string Reason(int error) { return error ? std::string(": ") + std::strerror(error) : std::string(); }

// Saves as "Save Results" does: a new file beside the target, which takes the target's name once it is
// complete. Without --overwrite a file that appeared at the target during the run is kept.
int Save(const std::string& path, const std::vector<uint8_t>& record, bool overwrite)
{
    int error = 0;
    switch (WriteResultFile(path, record, overwrite ? ExistingFile::Replace : ExistingFile::Keep, &error)) {
    case ResultFileStatus::Ok: return 0;
    case ResultFileStatus::TargetExists:
        return Fail("'" + path + "' appeared during the run and is kept: the results printed above were not saved");
    case ResultFileStatus::CannotCreate: return Fail("cannot create '" + path + "'" + Reason(error));
    default: return Fail("cannot write '" + path + "'" + Reason(error));
    }
}

// Whether -o names the whole result's file (NAME.json with --json, NAME.prom with --openmetrics)
// rather than the record that "Save Results" writes.
bool OutputIsResult(const BenchOptions& options)
{
    return options.output && options.json && !WrittenInPlace(*options.output) &&
           ResultFileExtension(*options.output) == ResultExtension(options.result.Format());
}

// Where -o saves, checked before anything is measured. A bare name gets the suite's extension; a name
// with another extension, or with no name before it, is refused: show and the pages know a result file
// only by its extension. An existing file is replaced only when asked (the page's Save dialog asks
// first), and only where the save could: the writer's own check says so (files/AtomicFile.h).
std::optional<std::string> OutputTarget(const BenchOptions& options, std::string& error)
{
    std::string path = *options.output;
    if (WrittenInPlace(path)) return path;
    const std::filesystem::path name = std::filesystem::path(path).filename();
    // "-o=x" gives "=x": never meant as a name. ".cpu" would be a hidden file without a name.
    if (name.empty() || (name.native().front() == '.' && !name.has_extension()) || name.native().front() == '=') {
        error = "'" + path + "' names no file: the " + options.suite + " suite saves NAME." + options.suite +
                " (-o NAME or --output=NAME)";
        return std::nullopt;
    }
    if (!name.has_extension()) path += "." + options.suite;
    const std::string extension = ResultFileExtension(path);
    if (extension != options.suite) {
        error = "'" + path + "' ends in \"." + extension + "\"; the " + options.suite + " suite saves ." + options.suite +
                " files";
        return std::nullopt;
    }
    const FileWriteCheck check = CheckFileWritable(path, options.overwrite ? ExistingFile::Replace : ExistingFile::Keep);
    if (check.status == FileWriteStatus::Ok) return path;
    if (check.status == FileWriteStatus::TargetExists)
        error = "'" + path + "' exists (--overwrite replaces it)";
    else
        error = (check.replaces ? "cannot replace '" : "cannot save to '") + path + "'" + Reason(check.error);
    return std::nullopt;
}

template <std::size_t Size>
std::vector<uint8_t> Bytes(const std::array<uint8_t, Size>& record)
{
    return {record.begin(), record.end()};
}

// Runs the suite, printing each row as it arrives unless the whole is wanted as JSON. `record` is
// what -o saves.
ResultSheet RunSuite(const bench::Context& context, const ResultFileKind& suite, const std::string& summary,
                     RowPrinting printing, std::vector<uint8_t>& record, const OnBenchFailure& onFailure)
{
    CListPrinter printer(suite.listRows, stdout);
    auto show = [&](int row, const std::string& text) {
        if (printing == RowPrinting::AsMeasured) printer.Cell(row, text);
    };
    ResultSheet sheet;
    if (&suite == &kCpuResultFile) {
        CpuSuiteCallbacks callbacks;
        callbacks.onFailure = onFailure;
        callbacks.onResult = [&](int index, uint32_t value) { show(CpuResultRow(index), FormatCpuResult(index, value)); };
        const CpuResults results = context.suites.cpu(context.machine, callbacks);
        record = Bytes(EncodeCpuRecord(summary, results));
        sheet = CpuSheet(summary, results);
    } else if (&suite == &kFpuResultFile) {
        // The Whetstone results come only at its end: on a terminal, show which section is running.
        FpuSuiteCallbacks callbacks;
        callbacks.onFailure = onFailure;
        if (::isatty(STDERR_FILENO)) {
            callbacks.afterSection = [](int section, bool calibrating) {
                std::fprintf(stderr, "\r%s N%d ", calibrating ? "calibrating" : "running    ", section);
            };
            callbacks.afterRun = [] { std::fprintf(stderr, "\r                \r"); };
        }
        const WhetstoneResults results = context.suites.fpu(context.machine, callbacks);
        for (const ResultCell& cell : FpuResultCells(results)) show(cell.row, cell.text);
        record = Bytes(EncodeFpuRecord(summary, results));
        sheet = FpuSheet(summary, results);
    } else {
        CacheSuiteCallbacks callbacks;
        callbacks.onFailure = onFailure;
        callbacks.afterMeasurement = [&](int index, double rate, double) { show(CacheResultRow(index), FormatCacheRate(rate)); };
        const CacheResults results = context.suites.cache(context.machine, callbacks);
        record = Bytes(EncodeCacheRecord(summary, results));
        sheet = CacheSheet(summary, results);
    }
    if (printing == RowPrinting::AsMeasured) printer.Finish();
    return sheet;
}

// Precise rows: the page's label and value, then the spread of the repeats. On a terminal, the step
// running and how far the run is go to standard error.
precise::Callbacks PreciseOutput(CListPrinter& printer)
{
    precise::Callbacks callbacks;
    const CProgressLine progress;
    callbacks.onRow = [&printer, progress](const precise::Row& row, int listRow) {
        progress.Clear();
        const std::string text = !row.runs.empty() ? row.text + "  " + precise::FormatSpread(row.spreadPercent) : row.text;
        if (listRow >= 0) return printer.Cell(listRow, text);
        std::printf("%-40s%s\n", row.label.c_str(), text.c_str());
        platform::FlushOutput();
    };
    if (progress.OnTerminal())
        callbacks.onStep = [progress](const std::string& step, int percent) {
            progress.Show(platform::TextFormat("%3d %%  %s", percent, step));
        };
    return callbacks;
}

// The precise rows as a sheet: the standard rows' units, the added cache blocks in Mb/sec.
ResultSheet PreciseSheet(ResultSheet standard, const std::vector<std::pair<precise::Row, int>>& rows)
{
    ResultSheet sheet{standard.kind, standard.listRows, standard.summary, {}, {}};
    for (const auto& [p, listRow] : rows) {
        // The total is a sum of best times, not a measurement: it has no spread.
        const auto spread = p.runs.empty() ? std::nullopt : std::optional<double>(p.spreadPercent);
        ResultRow row{listRow, p.label, p.text, p.best, "Mb/sec", false, std::nullopt, p.best, spread, p.runs};
        // The added cache blocks follow their group's standard blocks, and so its method.
        if (!sheet.rows.empty()) row.method = sheet.rows.back().method;
        for (const ResultRow& s : standard.rows)
            if (s.listRow == listRow)
                row.label = s.label, row.unit = s.unit, row.isTime = s.isTime, row.blockKb = s.blockKb, row.method = s.method;
        if (p.blockBytes) row.blockKb = static_cast<int>(p.blockBytes / 1024);
        sheet.rows.push_back(row);
    }
    return sheet;
}

ResultSheet RunPrecise(const platform::Machine& machine, const BenchOptions& options, const std::string& summary,
                       std::vector<uint8_t>& record, const OnBenchFailure& onFailure)
{
    CListPrinter printer(options.kind->listRows, stdout);
    std::vector<std::pair<precise::Row, int>> rows;
    precise::Callbacks callbacks = PreciseOutput(printer);
    callbacks.onFailure = onFailure;
    if (options.json) callbacks.onRow = [&rows](const precise::Row& row, int listRow) { rows.emplace_back(row, listRow); };
    ResultSheet sheet;
    if (options.kind == &kCpuResultFile) {
        const precise::CpuRun run = precise::RunCpu(machine, options.repeat, callbacks);
        record = Bytes(EncodeCpuRecord(summary, run.best));
        sheet = PreciseSheet(CpuSheet(summary, run.best), rows);
    } else {
        const std::vector<int32_t> sizes = PreciseCacheBlockSizes(machine, cpu::LargestCacheBytes(machine));
        const precise::CacheRun run = precise::RunCache(machine, options.repeat, sizes, callbacks);
        // A record has no place for "not measured": an incomplete run is printed, never saved.
        if (run.complete) record = Bytes(EncodeCacheRecord(summary, run.best));
        sheet = PreciseSheet(CacheSheet(summary, run.best), rows);
    }
    if (!options.json) printer.Finish();
    return sheet;
}

int RunSuiteCommand(const bench::Context& context, const BenchOptions& options, const OnBenchFailure& onFailure,
                    CResultOutput& result)
{
    if (options.threads) {
        std::optional<int> count;
        if (*options.threads != "all") count = std::stoi(*options.threads);
        return RunThreadedBench(context, {options.suite, count, options.json, options.label}, onFailure, result);
    }
    std::optional<std::string> target;
    if (options.output && !OutputIsResult(options)) {
        std::string error;
        target = OutputTarget(options, error);
        if (!target) return Fail(error);
    }
    NoteCpuQuota(context.machine, "bench", 1);
    const nlohmann::json identity = options.json ? RunIdentity(context.machine, options.label, 1) : nlohmann::json();
    // As on the page, the summary line is taken before the run (it measures the clock for a second).
    const std::string summary = FormatSystemSummary(context.machine);
    if (!options.json) std::printf("Your System : %s\n\n", TerminalText(summary).c_str());
    platform::FlushOutput();
    std::vector<uint8_t> record;
    const ResultSheet sheet =
        options.precise ? RunPrecise(context.machine, options, summary, record, onFailure)
                        : RunSuite(context, *options.kind, summary, RowPrintingFor(options.json), record, onFailure);
    if (options.json) result.Keep(SheetJson(sheet), identity);
    if (target && record.empty())
        return Fail("'" + *target + "' was not saved: a block could not be measured, and a result file has no place for a rate that was not");
    return target ? Save(*target, record, options.overwrite) : 0;
}

// A failure the run handed on (which the page shows, and then goes on) is the command's failure too: the
// results are printed and saved as the page would keep them, and the status says they are not sound.
// The whole result is printed then, or written to its file only when the run succeeded.
int RunBench(const bench::Context& context, const BenchOptions& options)
{
    CResultOutput result("bench", options.result.Format(), OutputIsResult(options) ? options.output : std::nullopt,
                         options.overwrite);
    if (!result.Ready()) return 2;
    CRunFailures failures;
    const int status = RunSuiteCommand(context, options, failures.Printer(), result);
    const int delivered = result.Deliver(status == 0 && failures.Any() ? 2 : status);
    platform::FlushOutput();
    return delivered;
}

}  // namespace

void AddBenchCommand(CLI::App& cli, CommandRun& run, const bench::Context& context)
{
    CLI::App* benchCommand = cli.add_subcommand("bench", "run a benchmark suite, optionally saving its results");
    SetCommandHelp(*benchCommand,
                   "vext-cli bench cpu|fpu|cache [-o FILE [--overwrite]] [--json [--label TEXT] | --openmetrics]\n"
                   "                             [--precise [--repeat N]]\n"
                   "       vext-cli bench cpu|fpu --threads N|all [--json [--label TEXT] | --openmetrics] [-o FILE]\n"
                   "       vext-cli bench latency|bandwidth [OPTIONS]",
                   kBenchAbout);
    auto options = std::make_shared<BenchOptions>();
    benchCommand->add_option("suite", options->suite, "cpu, fpu or cache")
        ->check(CLI::IsMember(std::vector<std::string>{kCpuResultFile.name, kFpuResultFile.name, kCacheResultFile.name}));
    AddLatencyCommand(*benchCommand, run, context);
    AddBandwidthCommand(*benchCommand, run, context);
    benchCommand->add_option("-o,--output", options->output,
                      "save the results to FILE as the page's \"Save Results\" does (a .cpu, .fpu or\n"
                      ".cache file with this machine's summary line; a name without an extension\n"
                      "gets the suite's); with --json, NAME.json takes the JSON instead (with\n"
                      "--openmetrics, NAME.prom the metrics), written only when the run succeeded")
        ->type_name("FILE")
        ->check(kNotEmpty);
    benchCommand->add_flag("--overwrite", options->overwrite,
                    "let -o replace an existing file (once the new one is complete); without it, a\n"
                    "file that appears at FILE during the run is kept");
    CLI::Option* json = benchCommand->add_flag("--json", options->json, "one JSON object after the run instead of the list");
    AddLabelOption(*benchCommand, options->label, json);
    AddResultOutputOptions(*benchCommand, options->result, false);
    CLI::Option* precise = benchCommand->add_flag("--precise", options->precise,
                                           "cpu and cache: best of repeated runs with their spread");
    benchCommand->add_option("--repeat", options->repeat, "runs per measurement in precise mode (default 5)")
        ->type_name("N")
        ->check(CLI::Range(precise::kMinRepeat, precise::kMaxRepeat))
        ->needs(precise);
    benchCommand->add_option("--threads", options->threads, "cpu and fpu: the kernels on N pinned threads at once (or all)")
        ->type_name("N|all")
        ->check(kThreadCount);
    benchCommand->callback([&run, options, benchCommand, &context] {
        if (!benchCommand->get_subcommands().empty()) return;  // latency or bandwidth: their own run
        if (options->suite.empty()) throw CLI::RequiredError("suite");
        options->kind = FindResultFileKind(options->suite);
        CheckResultOutput(options->json, options->result, false);
        if (options->precise && options->kind == &kFpuResultFile) throw CLI::ValidationError("--precise", "is for the cpu and cache suites");
        if (options->threads && options->kind == &kCacheResultFile) throw CLI::ValidationError("--threads", "is for the cpu and fpu suites");
        // A result file holds one thread's values: refused before anything runs.
        if (options->threads && options->output && !OutputIsResult(*options)) throw CLI::ValidationError("--threads", "writes no result file: leave out -o");
        if (options->threads && options->precise) throw CLI::ValidationError("--threads", "does not go with --precise");
        run = [options, &context] { return RunBench(context, *options); };
    });
}

}  // namespace cli
