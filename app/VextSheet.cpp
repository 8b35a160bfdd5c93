#include "app/VextSheet.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/icon.h>

#include <algorithm>

#include "pages/TemplatePage.h"
#include "widgets/AppIcon.h"
#include "widgets/SheetFont.h"

namespace app {

using namespace pages;

using namespace widgets;

wxIMPLEMENT_CLASS(CVextSheet, wxPropertySheetDialog);

CVextSheet::CVextSheet(const wxString& caption, CUserPrompt& prompt, const bench::Context& context, wxWindow* parent)
    : prompt_(prompt), context_(context)
{
    SetSheetStyle(wxPROPSHEET_NOTEBOOK);
    Create(parent, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    // The title bar and the window list show the application icon, the picture the installed icons
    // are drawn from.
    wxIcon icon;
    icon.CopyFromBitmap(AppIconBitmap());
    SetIcon(icon);
    SetFont(SheetFont());
    GetBookCtrl()->SetFont(GetFont());
    CreateButtons(wxOK | wxCANCEL);
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &CVextSheet::OnPageChanged, this);
    // Every way out passes through these two buttons: Return presses OK (the default button), Escape
    // presses Cancel, and the close box presses Cancel too, or OK once Cancel is disabled.
    Bind(wxEVT_BUTTON, &CVextSheet::OnClosingButton, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CVextSheet::OnClosingButton, this, wxID_CANCEL);
}

void CVextSheet::AddPage(CSheetPage* page)
{
    page->CreatePage(GetBookCtrl(), prompt_, context_, cursor_);
    GetBookCtrl()->AddPage(page, page->Caption(), pages_.empty());
    pages_.push_back(page);
}

void CVextSheet::Prepare()
{
    // GTK scrolls the tabs that do not fit behind arrows, where the About tab would start out of
    // sight. Widen the sheet so that every tab shows; each tab takes its caption and some padding.
    wxBookCtrlBase* book = GetBookCtrl();
    constexpr int kTabPadding = 48;
    int tabsWidth = 0;
    for (size_t i = 0; i < book->GetPageCount(); ++i)
        tabsWidth += book->GetTextExtent(book->GetPageText(i)).x + kTabPadding;
    if (tabsWidth > book->GetBestSize().x) book->SetMinSize(wxSize(tabsWidth, -1));
    LayoutDialog();
    // The sheet may grow (the charts of the later pages gain from it) but never shrinks below the size
    // its pages were laid out for; the template pages keep their content centred.
    SetMinSize(GetSize());
    if (int sel = GetBookCtrl()->GetSelection(); sel != wxNOT_FOUND) pages_[static_cast<size_t>(sel)]->Initialise();
}

void CVextSheet::CancelToClose()
{
    if (wxWindow* cancel = FindWindow(wxID_CANCEL)) cancel->Disable();
    if (wxWindow* ok = FindWindow(wxID_OK)) ok->SetLabel("Close");
}

CSheetPage* CVextSheet::Page(size_t index) const { return index < pages_.size() ? pages_[index] : nullptr; }

size_t CVextSheet::PageCount() const { return pages_.size(); }

void CVextSheet::SelectPage(size_t index)
{
    // SetSelection sends the page-changed event, which initialises the page on its first showing.
    GetBookCtrl()->SetSelection(index);
}

void CVextSheet::OnClosingButton(wxCommandEvent& event)
{
    // Closing the sheet ends the program: a run that was not saved would be lost.
    const bool unsaved = std::ranges::any_of(pages_, [](const CSheetPage* page) { return page->HasUnsavedResults(); });
    if (unsaved && !prompt_.AskYesNo(kUnsavedRunQuestion)) return;
    event.Skip();
}

void CVextSheet::OnPageChanged(wxBookCtrlEvent& event)
{
    event.Skip();
    int sel = event.GetSelection();
    if (sel >= 0 && static_cast<size_t>(sel) < pages_.size()) pages_[static_cast<size_t>(sel)]->Initialise();
}

}  // namespace app
