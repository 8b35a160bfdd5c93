#pragma once
#include <wx/bitmap.h>

namespace widgets {

// The application icon (resource 128), 32 x 32.
wxBitmap AppIconBitmap();

}  // namespace widgets
