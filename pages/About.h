#pragma once
#include "pages/TemplatePage.h"

// "About": title, version, author and build date painted between two icons.
class CAbout : public CTemplatePage {
public:
    CAbout() : CTemplatePage(res::IDD_ABOUT) {}

private:
    wxDECLARE_DYNAMIC_CLASS(CAbout);
};
