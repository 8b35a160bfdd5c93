#include "pages/BenchList.h"

#include <wx/listctrl.h>

#include "widgets/ReaderText.h"

namespace pages {

using namespace bench;

using namespace widgets;

void SetUpBenchList(wxListCtrl* list, ListRows rows, const wxString& title)
{
    list->InsertColumn(0, "Benchmark", wxLIST_FORMAT_LEFT, 200);
    list->InsertColumn(kYourSystemColumn, "Your System", wxLIST_FORMAT_LEFT, 150);
    list->InsertColumn(kLoadedSystemColumn, "Loaded System", wxLIST_FORMAT_LEFT, 150);
    for (size_t row = 0; row < rows.size(); ++row) list->InsertItem(static_cast<long>(row), wxString::FromUTF8(rows[row]));
    NameListForReaders(list, title);
}

void SetBenchCell(wxListCtrl* list, int row, int column, const std::string& text) { SetBenchCells(list, column, {{row, text}}); }

void SetBenchCells(wxListCtrl* list, int column, const std::vector<ResultCell>& cells)
{
    for (const ResultCell& cell : cells) list->SetItem(cell.row, column, wxString::FromUTF8(cell.text));
    ListRowsChanged(list);
}

void ClearBenchColumn(wxListCtrl* list, int column)
{
    for (long row = 0; row < list->GetItemCount(); ++row) list->SetItem(row, column, wxString());
    ListRowsChanged(list);  // a reader finds the column empty too
}

}  // namespace pages
