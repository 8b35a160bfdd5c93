#include "widgets/ValueBox.h"

#include <wx/sizer.h>

namespace widgets {

CValueBox::CValueBox(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long alignment)
    : wxPanel(parent, id, pos, size, wxBORDER_SUNKEN)
{
    text_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, alignment | wxST_NO_AUTORESIZE);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->AddStretchSpacer();
    sizer->Add(text_, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
    sizer->AddStretchSpacer();
    SetSizer(sizer);
}

void CValueBox::SetLabel(const wxString& text)
{
    // A value is shown as it is: an '&' in a summary line or a loaded file is a character, not a mnemonic.
    text_->SetLabelText(text);
    Layout();
}

wxString CValueBox::GetLabel() const { return text_->GetLabelText(); }

}  // namespace widgets
