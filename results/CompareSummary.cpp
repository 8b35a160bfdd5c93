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

bool SummaryGroup::Flagged() const
{
    return std::any_of(rows.begin(), rows.end(), [](const SummaryRow& r) { return r.spread && !r.spread->outliers.empty(); });
}

std::vector<SummaryGroup> SummariseGroups(const std::vector<ResultSheet>& sheets)
{
    std::vector<SummaryGroup> groups;
    for (std::size_t f = 0; f < sheets.size(); ++f) {
        auto group = std::find_if(groups.begin(), groups.end(), [&](const SummaryGroup& g) { return g.key == sheets[f].group; });
        if (group == groups.end()) group = groups.insert(groups.end(), SummaryGroup{sheets[f].group, {}, {}, {}, {}});
        group->files.push_back(f), group->sheets.push_back(sheets[f]);
    }
    // The rows point into the group's sheets and aligned rows: made once each group holds all of its.
    for (SummaryGroup& group : groups) group.aligned = AlignRows(group.sheets), group.rows = Summarise(group.aligned);
    return groups;
}

std::optional<double> SummaryValue(const SummaryRow& row, std::size_t f)
{
    const auto at = std::find(row.files.begin(), row.files.end(), f);
    return at == row.files.end() ? std::nullopt : std::optional<double>(row.row->cells[f]->value);
}

nlohmann::json SummaryJson(const std::vector<SummaryGroup>& groups, const std::vector<ResultSheet>& sheets,
                           const std::vector<std::string>& paths, const std::vector<SkippedFile>& skipped)
{
    nlohmann::json list = nlohmann::json::array();
    for (const SummaryGroup& group : groups) {
        nlohmann::json rows = nlohmann::json::array(), files = nlohmann::json::array();
        for (std::size_t f : group.files) files.push_back(platform::Utf8OrLatin1(paths[f]));
        for (const SummaryRow& r : group.rows) {
            nlohmann::json values = nlohmann::json::array();
            for (std::size_t f = 0; f < group.files.size(); ++f) {
                const std::optional<double> value = SummaryValue(r, f);
                values.push_back(value ? nlohmann::json(*value) : nlohmann::json(nullptr));
            }
            nlohmann::json row = {{"label", platform::Utf8OrLatin1(r.row->named->label)},
                                  {"unit", platform::Utf8OrLatin1(r.row->named->unit)},
                                  {"count", r.files.size()},
                                  {"values", values}};
            if (r.row->named->method) row["method"] = platform::Utf8OrLatin1(*r.row->named->method);
            if (r.spread) {
                nlohmann::json outliers = nlohmann::json::array();
                for (std::size_t i : r.spread->outliers)
                    outliers.push_back({{"file", files[r.files[i]]}, {"value", r.row->cells[r.files[i]]->value}});
                row.update({{"median", r.spread->median}, {"minimum", r.spread->minimum}, {"maximum", r.spread->maximum},
                            {"mad", r.spread->mad}, {"outlier_limit", r.spread->limit}, {"outliers", outliers}});
            }
            rows.push_back(row);
        }
        nlohmann::json entry = RunGroupJson(group.key);
        entry["files"] = files, entry["rows"] = rows;
        list.push_back(entry);
    }
    nlohmann::json skippedJson = nlohmann::json::array();
    for (const SkippedFile& s : skipped)
        skippedJson.push_back({{"file", platform::Utf8OrLatin1(s.path)}, {"reason", platform::Utf8OrLatin1(s.reason)}});
    return {{"kind", platform::Utf8OrLatin1(sheets.front().kind)}, {"files", FilesJson(sheets, paths)},
            {"skipped", skippedJson}, {"mixed", groups.size() > 1}, {"groups", list}};
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
