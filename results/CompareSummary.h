#pragma once
// compare --summary: many results of one kind (a fleet's) reduced to each row's median and range,
// with the files that lie far from the median named.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "results/AlignedRows.h"
#include "results/ResultSheet.h"

namespace results {

struct RowSpread {
    double median, minimum, maximum;
    double mad;    // the median absolute deviation from the median
    double limit;  // how far from the median a value may lie before it is named
    std::vector<std::size_t> outliers;  // indices into the values
};

// The spread of `values` (finite numbers; nothing when there are none). A value is an outlier when
// it lies more than three MADs from the median; the MAD counts as at least 1 % of the median, so
// that identical values (MAD 0, common with whole milliseconds) do not make every other value one.
std::optional<RowSpread> Spread(const std::vector<double>& values);

// An aligned row's spread over the files with a finite value in the row's unit.
struct SummaryRow {
    const AlignedRow* row;
    std::vector<std::size_t> files;  // the files with a finite value, in order
    std::optional<RowSpread> spread;
};
std::vector<SummaryRow> Summarise(const std::vector<AlignedRow>& aligned);

// One group of a fleet's results (one processor and Vext version), summarised on its own.
struct SummaryGroup {
    RunGroupKey key;
    std::vector<std::size_t> files;   // indices into all the sheets, in order
    std::vector<ResultSheet> sheets;  // the group's own
    std::vector<AlignedRow> aligned;  // of `sheets`
    std::vector<SummaryRow> rows;     // of `aligned`
    bool Flagged() const;             // whether a row names an outlier
};

// The sheets by their run's processor and version, each group in the order it first appears.
std::vector<SummaryGroup> SummariseGroups(const std::vector<ResultSheet>& sheets);

// A file compare could not take, and why.
struct SkippedFile {
    std::string path;
    std::string reason;
};

// {"kind", "files", "skipped": [{"file", "reason"}], "mixed", "groups": [{"processor", "vext_version",
// "files", "rows": [{"label", "unit", "count", "median", ..., "outliers", "values"}]}]}: "values" holds
// each of the group's files' value (null where it has none), in the order of the group's "files".
nlohmann::json SummaryJson(const std::vector<SummaryGroup>& groups, const std::vector<ResultSheet>& sheets,
                           const std::vector<std::string>& paths, const std::vector<SkippedFile>& skipped);

// The value a summary row counts for the group's file `f`, if it counts one.
std::optional<double> SummaryValue(const SummaryRow& row, std::size_t f);

}  // namespace results
