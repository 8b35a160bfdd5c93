#include "app/cli/CompareSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/cli/AlignedRows.h"
#include "app/cli/JsonText.h"
#include "app/cli/ProcessorJson.h"
#include "app/cli/TerminalText.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"

namespace {

constexpr double kSmallestMadOfMedian = 0.01;
constexpr double kOutlierMads = 3.0;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// A file as the summary names it: its run's label, or its name.
std::string Name(const ResultSheet& sheet, const std::string& path) { return sheet.label.empty() ? path : sheet.label; }

struct SummaryRow {
    const AlignedRow* row;
    std::vector<std::size_t> files;  // the files with a finite value, in order
    std::optional<RowSpread> spread;
};

std::vector<SummaryRow> Summarise(const std::vector<AlignedRow>& aligned)
{
    std::vector<SummaryRow> rows;
    for (const AlignedRow& row : aligned) {
        SummaryRow summary{&row, {}, std::nullopt};
        std::vector<double> values;
        for (std::size_t f = 0; f < row.cells.size(); ++f) {
            const ResultRow* cell = row.cells[f];
            if (!cell || !std::isfinite(cell->value) || cell->unit != row.named->unit) continue;
            summary.files.push_back(f), values.push_back(cell->value);
        }
        summary.spread = Spread(values);
        rows.push_back(std::move(summary));
    }
    return rows;
}

std::string Number(double value) { return platform::TextFormat("%.2f", value); }

void PrintTable(const std::vector<SummaryRow>& rows, const std::vector<ResultSheet>& sheets,
                const std::vector<std::string>& paths)
{
    std::printf("%d results of kind %s\n\n", static_cast<int>(sheets.size()), TerminalText(sheets.front().kind).c_str());
    std::printf("%-40s%-14s%-14s%-14s%-14s%s\n", "", "median", "minimum", "maximum", "unit", "outliers");
    int next = 0;
    for (const SummaryRow& r : rows) {
        const std::string label = TitlesThenLabel(sheets.front(), *r.row->named, next);
        std::string line = PadColumns(label, 40);
        if (!r.spread) {
            std::printf("%s-\n", line.c_str());
            continue;
        }
        std::string outliers;
        for (std::size_t i : r.spread->outliers)
            outliers += (outliers.empty() ? "" : ", ") + TerminalText(Name(sheets[r.files[i]], paths[r.files[i]]));
        line += platform::TextFormat("%-14s%-14s%-14s%-14s%s", Number(r.spread->median), Number(r.spread->minimum),
                                     Number(r.spread->maximum), TerminalText(r.row->named->unit), outliers);
        std::printf("%s\n", platform::TrimTrailingBlanks(line).c_str());
    }
}

nlohmann::json SummaryJson(const std::vector<SummaryRow>& rows, const std::vector<ResultSheet>& sheets,
                           const std::vector<std::string>& paths)
{
    nlohmann::json list = nlohmann::json::array();
    for (const SummaryRow& r : rows) {
        nlohmann::json row = {{"label", Utf8OrLatin1(r.row->named->label)},
                              {"unit", Utf8OrLatin1(r.row->named->unit)},
                              {"count", r.files.size()}};
        if (r.spread) {
            nlohmann::json outliers = nlohmann::json::array();
            for (std::size_t i : r.spread->outliers)
                outliers.push_back({{"file", Utf8OrLatin1(paths[r.files[i]])}, {"value", r.row->cells[r.files[i]]->value}});
            row.update({{"median", r.spread->median}, {"minimum", r.spread->minimum}, {"maximum", r.spread->maximum},
                        {"mad", r.spread->mad}, {"outlier_limit", r.spread->limit}, {"outliers", outliers}});
        }
        list.push_back(row);
    }
    return {{"kind", Utf8OrLatin1(sheets.front().kind)}, {"files", FilesJson(sheets, paths)}, {"rows", list}};
}

}  // namespace

std::optional<RowSpread> Spread(const std::vector<double>& values)
{
    if (values.empty()) return std::nullopt;
    RowSpread spread{Median(values), *std::min_element(values.begin(), values.end()),
                     *std::max_element(values.begin(), values.end()), 0.0, 0.0, {}};
    std::vector<double> deviations;
    for (double v : values) deviations.push_back(std::fabs(v - spread.median));
    spread.mad = Median(deviations);
    spread.limit = kOutlierMads * std::max(spread.mad, kSmallestMadOfMedian * std::fabs(spread.median));
    for (std::size_t i = 0; i < values.size(); ++i)
        if (deviations[i] > spread.limit) spread.outliers.push_back(i);
    return spread;
}

int PrintSummary(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths, bool json)
{
    const std::vector<AlignedRow> aligned = AlignRows(sheets);
    const std::vector<SummaryRow> rows = Summarise(aligned);
    if (json)
        PrintJson(SummaryJson(rows, sheets, paths));
    else
        PrintTable(rows, sheets, paths);
    return 0;
}
