#pragma once
// Builds the controls of a dialog template onto a window, converting dialog units with wxWidgets.
#include <wx/gdicmn.h>

#include <map>

#include "res/DialogTemplate.h"

class wxWindow;

namespace widgets {

// Creates every control of `t` as a child of `parent`. Labels are never narrower than their text
// needs, so no label is clipped whatever the font. Returns the controls by id (those with an id).
std::map<int, wxWindow*> BuildFromTemplate(wxWindow* parent, const res::DialogTemplate& t);

// The size of the template in pixels for `window`'s dialog units.
wxSize TemplatePixelSize(wxWindow* window, const res::DialogTemplate& t);

}  // namespace widgets
