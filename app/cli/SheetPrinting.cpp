#include "app/cli/SheetPrinting.h"

#include <cstdio>

#include "app/cli/ListPrinter.h"
#include "results/TerminalText.h"

namespace cli {

using namespace results;

void PrintSheet(const char* heading, const ResultSheet& sheet)
{
    std::printf("%s : %s\n\n", heading, TerminalText(sheet.summary).c_str());
    if (sheet.listRows.empty()) {
        for (const ResultRow& row : sheet.rows) std::printf("%s%s\n", PadColumns(RowLabel(sheet, row), 40).c_str(), TerminalText(row.text).c_str());
        return;
    }
    CListPrinter printer(sheet.listRows, stdout);
    for (const ResultRow& row : sheet.rows)
        if (row.listRow >= 0) printer.Cell(row.listRow, TerminalText(row.text));
        else std::printf("%s%s\n", PadColumns(RowLabel(sheet, row), 40).c_str(), TerminalText(row.text).c_str());
    printer.Finish();
}

std::string TitlesThenLabel(const ResultSheet& first, const ResultRow& row, int& next)
{
    if (!first.listRows.empty() && row.listRow >= next) {
        for (; next < row.listRow; ++next) std::printf("%s\n", first.listRows[next]);
        next = row.listRow + 1;
    }
    return RowLabel(first, row);
}

}  // namespace cli
