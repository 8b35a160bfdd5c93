#pragma once
// compare --summary: many results of one kind (a fleet's) reduced to each row's median and range,
// with the files that lie far from the median named.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/ResultSheet.h"

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

// Prints the summary of `sheets` (as a table, or one JSON object); returns the exit status.
int PrintSummary(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths, bool json);
