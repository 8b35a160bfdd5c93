#include "widgets/ValueBox.h"

#include <wx/sizer.h>

namespace widgets {

CValueBox::CValueBox(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long alignment)
    : wxPanel(parent, id, pos, size, wxBORDER_SUNKEN)
{
    text_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, alignment | wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->AddStretchSpacer();
    sizer->Add(text_, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
    sizer->AddStretchSpacer();
    SetSizer(sizer);
}

void CValueBox::SetLabel(const wxString& text)
{
    // A value is shown as it is: an '&' in a summary line or a loaded file is a character, not a mnemonic.
    // A text longer than the box ends in an ellipsis; the whole of it shows on hovering.
    text_->SetLabelText(text);
    Layout();
    const bool cut = text_->GetTextExtent(text).x > text_->GetClientSize().x;
    for (wxWindow* w : {static_cast<wxWindow*>(this), static_cast<wxWindow*>(text_)}) w->SetToolTip(cut ? text : wxString());
}

wxString CValueBox::GetLabel() const { return text_->GetLabelText(); }

}  // namespace widgets
