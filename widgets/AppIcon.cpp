#include "widgets/AppIcon.h"

#include "res/AppIcon.xpm"

namespace widgets {

wxBitmap AppIconBitmap() { return wxBitmap(vext_icon_xpm); }

}  // namespace widgets
