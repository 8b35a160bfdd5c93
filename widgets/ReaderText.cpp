#include "widgets/ReaderText.h"

#include <wx/dataview.h>
#include <wx/listctrl.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace widgets {

namespace {

#ifdef __WXGTK__
AtkObject* Accessible(wxWindow* window)
{
    GtkWidget* widget = window ? window->GetHandle() : nullptr;
    return widget ? gtk_widget_get_accessible(widget) : nullptr;
}
#endif

wxString ColumnHeading(const wxListCtrl& list, int column)
{
    wxListItem item;
    item.SetMask(wxLIST_MASK_TEXT);
    return list.GetColumn(column, item) ? item.GetText() : wxString();
}

// The generic list's two children: the window that draws the rows, which takes the keyboard focus,
// and the header above it, which does not.
wxWindow* RowsWindow(wxListCtrl* list, wxWindow** header)
{
    wxWindow* rows = nullptr;
    for (wxWindow* child : list->GetChildren()) {
        if (child->AcceptsFocus())
            rows = child;
        else if (header)
            *header = child;
    }
    return rows;
}

}  // namespace

void SetReaderText(wxWindow* window, const wxString& name, const wxString& description)
{
#ifdef __WXGTK__
    if (AtkObject* object = Accessible(window)) {
        atk_object_set_name(object, name.utf8_str());
        atk_object_set_description(object, description.utf8_str());
    }
#else
    (void)window, (void)name, (void)description;
#endif
}

void NameTableForReaders(wxDataViewCtrl* table, const wxString& name)
{
    SetReaderText(table, name);
#ifdef __WXGTK__
    if (GtkWidget* view = table ? table->GtkGetTreeView() : nullptr) atk_object_set_name(gtk_widget_get_accessible(view), name.utf8_str());
#endif
}

wxString ReaderName(wxWindow* window)
{
#ifdef __WXGTK__
    if (AtkObject* object = Accessible(window)) return wxString::FromUTF8(atk_object_get_name(object));
#else
    (void)window;
#endif
    return wxString();
}

wxString ReaderDescription(wxWindow* window)
{
#ifdef __WXGTK__
    if (AtkObject* object = Accessible(window)) return wxString::FromUTF8(atk_object_get_description(object));
#else
    (void)window;
#endif
    return wxString();
}

wxString ListReaderText(const wxListCtrl& list)
{
    wxString text;
    for (long row = 0; row < list.GetItemCount(); ++row) {
        wxString line = list.GetItemText(row, 0).Strip(wxString::both);
        wxString cells;
        for (int column = 1; column < list.GetColumnCount(); ++column) {
            const wxString cell = list.GetItemText(row, column);
            if (cell.empty()) continue;
            const wxString heading = ColumnHeading(list, column);
            if (!cells.empty()) cells += ", ";
            cells += heading.empty() ? cell : heading + " " + cell;
        }
        // The page's own labels may end in " :" already.
        if (!cells.empty()) line += (line.EndsWith(":") ? " " : ": ") + cells;
        if (row > 0) text += "\n";
        text += line;
    }
    return text;
}

void NameListForReaders(wxListCtrl* list, const wxString& title)
{
    wxString headings;
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        const wxString heading = ColumnHeading(*list, column);
        if (heading.empty()) continue;
        if (!headings.empty()) headings += ", ";
        headings += heading;
    }
    wxWindow* header = nullptr;
    RowsWindow(list, &header);
    if (header) SetReaderText(header, headings);
    SetReaderText(list, title);
    ListRowsChanged(list);  // the rows as they stand
}

void ListRowsChanged(wxListCtrl* list)
{
    const wxString rows = ListReaderText(*list);
    SetReaderText(list, ReaderName(list), rows);
    if (wxWindow* rowsWindow = RowsWindow(list, nullptr)) SetReaderText(rowsWindow, ReaderName(list), rows);
}

}  // namespace widgets
