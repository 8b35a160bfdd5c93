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
#include "app/cli/JsonText.h"
#include "app/cli/ProcessorJson.h"
#include "app/cli/ResultSheet.h"
#include "app/cli/TerminalText.h"
#include "platform/TextFormat.h"

namespace {

const char kCompareAbout[] =
    "Shows 2 to 16 result files of one kind (.cpu, .fpu or .cache) side by side, one column per file\n"
    "headed by its summary line, then each file's difference to the first as a ratio of speeds: \"+\"\n"
    "is faster, \"+100.0 %\" twice as fast, for times and rates alike. \"-\" where there is nothing to\n"
    "compare (a zero, infinite or missing value).\n";

constexpr std::size_t kLabelWidth = 40;
constexpr std::size_t kColumnWidth = 28;
constexpr std::size_t kDifferenceWidth = 10;
constexpr std::size_t kHeaderLength = kColumnWidth - 2;

struct CompareOptions {
    std::vector<std::string> paths;
    bool json = false;
};

// `text` padded with blanks to `width` characters (a longer text is kept whole).
std::string Pad(std::string text, std::size_t width)
{
    std::size_t shown = 0;  // characters, not bytes: UTF-8 continuation bytes take no column
    for (char c : text) shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (shown < width) text.append(width - shown, ' ');
    return text;
}

bool Comparable(double value) { return std::isfinite(value) && value != 0.0 && value != -1.0; }

// The speed of `other` relative to `first` minus one; nothing when either cannot be compared.
std::optional<double> Difference(const ResultRow& first, const ResultRow& other)
{
    if (!Comparable(first.value) || !Comparable(other.value) || first.unit != other.unit) return std::nullopt;
    const double ratio = first.isTime ? first.value / other.value : other.value / first.value;
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
    std::size_t cut = kHeaderLength - 3;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
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
    while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) ++start;
    return "..." + text.substr(start);
}

// Each column is headed by its file's summary line, or its name when it has none. Two runs of one
// machine have the same summary: columns whose heads would read alike are headed by their names.
std::vector<std::string> Headers(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths)
{
    std::vector<std::string> heads;
    for (std::size_t f = 0; f < sheets.size(); ++f)
        heads.push_back(Head(TerminalText(sheets[f].summary.empty() ? paths[f] : sheets[f].summary)));
    std::vector<std::string> headers = heads;
    for (std::size_t f = 0; f < sheets.size(); ++f)
        if (std::count(heads.begin(), heads.end(), heads[f]) > 1) headers[f] = Tail(TerminalText(paths[f]));
    return headers;
}

void PrintTable(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths)
{
    std::string line = Pad("", kLabelWidth);
    for (const std::string& header : Headers(sheets, paths)) line += Pad(header, kColumnWidth);
    for (std::size_t f = 1; f < sheets.size(); ++f) line += Pad(platform::TextFormat("%d vs 1", static_cast<int>(f + 1)), kDifferenceWidth);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
    const ResultSheet& first = sheets.front();
    int next = 0;
    for (std::size_t r = 0; r < first.rows.size(); ++r) {
        // The page's group titles and spacers go before the rows they head.
        for (; next < first.rows[r].listRow; ++next) std::printf("%s\n", first.listRows[next]);
        ++next;
        line = Pad(first.listRows[first.rows[r].listRow], kLabelWidth);
        for (const ResultSheet& sheet : sheets) line += Pad(sheet.rows[r].text, kColumnWidth);
        for (std::size_t f = 1; f < sheets.size(); ++f)
            line += Pad(DifferenceText(Difference(first.rows[r], sheets[f].rows[r])), kDifferenceWidth);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        std::printf("%s\n", line.c_str());
    }
}

nlohmann::json CompareJson(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths)
{
    nlohmann::json files = nlohmann::json::array(), rows = nlohmann::json::array();
    for (std::size_t f = 0; f < sheets.size(); ++f)
        files.push_back({{"file", Utf8OrLatin1(paths[f])}, {"system", Utf8OrLatin1(sheets[f].summary)}});
    for (std::size_t r = 0; r < sheets.front().rows.size(); ++r) {
        nlohmann::json texts = nlohmann::json::array(), values = nlohmann::json::array(), differences = nlohmann::json::array();
        for (const ResultSheet& sheet : sheets) texts.push_back(sheet.rows[r].text), values.push_back(NumberOrNull(sheet.rows[r].value));
        for (std::size_t f = 1; f < sheets.size(); ++f) {
            const std::optional<double> d = Difference(sheets.front().rows[r], sheets[f].rows[r]);
            differences.push_back(d ? nlohmann::json(*d) : nlohmann::json(nullptr));
        }
        rows.push_back({{"label", sheets.front().rows[r].label}, {"texts", texts}, {"values", values},
                        {"differences_percent", differences}});
    }
    return {{"kind", sheets.front().kind}, {"files", files}, {"rows", rows}};
}

int RunCompare(const CompareOptions& options)
{
    std::vector<ResultSheet> sheets;
    for (const std::string& path : options.paths) {
        std::string error;
        std::optional<ResultSheet> sheet = LoadResultSheet(path, error);
        if (!sheet) return FailCommand("compare", error);
        if (!sheets.empty() && sheet->kind != sheets.front().kind)
            return FailCommand("compare", "'" + path + "' is a ." + sheet->kind + " file, '" + options.paths.front() +
                                              "' a ." + sheets.front().kind + " file: compare files of one kind");
        sheets.push_back(std::move(*sheet));
    }
    if (options.json)
        PrintJson(CompareJson(sheets, options.paths));
    else
        PrintTable(sheets, options.paths);
    return 0;
}

}  // namespace

void AddCompareCommand(CLI::App& cli, CommandRun& run)
{
    CLI::App* compare = cli.add_subcommand("compare", "compare saved result files of one kind");
    SetCommandHelp(*compare, "vext-cli compare FILE FILE [FILE ...] [--json]", kCompareAbout);
    auto options = std::make_shared<CompareOptions>();
    compare->add_option("FILE", options->paths, "2 to 16 result files; the first is the base")
        ->required()
        ->expected(2, 16)
        ->check(kNotEmpty);
    compare->add_flag("--json", options->json, "one JSON object instead of the table; summary lines whole");
    compare->callback([&run, options] { run = [options] { return RunCompare(*options); }; });
}
