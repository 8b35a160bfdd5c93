#include "results/CompareSummary.h"

#include <algorithm>
#include <cmath>

#include "platform/TextEncoding.h"

namespace results {

namespace {

constexpr double kSmallestMadOfMedian = 0.01;
constexpr double kOutlierMads = 3.0;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

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

nlohmann::json SummaryJson(const std::vector<SummaryRow>& rows, const std::vector<ResultSheet>& sheets,
                           const std::vector<std::string>& paths)
{
    nlohmann::json list = nlohmann::json::array();
    for (const SummaryRow& r : rows) {
        nlohmann::json row = {{"label", platform::Utf8OrLatin1(r.row->named->label)},
                              {"unit", platform::Utf8OrLatin1(r.row->named->unit)},
                              {"count", r.files.size()}};
        if (r.spread) {
            nlohmann::json outliers = nlohmann::json::array();
            for (std::size_t i : r.spread->outliers)
                outliers.push_back({{"file", platform::Utf8OrLatin1(paths[r.files[i]])}, {"value", r.row->cells[r.files[i]]->value}});
            row.update({{"median", r.spread->median}, {"minimum", r.spread->minimum}, {"maximum", r.spread->maximum},
                        {"mad", r.spread->mad}, {"outlier_limit", r.spread->limit}, {"outliers", outliers}});
        }
        list.push_back(row);
    }
    return {{"kind", platform::Utf8OrLatin1(sheets.front().kind)}, {"files", FilesJson(sheets, paths)}, {"rows", list}};
}

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

}  // namespace results
