#include "pages/SystemInfo.h"

#include "res/ControlIds.h"
#include "sysinfo/WindowsInfo.h"

namespace pages {

using namespace bench;

using namespace sysinfo;

wxIMPLEMENT_DYNAMIC_CLASS(CSystemInfo, CTemplatePage);

bool CSystemInfo::OnInitDialog()
{
    CTemplatePage::OnInitDialog();
    CWindowsInfo info(Context().machine);  // memory status, then version

    SetControlText(res::IDC_SYS_VERSION, FormatVersionText(info.GetVersionNumbers()));

    SetControlText(res::IDC_SYS_OS_NAME, info.GetOsName());
    SetControlText(res::IDC_SYS_SPECIALS, info.GetServicePack());
    // The service-pack text can be longer than its box: the box ends it in an ellipsis, with a tooltip.
    SetControlText(res::IDC_SYS_BOOT_MODE, info.GetBootMode());
    SetControlText(res::IDC_SYS_DEBUG, info.GetDebugMode());
    SetControlText(res::IDC_SYS_UPTIME, info.GetUptime());

    SetControlText(res::IDC_SYS_PHYSICAL, FormatPhysicalMemory(info.GetTotalPhys()));
    SetControlText(res::IDC_SYS_FREE_PHYSICAL, FormatMegabytes(info.GetAvailPhys()));
    SetControlText(res::IDC_SYS_VIRTUAL, FormatMegabytes(info.GetTotalPageFile()));
    SetControlText(res::IDC_SYS_FREE_VIRTUAL, FormatMegabytes(info.GetAvailPageFile()));
    SetControlText(res::IDC_SYS_WINDOWS_MEMORY, FormatMegabytes(info.GetTotalWindowsMemory()));
    SetControlText(res::IDC_SYS_FREE_WINDOWS, FormatMegabytes(info.GetAvailWindowsMemory()));
    return true;
}

}  // namespace pages
