#pragma once
// compare --summary as vext-cli prints it: per group of processor and version a table (each row's
// median, range and outliers, or with --per-file each file's value), CSV, or one JSON object; of
// processor results, the fleet's inventory.
#include <string>
#include <vector>

#include "results/CompareSummary.h"
#include "results/ProcessorInventory.h"
#include "results/ResultSheet.h"

namespace cli {

struct SummaryView {
    bool json = false;
    bool perFile = false;
    bool csv = false;
};

// Prints the summary of the groups of `sheets` (whose files are `paths`).
void PrintSummary(const std::vector<results::SummaryGroup>& groups, const std::vector<results::ResultSheet>& sheets,
                  const std::vector<std::string>& paths, const std::vector<results::SkippedFile>& skipped, SummaryView view);

// Prints the inventory of processor results.
void PrintInventory(const results::Inventory& inventory, const std::vector<results::ProcessorRecord>& records,
                    const std::vector<std::string>& paths, const std::vector<results::SkippedFile>& skipped, SummaryView view);

// `text` as one CSV field (RFC 4180): control characters shown as "\x1b", the field quoted, its quotes
// doubled, where it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);

}  // namespace cli
