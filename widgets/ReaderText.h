#pragma once
// What a screen reader says for a window that wxWidgets draws itself on GTK (the report list, a painted
// panel): the accessibility bus sees such a window as an unnamed pane. These give it a name and a
// description without changing what it shows. On other toolkits they do nothing.
#include <wx/string.h>

class wxDataViewCtrl;
class wxListCtrl;
class wxWindow;

namespace widgets {

// The name and description a reader gives `window`.
void SetReaderText(wxWindow* window, const wxString& name, const wxString& description = wxString());
wxString ReaderName(wxWindow* window);
wxString ReaderDescription(wxWindow* window);

// Names the native table `table` for a reader: the table itself and the pane that scrolls it, which a
// reader passes through on its way to the rows.
void NameTableForReaders(wxDataViewCtrl* table, const wxString& name);

// Names the report list `list` `title` for a reader; its column headings name its header, and its rows
// become its description (see ListReaderText). Call ListRowsChanged after every change of the rows.
void NameListForReaders(wxListCtrl* list, const wxString& title);
void ListRowsChanged(wxListCtrl* list);

// The rows of `list` as a reader gets them: one line a row, its first cell, then each other cell that
// holds text after its column's heading ("Dhrystone: Your System 79.0, Loaded System 80.1").
wxString ListReaderText(const wxListCtrl& list);

}  // namespace widgets
