#pragma once
// The three-column result list that the benchmark pages share: the row texts in column 0, this
// machine's results in column 1 and a loaded file's in column 2.
#include <wx/string.h>

#include <string>
#include <vector>

#include "bench/ResultTables.h"

class wxListCtrl;

namespace pages {

constexpr int kYourSystemColumn = 1;
constexpr int kLoadedSystemColumn = 2;

// Inserts the columns "Benchmark" (200 pixels), "Your System" and "Loaded System" (150 each) and one
// row per entry of `rows`; a screen reader names the list `title` and reads its rows (widgets/ReaderText.h),
// which the functions below keep up to date.
void SetUpBenchList(wxListCtrl* list, bench::ListRows rows, const wxString& title);
void SetBenchCell(wxListCtrl* list, int row, int column, const std::string& text);
void SetBenchCells(wxListCtrl* list, int column, const std::vector<bench::ResultCell>& cells);
void ClearBenchColumn(wxListCtrl* list, int column);

}  // namespace pages
