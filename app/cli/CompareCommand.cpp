// vext-cli compare: saved results of one kind side by side, each against the first.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/RunOutput.h"
#include "app/cli/SheetPrinting.h"
#include "app/cli/SummaryTable.h"
#include "files/ResultFiles.h"
#include "platform/TextEncoding.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"
#include "results/AlignedRows.h"
#include "results/ProcessorInventory.h"
#include "results/ResultJson.h"
#include "results/ResultLoading.h"
#include "results/ResultSheet.h"
#include "results/TerminalText.h"

namespace cli {

using namespace files;

using namespace results;

namespace {

const char kCompareAbout[] =
    "Shows 2 to 16 result files of one kind (.cpu, .fpu or .cache) side by side, one column per file\n"
    "headed by its summary line, then each file's difference to the first as a ratio of speeds: \"+\"\n"
    "is faster, \"+100.0 %\" twice as fast, for times and rates alike. \"-\" where there is nothing to\n"
    "compare (a zero, infinite or missing value).\n"
    "\n"
    "The JSON that vext-cli prints (bench --json and the like, saved with a .json name) is taken as a\n"
    "result file of its kind, headed by its --label if it has one. Rows are matched by their labels.\n"
    "\n"
    "--summary takes any number of files, a fleet's results say, and shows for each row the median,\n"
    "minimum and maximum, and the files more than three median absolute deviations from the median\n"
    "(deviations under 1 % of the median never count). Results are grouped by processor and Vext\n"
    "version (as their JSON's run states them), each group summarised on its own. A file that cannot be\n"
    "read, or whose kind is not that of most files, is named on standard error and skipped. Of\n"
    "`processor --json` results it shows the inventory: the nodes of each processor, and the feature\n"
    "flags that some nodes lack.\n"
    "\n"
    "Exit status of --summary: 0 summary printed, nothing flagged; 1 outliers flagged (processor results:\n"
    "more than one processor, or flags that differ); 3 files skipped, the rest summarised (whether or\n"
    "not outliers were flagged); 2 nothing summarised (no file could be read, or bad usage).\n";

constexpr std::size_t kLabelWidth = 40;
constexpr std::size_t kColumnWidth = 28;
constexpr std::size_t kDifferenceWidth = 10;
constexpr std::size_t kHeaderLength = kColumnWidth - 2;

struct CompareOptions {
    std::vector<std::string> paths;
    bool json = false;
    bool summary = false;
    bool perFile = false;
    bool csv = false;
};

// compare --summary's exit statuses; skipped files outrank outliers: the summary is then of part of the
// fleet, and a missing node is the first thing to see to.
constexpr int kNothingFlagged = 0;
constexpr int kOutliersFlagged = 1;
constexpr int kFilesSkipped = 3;

bool Comparable(double value) { return std::isfinite(value) && value != 0.0 && value != -1.0; }

// The speed of `other` relative to `first` minus one; nothing when either cannot be compared.
std::optional<double> Difference(const ResultRow* first, const ResultRow* other)
{
    if (!first || !other || !Comparable(first->value) || !Comparable(other->value) || first->unit != other->unit)
        return std::nullopt;
    const double ratio = first->isTime ? first->value / other->value : other->value / first->value;
    return std::isfinite(ratio) ? std::optional<double>((ratio - 1.0) * 100.0) : std::nullopt;
}

std::string DifferenceText(const std::optional<double>& percent)
{
    return percent ? platform::TextFormat("%+.1f %%", *percent) : "-";
}

// `text` cut to a column head, its start kept.
std::string Head(const std::string& text)
{
    if (text.size() <= kHeaderLength) return text;
    std::size_t cut = platform::Utf8CutPoint(text, kHeaderLength - 3);
    // Never cut a "\x1b" in two: a stray backslash would read as the start of another escape.
    for (std::size_t back = 1; back <= 3 && back <= cut; ++back)
        if (text.compare(cut - back, 2, "\\x") == 0) {
            cut -= back;
            break;
        }
    return text.substr(0, cut) + "...";
}

// `text` cut to a column head, its end kept: where file names differ.
std::string Tail(const std::string& text)
{
    if (text.size() <= kHeaderLength) return text;
    std::size_t start = text.size() - (kHeaderLength - 3);
    while (start < text.size() && platform::IsUtf8Continuation(text[start])) ++start;
    return "..." + text.substr(start);
}

// Each column is headed by its run's label, else its file's summary line, else its name. Two runs of
// one machine have the same summary: columns whose heads would read alike are headed by their names.
std::vector<std::string> Headers(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths)
{
    std::vector<std::string> heads;
    for (std::size_t f = 0; f < sheets.size(); ++f) {
        const ResultSheet& sheet = sheets[f];
        heads.push_back(Head(TerminalText(!sheet.label.empty() ? sheet.label : sheet.summary.empty() ? paths[f] : sheet.summary)));
    }
    std::vector<std::string> headers = heads;
    for (std::size_t f = 0; f < sheets.size(); ++f)
        if (std::count(heads.begin(), heads.end(), heads[f]) > 1) headers[f] = Tail(TerminalText(paths[f]));
    return headers;
}

void PrintTable(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths)
{
    std::string line = PadColumns("", kLabelWidth);
    for (const std::string& header : Headers(sheets, paths)) line += PadColumns(header, kColumnWidth);
    for (std::size_t f = 1; f < sheets.size(); ++f) line += PadColumns(platform::TextFormat("%d vs 1", static_cast<int>(f + 1)), kDifferenceWidth);
    std::printf("%s\n", platform::TrimTrailingBlanks(line).c_str());
    int next = 0;
    for (const AlignedRow& row : AlignRows(sheets)) {
        line = PadColumns(TitlesThenLabel(sheets.front(), *row.named, next), kLabelWidth);
        for (const ResultRow* cell : row.cells) line += PadColumns(cell ? TerminalText(cell->text) : "-", kColumnWidth);
        for (std::size_t f = 1; f < sheets.size(); ++f)
            line += PadColumns(DifferenceText(Difference(row.cells.front(), row.cells[f])), kDifferenceWidth);
        std::printf("%s\n", platform::TrimTrailingBlanks(line).c_str());
    }
}

nlohmann::json CompareJson(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths)
{
    nlohmann::json rows = nlohmann::json::array();
    for (const AlignedRow& row : AlignRows(sheets)) {
        nlohmann::json texts = nlohmann::json::array(), values = nlohmann::json::array(), differences = nlohmann::json::array();
        for (const ResultRow* cell : row.cells)
            texts.push_back(cell ? nlohmann::json(platform::Utf8OrLatin1(cell->text)) : nlohmann::json(nullptr)),
                values.push_back(cell ? NumberOrNull(cell->value) : nlohmann::json(nullptr));
        for (std::size_t f = 1; f < sheets.size(); ++f) {
            const std::optional<double> d = Difference(row.cells.front(), row.cells[f]);
            differences.push_back(d ? nlohmann::json(*d) : nlohmann::json(nullptr));
        }
        rows.push_back({{"label", platform::Utf8OrLatin1(row.named->label)}, {"texts", texts}, {"values", values},
                        {"differences_percent", differences}});
    }
    return {{"kind", platform::Utf8OrLatin1(sheets.front().kind)}, {"files", FilesJson(sheets, paths)}, {"rows", rows}};
}

// "a .cpu file"; a JSON result of another kind: "a latency result", "a processor result".
std::string KindText(const std::string& kind)
{
    return FindResultFileKind(kind) ? "a ." + kind + " file" : "a " + TerminalText(kind) + " result";
}

// What compare could read of one file: a benchmark result, or the processor's JSON.
struct LoadedFile {
    std::string path;
    std::optional<ResultSheet> sheet;
    std::optional<ProcessorRecord> processor;
    std::string Kind() const { return sheet ? sheet->kind : "processor"; }
};

std::optional<LoadedFile> LoadCompared(const std::string& path, std::string& error)
{
    if (ResultFileExtension(path) != "json") {
        std::optional<ResultSheet> sheet = LoadResultSheet(path, error);
        return sheet ? std::optional<LoadedFile>(LoadedFile{path, std::move(sheet), std::nullopt}) : std::nullopt;
    }
    const std::optional<std::string> bytes = ReadResultJsonFile(path, error);
    if (!bytes) return std::nullopt;
    // What a shell's "> FILE" leaves of a run that failed.
    if (bytes->empty()) return error = "'" + TerminalText(path) + "' is empty", std::nullopt;
    if (std::optional<ResultSheet> sheet = ParseResultJson(*bytes, error)) return LoadedFile{path, std::move(sheet), std::nullopt};
    std::string notProcessor;
    if (std::optional<ProcessorRecord> processor = ParseProcessorJson(*bytes, notProcessor))
        return LoadedFile{path, std::nullopt, std::move(processor)};
    error = "'" + TerminalText(path) + "' is not a vext-cli JSON result: " + TerminalText(error);
    return std::nullopt;
}

// The kind most files have; of kinds as many files have, the first file's.
std::string CommonKind(const std::vector<LoadedFile>& files)
{
    std::string common;
    long most = 0;
    for (const LoadedFile& file : files) {
        const long count = std::count_if(files.begin(), files.end(), [&](const LoadedFile& f) { return f.Kind() == file.Kind(); });
        if (count > most) most = count, common = file.Kind();
    }
    return common;
}

// Every file that can be read is summarised; the others are named on standard error and counted.
int RunSummary(const CompareOptions& options)
{
    std::vector<LoadedFile> loaded;
    std::vector<SkippedFile> skipped;
    const auto skip = [&skipped](const std::string& path, const std::string& reason) {
        std::fprintf(stderr, "vext-cli compare: skipped: %s\n", TerminalText(reason).c_str());
        skipped.push_back({path, reason});
    };
    for (const std::string& path : options.paths) {
        std::string error;
        if (std::optional<LoadedFile> file = LoadCompared(path, error)) loaded.push_back(std::move(*file));
        else skip(path, error);
    }
    const std::string kind = CommonKind(loaded);
    std::vector<std::string> paths;
    std::vector<ResultSheet> sheets;
    std::vector<ProcessorRecord> records;
    for (LoadedFile& file : loaded) {
        if (file.Kind() != kind) {
            skip(file.path, "'" + file.path + "' is a " + file.Kind() + " result, not of the kind most files are (" + kind + ")");
            continue;
        }
        paths.push_back(file.path);
        if (file.sheet) sheets.push_back(std::move(*file.sheet));
        else records.push_back(std::move(*file.processor));
    }
    if (paths.empty()) return FailCommand("compare", "no file could be read: nothing to summarise");
    const SummaryView view{options.json, options.perFile, options.csv};
    bool flagged = false;
    if (!records.empty()) {
        const Inventory inventory = TakeInventory(records);
        PrintInventory(inventory, records, paths, skipped, view);
        flagged = !inventory.Uniform();
    } else {
        const std::vector<SummaryGroup> groups = SummariseGroups(sheets);
        PrintSummary(groups, sheets, paths, skipped, view);
        flagged = std::any_of(groups.begin(), groups.end(), [](const SummaryGroup& g) { return g.Flagged(); });
    }
    if (skipped.empty()) return flagged ? kOutliersFlagged : kNothingFlagged;
    std::fprintf(stderr, "vext-cli compare: %d of %d files skipped\n", static_cast<int>(skipped.size()),
                 static_cast<int>(options.paths.size()));
    return kFilesSkipped;
}

int RunCompare(const CompareOptions& options)
{
    if (options.summary) return RunSummary(options);
    std::vector<ResultSheet> sheets;
    for (const std::string& path : options.paths) {
        std::string error;
        std::optional<LoadedFile> file = LoadCompared(path, error);
        if (!file) return FailCommand("compare", error);
        if (!file->sheet)
            return FailCommand("compare", "'" + path + "' is a processor result: compare --summary takes those (as an "
                                                      "inventory); compare takes benchmark results");
        std::optional<ResultSheet>& sheet = file->sheet;
        if (!sheets.empty() && sheet->kind != sheets.front().kind)
            return FailCommand("compare", "'" + path + "' is " + KindText(sheet->kind) + ", '" + options.paths.front() +
                                              "' " + KindText(sheets.front().kind) + ": compare files of one kind");
        sheets.push_back(std::move(*sheet));
    }
    if (options.json)
        PrintJson(CompareJson(sheets, options.paths));
    else
        PrintTable(sheets, options.paths);
    return 0;
}

}  // namespace

void AddCompareCommand(CLI::App& cli, CommandRun& run, const bench::Context& /*context*/)
{
    CLI::App* compare = cli.add_subcommand("compare", "compare saved result files of one kind");
    SetCommandHelp(*compare,
                   "vext-cli compare FILE FILE [FILE ...] [--json]\n"
                   "       vext-cli compare --summary FILE [FILE ...] [--per-file] [--json | --csv]",
                   kCompareAbout);
    auto options = std::make_shared<CompareOptions>();
    compare->add_option("FILE", options->paths, "2 to 16 result files; the first is the base")
        ->required()
        ->expected(1, CLI::detail::expected_max_vector_size)
        ->check(kNotEmpty);
    compare->add_flag("--json", options->json, "one JSON object instead of the table; summary lines whole");
    compare->add_flag("--summary", options->summary, "any number of files: each row's median, range and outliers");
    compare->add_flag("--per-file", options->perFile, "with --summary: each file's value, a column per file");
    compare->add_flag("--csv", options->csv, "with --summary: the table as CSV (RFC 4180), for spreadsheets");
    compare->callback([&run, options] {
        const std::size_t files = options->paths.size();
        if (!options->summary && files < 2) throw CLI::ArgumentMismatch::AtLeast("FILE", 2, files);
        if (!options->summary && files > 16) throw CLI::ArgumentMismatch::AtMost("FILE", 16, files);
        if (!options->summary && (options->perFile || options->csv))
            throw CLI::ValidationError(options->csv ? "--csv" : "--per-file", "goes with --summary");
        if (options->csv && options->json) throw CLI::ValidationError("--csv", "does not go with --json: give one");
        run = [options] { return RunCompare(*options); };
    });
}

}  // namespace cli
