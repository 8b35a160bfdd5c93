#include "pages/SheetPage.h"

#include "pages/SheetButtons.h"
#include "widgets/BusyInput.h"

namespace pages {

wxIMPLEMENT_ABSTRACT_CLASS(CSheetPage, wxPanel);

bool CSheetPage::CreatePage(wxWindow* parent, widgets::CUserPrompt& prompt, const bench::Context& context, widgets::CRunCursor& cursor)
{
    prompt_ = &prompt;
    context_ = &context;
    cursor_ = &cursor;
    if (!Create(parent, wxID_ANY)) return false;
    wxWindow* top = wxGetTopLevelParent(parent);
    if (top && top->GetFont().IsOk()) SetFont(top->GetFont());
    BuildControls();
    return true;
}

void CSheetPage::Initialise()
{
    if (initialised_) return;
    initialised_ = true;
    // A page measures the clock as it fills (about a second); what the user does meanwhile is dropped.
    widgets::CBusyInput busy;
    OnInitDialog();
}

CSheetButtons* CSheetPage::Sheet() const
{
    return dynamic_cast<CSheetButtons*>(wxGetTopLevelParent(const_cast<CSheetPage*>(this)));
}

}  // namespace pages
