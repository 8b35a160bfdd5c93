#include "app/cli/SummaryTable.h"

#include <cstdio>

#include "app/cli/RunOutput.h"
#include "app/cli/SheetPrinting.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"
#include "results/AlignedRows.h"
#include "results/CompareSummary.h"
#include "results/TerminalText.h"

namespace cli {

using namespace results;

namespace {

// A file as the summary names it: its run's label, or its name.
std::string Name(const ResultSheet& sheet, const std::string& path) { return sheet.label.empty() ? path : sheet.label; }

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

}  // namespace

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

}  // namespace cli
