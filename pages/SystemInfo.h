#pragma once
#include "pages/TemplatePage.h"

namespace pages {

// "Windows Information": the operating-system facts in twelve boxes, filled when first shown.
class CSystemInfo : public CTemplatePage {
public:
    CSystemInfo() : CTemplatePage(res::IDD_SYSTEM_INFO) {}

protected:
    bool OnInitDialog() override;

private:
    wxDECLARE_DYNAMIC_CLASS(CSystemInfo);
};

}  // namespace pages
