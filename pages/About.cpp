#include "pages/About.h"

wxIMPLEMENT_DYNAMIC_CLASS(CAbout, CTemplatePage);
