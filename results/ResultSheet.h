#pragma once
// A benchmark result as vext-cli hands it on: the page's rows with their texts, and for each
// measurement its number in its natural unit. show, compare and bench print and serialise through it.
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench/Results.h"
#include "bench/ResultTables.h"
#include "results/RunGroup.h"

namespace results {

struct ResultRow {
    int listRow;        // the row of the page's list
    std::string label;  // the page's label without its blanks and colon
    std::string text;   // exactly what the page shows
    double value;       // in `unit`; may be infinite or NaN
    std::string unit;
    bool isTime;                // smaller is better
    std::optional<int> blockKb;  // cache rows
    // Repeated runs: the best value, the spread of all runs in percent of it, and every run.
    std::optional<double> best;
    std::optional<double> spreadPercent;
    std::vector<double> runs;
    std::optional<std::string> method = std::nullopt;  // cache rows: "MOVSD", "MOV" or "Stepping MOV"
};

struct ResultSheet {
    std::string kind;  // "cpu", "fpu" or "cache"; a JSON result may hold another
    bench::ListRows listRows;            // the page's list; empty for a kind no page shows
    std::string summary;
    std::vector<ResultRow> rows;  // a row off the page's list has listRow -1
    std::string label;            // the run's --label, of a JSON result
    RunGroupKey group = {};       // the run's processor and version, of a JSON result
};

ResultSheet CpuSheet(const std::string& summary, const bench::CpuResults& results);
ResultSheet FpuSheet(const std::string& summary, const bench::WhetstoneResults& results);
// FpuSheet's rows: the sections in order, then MWIPS, then the total time.
constexpr std::size_t kFpuSheetMwipsRow = bench::WhetstoneResults::kSections;
ResultSheet CacheSheet(const std::string& summary, const bench::CacheResults& results);

// {"kind", "system", "rows": [{"label", "text", "value", "unit", ...}]}; a value that is not finite is
// null, a time's row says "lower_is_better". Texts are UTF-8.
nlohmann::json SheetJson(const ResultSheet& sheet);
nlohmann::json NumberOrNull(double value);

// The row's label as the page's list has it ("   Addition :"); a row off the list as its label.
std::string RowLabel(const ResultSheet& sheet, const ResultRow& row);

}  // namespace results
