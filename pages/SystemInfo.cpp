#include "pages/SystemInfo.h"

#include "winfo/WindowsInfo.h"

wxIMPLEMENT_DYNAMIC_CLASS(CSystemInfo, CTemplatePage);

bool CSystemInfo::OnInitDialog()
{
    CTemplatePage::OnInitDialog();
    CWindowsInfo info;  // memory status, then version

    SetControlText(1003, FormatVersionText(info.GetVersionNumbers()));

    SetControlText(1013, info.GetOsName());
    SetControlText(1005, info.GetServicePack());
    // The service-pack text can be longer than its box; the whole of it shows on hovering.
    if (wxWindow* box = Control(1005); box && !info.GetServicePack().empty())
        box->SetToolTip(wxString::FromUTF8(info.GetServicePack()));
    SetControlText(1006, info.GetBootMode());
    SetControlText(1014, info.GetDebugMode());
    SetControlText(1015, info.GetUptime());

    SetControlText(1008, FormatPhysicalMemory(info.GetTotalPhys()));
    SetControlText(1010, FormatMegabytes(info.GetAvailPhys()));
    SetControlText(1012, FormatMegabytes(info.GetTotalPageFile()));
    SetControlText(1007, FormatMegabytes(info.GetAvailPageFile()));
    SetControlText(1011, FormatMegabytes(info.GetTotalWindowsMemory()));
    SetControlText(1009, FormatMegabytes(info.GetAvailWindowsMemory()));
    return true;
}
