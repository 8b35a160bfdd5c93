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

// {"kind", "files", "rows": [{"label", "unit", "count", "median", ..., "outliers"}]}
nlohmann::json SummaryJson(const std::vector<SummaryRow>& rows, const std::vector<ResultSheet>& sheets,
                           const std::vector<std::string>& paths);

}  // namespace results
