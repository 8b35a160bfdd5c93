#pragma once
// Builds the controls of a dialog template onto a window, converting dialog units with wxWidgets.
#include <wx/panel.h>
#include <wx/stattext.h>

#include <map>

#include "res/DialogTemplate.h"

class wxWindow;

// The sunken, bordered read-only value box of the templates. A wxStaticText shows no border on GTK 3,
// so the box is a sunken panel holding the text; its label is the text.
class CValueBox : public wxPanel {
public:
    CValueBox(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long alignment);
    void SetLabel(const wxString& text) override;
    wxString GetLabel() const override;

private:
    wxStaticText* text_;
};

// Creates every control of `t` as a child of `parent`. Labels are never narrower than their text
// needs, so no label is clipped whatever the font. Returns the controls by id (those with an id).
std::map<int, wxWindow*> BuildFromTemplate(wxWindow* parent, const res::DialogTemplate& t);

// The size of the template in pixels for `window`'s dialog units.
wxSize TemplatePixelSize(wxWindow* window, const res::DialogTemplate& t);

// The application icon (resource 128), 32 x 32.
class wxBitmap;
wxBitmap AppIconBitmap();
