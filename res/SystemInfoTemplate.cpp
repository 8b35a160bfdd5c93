#include "res/ControlIds.h"
#include "res/DialogTemplate.h"

namespace res {

// "Windows Information": six version facts above an etched rule, six memory figures below it.
const DialogTemplate& SystemInfoTemplate()
{
    static const DialogTemplate t{
        IDD_SYSTEM_INFO, "Windows Information", 332, 206,
        {
            {ControlKind::Label, kNoId, "Operating System :", 5, 10, 60, 8},
            {ControlKind::ValueBox, IDC_SYS_OS_NAME, "", 122, 7, 141, 12},
            {ControlKind::Label, kNoId, "Windows Version :", 5, 25, 60, 8},
            {ControlKind::ValueBox, IDC_SYS_VERSION, "", 122, 23, 141, 12},
            {ControlKind::Label, kNoId, "Specials :", 5, 40, 32, 8},
            {ControlKind::ValueBox, IDC_SYS_SPECIALS, "", 122, 38, 141, 12},
            {ControlKind::Label, kNoId, "Boot mode :", 5, 55, 39, 8},
            {ControlKind::ValueBox, IDC_SYS_BOOT_MODE, "", 122, 53, 141, 12},
            {ControlKind::Label, kNoId, "Debug Windows :", 5, 70, 58, 8},
            {ControlKind::ValueBox, IDC_SYS_DEBUG, "", 122, 68, 141, 12},
            {ControlKind::Label, kNoId, "Windows has been running for", 5, 85, 97, 8},
            {ControlKind::ValueBox, IDC_SYS_UPTIME, "", 122, 83, 141, 12},
            {ControlKind::EtchedLine, kNoId, "", 5, 102, 319, 1},
            {ControlKind::Label, kNoId, "Physical Memory :", 5, 115, 58, 8},
            {ControlKind::ValueBox, IDC_SYS_PHYSICAL, "", 122, 113, 141, 12},
            {ControlKind::Label, kNoId, "Free Physical Memory :", 5, 130, 74, 8},
            {ControlKind::ValueBox, IDC_SYS_FREE_PHYSICAL, "", 122, 128, 141, 12},
            {ControlKind::Label, kNoId, "Virtual Memory :", 5, 145, 51, 8},
            {ControlKind::ValueBox, IDC_SYS_VIRTUAL, "", 122, 143, 141, 12},
            {ControlKind::Label, kNoId, "Free Virtual Memory :", 5, 160, 67, 8},
            {ControlKind::ValueBox, IDC_SYS_FREE_VIRTUAL, "", 122, 158, 141, 12},
            {ControlKind::Label, kNoId, "Windows Memory :", 5, 175, 61, 8},
            {ControlKind::ValueBox, IDC_SYS_WINDOWS_MEMORY, "", 122, 173, 141, 12},
            {ControlKind::Label, kNoId, "Free Windows Memory :", 5, 190, 77, 8},
            {ControlKind::ValueBox, IDC_SYS_FREE_WINDOWS, "", 122, 188, 141, 12},
        }};
    return t;
}

}  // namespace res
