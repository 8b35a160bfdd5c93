#include "pages/SystemInfo.h"

wxIMPLEMENT_DYNAMIC_CLASS(CSystemInfo, CTemplatePage);

bool CSystemInfo::OnInitDialog() { return true; }
