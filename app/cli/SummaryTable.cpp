#include "app/cli/SummaryTable.h"

#include <cstdio>

#include "app/cli/RunOutput.h"
#include "app/cli/SheetPrinting.h"
#include "platform/TextEncoding.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"
#include "results/AlignedRows.h"
#include "results/TerminalText.h"

namespace cli {

using namespace results;

namespace {

constexpr std::size_t kLabelWidth = 40;
constexpr std::size_t kValueWidth = 14;

// A file as the summary names it: its run's label, or its name.
std::string Name(const std::string& label, const std::string& path) { return label.empty() ? path : label; }

std::string Number(double value) { return platform::TextFormat("%.2f", value); }

// A file's name cut to a column, its end kept: where names of a fleet differ.
std::string ColumnHead(const std::string& name)
{
    const std::string text = TerminalText(name);
    if (text.size() < kValueWidth) return text;
    std::size_t start = text.size() - (kValueWidth - 4);
    while (start < text.size() && platform::IsUtf8Continuation(text[start])) ++start;
    return "..." + text.substr(start);
}

void PrintLine(std::string line) { std::printf("%s\n", platform::TrimTrailingBlanks(line).c_str()); }

void PrintRows(const SummaryGroup& group, const std::vector<std::string>& paths)
{
    const std::vector<ResultSheet>& sheets = group.sheets;
    PrintLine(platform::TextFormat("%-40s%-14s%-14s%-14s%-14s%s", "", "median", "minimum", "maximum", "unit", "outliers"));
    int next = 0;
    for (const SummaryRow& r : group.rows) {
        std::string line = PadColumns(TitlesThenLabel(sheets.front(), *r.row->named, next), kLabelWidth);
        if (!r.spread) {
            PrintLine(line + "-");
            continue;
        }
        std::string outliers;
        for (std::size_t i : r.spread->outliers)
            outliers += (outliers.empty() ? "" : ", ") + TerminalText(Name(sheets[r.files[i]].label, paths[group.files[r.files[i]]]));
        PrintLine(line + platform::TextFormat("%-14s%-14s%-14s%-14s%s", Number(r.spread->median), Number(r.spread->minimum),
                                              Number(r.spread->maximum), TerminalText(r.row->named->unit), outliers));
    }
}

// A row per measurement, a column per file; an outlier's value is marked "*".
void PrintPerFile(const SummaryGroup& group, const std::vector<std::string>& paths)
{
    std::string line = PadColumns("", kLabelWidth) + PadColumns("unit", kValueWidth);
    for (std::size_t f = 0; f < group.files.size(); ++f)
        line += PadColumns(ColumnHead(Name(group.sheets[f].label, paths[group.files[f]])), kValueWidth);
    PrintLine(line);
    int next = 0;
    bool marked = false;
    for (const SummaryRow& r : group.rows) {
        line = PadColumns(TitlesThenLabel(group.sheets.front(), *r.row->named, next), kLabelWidth) +
               PadColumns(TerminalText(r.row->named->unit), kValueWidth);
        for (std::size_t f = 0; f < group.files.size(); ++f) {
            const std::optional<double> value = SummaryValue(r, f);
            bool outlier = false;
            for (std::size_t i : r.spread ? r.spread->outliers : std::vector<std::size_t>()) outlier |= r.files[i] == f;
            marked |= outlier;
            line += PadColumns(value ? Number(*value) + (outlier ? "*" : "") : "-", kValueWidth);
        }
        PrintLine(line);
    }
    if (marked) std::printf("\n* more than three median absolute deviations from the group's median\n");
}

std::string Csv(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + CsvField(fields[i]);
    return line + "\r\n";
}

// A row's label, after its method where labels repeat by method (the cache's blocks).
std::string Measurement(const ResultRow& row) { return row.method ? *row.method + ", " + row.label : row.label; }

std::string GroupProcessor(const SummaryGroup& group) { return group.key.known ? ProcessorText(group.key) : ""; }

void PrintCsv(const std::vector<SummaryGroup>& groups, const std::vector<ResultSheet>& sheets,
              const std::vector<std::string>& paths, bool perFile)
{
    std::vector<std::string> head = {"group", "processor", "vext_version", "measurement", "unit"};
    if (perFile)
        for (std::size_t f = 0; f < sheets.size(); ++f) head.push_back(Name(sheets[f].label, paths[f]));
    else
        head.insert(head.end(), {"count", "median", "minimum", "maximum", "outliers"});
    std::string text = Csv(head);
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (const SummaryRow& r : groups[g].rows) {
            std::vector<std::string> fields = {std::to_string(g + 1), GroupProcessor(groups[g]), groups[g].key.version,
                                               Measurement(*r.row->named), r.row->named->unit};
            if (perFile) {
                fields.resize(fields.size() + sheets.size());
                for (std::size_t f = 0; f < groups[g].files.size(); ++f)
                    if (const std::optional<double> value = SummaryValue(r, f)) fields[5 + groups[g].files[f]] = Number(*value);
            } else {
                fields.push_back(std::to_string(r.files.size()));
                std::string outliers;
                for (std::size_t i : r.spread ? r.spread->outliers : std::vector<std::size_t>())
                    outliers += (outliers.empty() ? "" : "; ") + Name(groups[g].sheets[r.files[i]].label, paths[groups[g].files[r.files[i]]]);
                for (double v : r.spread ? std::vector<double>{r.spread->median, r.spread->minimum, r.spread->maximum}
                                         : std::vector<double>())
                    fields.push_back(Number(v));
                fields.resize(9), fields.push_back(outliers);
            }
            text += Csv(fields);
        }
    std::fputs(text.c_str(), stdout);
}

std::string SkippedText(const std::vector<SkippedFile>& skipped)
{
    return skipped.empty() ? "" : platform::TextFormat(" (%d file%s skipped)", static_cast<int>(skipped.size()), skipped.size() == 1 ? "" : "s");
}

}  // namespace

std::string CsvField(const std::string& text)
{
    const std::string shown = TerminalText(text);
    if (shown.find_first_of(",\"\r\n") == std::string::npos) return shown;
    std::string quoted = "\"";
    for (char c : shown) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void PrintSummary(const std::vector<SummaryGroup>& groups, const std::vector<ResultSheet>& sheets,
                  const std::vector<std::string>& paths, const std::vector<SkippedFile>& skipped, SummaryView view)
{
    if (view.json) return PrintJson(SummaryJson(groups, sheets, paths, skipped));
    if (view.csv) return PrintCsv(groups, sheets, paths, view.perFile);
    std::printf("%d results of kind %s%s\n", static_cast<int>(sheets.size()), TerminalText(sheets.front().kind).c_str(),
                SkippedText(skipped).c_str());
    if (groups.size() > 1)
        std::printf("A mixed set: %d groups of processor and Vext version, each summarised on its own\n",
                    static_cast<int>(groups.size()));
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const SummaryGroup& group = groups[g];
        std::printf("\n");
        if (groups.size() > 1) std::printf("Group %d of %d, ", static_cast<int>(g + 1), static_cast<int>(groups.size()));
        std::printf("%d result%s: %s\n\n", static_cast<int>(group.files.size()), group.files.size() == 1 ? "" : "s",
                    TerminalText(RunGroupText(group.key)).c_str());
        if (view.perFile)
            PrintPerFile(group, paths);
        else
            PrintRows(group, paths);
    }
}

void PrintInventory(const Inventory& inventory, const std::vector<ProcessorRecord>& records,
                    const std::vector<std::string>& paths, const std::vector<SkippedFile>& skipped, SummaryView view)
{
    if (view.json) return PrintJson(InventoryJson(inventory, records, paths));
    const auto names = [&](const std::vector<std::size_t>& nodes) {
        std::string list;
        for (std::size_t n : nodes) list += (list.empty() ? "" : ", ") + TerminalText(Name(records[n].label, paths[n]));
        return list;
    };
    std::printf("%d results of kind processor%s\n\nProcessors:\n", static_cast<int>(records.size()), SkippedText(skipped).c_str());
    for (const InventoryProcessor& p : inventory.processors)
        std::printf("%6d  %s\n", static_cast<int>(p.nodes.size()), TerminalText(ProcessorText(p.processor)).c_str());
    if (inventory.differing.empty()) return (void)std::printf("\nEvery node states the same feature flags.\n");
    std::printf("\nFeature flags that some nodes lack:\n");
    for (const InventoryFlag& f : inventory.differing) {
        std::string line = PadColumns("  " + TerminalText(f.flag), 20) +
                           platform::TextFormat("on %d of %d", static_cast<int>(f.nodes.size()), static_cast<int>(records.size()));
        if (f.nodes.size() * 2 <= records.size()) {
            PrintLine(line + ": " + names(f.nodes));
            continue;
        }
        std::vector<std::size_t> lacking;
        for (std::size_t n = 0, at = 0; n < records.size(); ++n)
            if (at < f.nodes.size() && f.nodes[at] == n) ++at;
            else lacking.push_back(n);
        PrintLine(line + ", not on " + names(lacking));
    }
}

}  // namespace cli
