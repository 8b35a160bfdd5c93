#pragma once
// The rows of several results of one kind side by side. Files of the three suites have the same
// rows; JSON results may not (the precise mode's blocks depend on the machine's caches), so rows
// are matched by label, and a label that repeats (a cache block size, once per method) by its turn.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "results/ResultSheet.h"

namespace results {

struct AlignedRow {
    const ResultRow* named;               // the first sheet's row of that label, else the first that has it
    std::vector<const ResultRow*> cells;  // one per sheet: null where the sheet lacks the row
};

// The first sheet's rows in its order; the rows only later sheets have where the page's list has them,
// or after the rest when it has none of them.
std::vector<AlignedRow> AlignRows(const std::vector<ResultSheet>& sheets);

// [{"file", "system", "label"}], the label only where the run has one.
nlohmann::json FilesJson(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths);

}  // namespace results
