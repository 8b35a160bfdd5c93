#include "widgets/SheetFont.h"

namespace widgets {

wxFont SheetFont()
{
    // An 8-point sans-serif face was the design's; Liberation Sans at 8 points matches its metrics.
    wxFont font(wxFontInfo(8).FaceName("Liberation Sans"));
    return font.IsOk() ? font : *wxNORMAL_FONT;
}

}  // namespace widgets
