#include "widgets/AppIcon.h"

#include "res/AppIcon.xpm"

wxBitmap AppIconBitmap() { return wxBitmap(vext_icon_xpm); }
