#include "pages/BenchList.h"

#include <wx/listctrl.h>

namespace pages {

using namespace bench;

void SetUpBenchList(wxListCtrl* list, ListRows rows)
{
    list->InsertColumn(0, "Benchmark", wxLIST_FORMAT_LEFT, 200);
    list->InsertColumn(kYourSystemColumn, "Your System", wxLIST_FORMAT_LEFT, 150);
    list->InsertColumn(kLoadedSystemColumn, "Loaded System", wxLIST_FORMAT_LEFT, 150);
    for (size_t row = 0; row < rows.size(); ++row) list->InsertItem(static_cast<long>(row), wxString::FromUTF8(rows[row]));
}

void SetBenchCell(wxListCtrl* list, int row, int column, const std::string& text)
{
    list->SetItem(row, column, wxString::FromUTF8(text));
}

void SetBenchCells(wxListCtrl* list, int column, const std::vector<ResultCell>& cells)
{
    for (const ResultCell& cell : cells) SetBenchCell(list, cell.row, column, cell.text);
}

void ClearBenchColumn(wxListCtrl* list, int column)
{
    for (long row = 0; row < list->GetItemCount(); ++row) list->SetItem(row, column, wxString());
}

}  // namespace pages
