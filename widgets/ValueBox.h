#pragma once
#include <wx/panel.h>
#include <wx/stattext.h>

namespace widgets {

// The sunken, bordered read-only value box of the templates. A wxStaticText shows no border on GTK 3,
// so the box is a sunken panel holding the text; its label is the text. A text the box cannot hold
// is shown cut with an ellipsis and carried whole as the tooltip.
class CValueBox : public wxPanel {
public:
    CValueBox(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long alignment);
    void SetLabel(const wxString& text) override;
    wxString GetLabel() const override;

private:
    wxStaticText* text_;
};

}  // namespace widgets
