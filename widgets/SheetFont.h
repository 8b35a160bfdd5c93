#pragma once
#include <wx/font.h>

namespace widgets {

// The face the templates were laid out for: their dialog units (6 x 13 pixels) are this font's.
// The sheet and every dialog built from a template use it.
wxFont SheetFont();

}  // namespace widgets
