#include "res/DialogTemplate.h"

namespace res {

// "Windows Information": six version facts above an etched rule, six memory figures below it.
const DialogTemplate& Dialog130()
{
    static const DialogTemplate t{
        IDD_SYSTEM_INFO, "Windows Information", 332, 206, "MS Sans Serif", 8, kChild,
        {
            {ControlKind::Label, kNoId, "Operating System :", 5, 10, 60, 8},
            {ControlKind::ValueBox, 1013, "", 122, 7, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Windows Version :", 5, 25, 60, 8},
            {ControlKind::ValueBox, 1003, "", 122, 23, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Specials :", 5, 40, 32, 8},
            {ControlKind::ValueBox, 1005, "", 122, 38, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Boot mode :", 5, 55, 39, 8},
            {ControlKind::ValueBox, 1006, "", 122, 53, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Debug Windows :", 5, 70, 58, 8},
            {ControlKind::ValueBox, 1014, "", 122, 68, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Windows has been running for", 5, 85, 97, 8},
            {ControlKind::ValueBox, 1015, "", 122, 83, 141, 12, kBorder | kSunken},
            {ControlKind::EtchedLine, kNoId, "", 5, 102, 319, 1},
            {ControlKind::Label, kNoId, "Physical Memory :", 5, 115, 58, 8},
            {ControlKind::ValueBox, 1008, "", 122, 113, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Free Physical Memory :", 5, 130, 74, 8},
            {ControlKind::ValueBox, 1010, "", 122, 128, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Virtual Memory :", 5, 145, 51, 8},
            {ControlKind::ValueBox, 1012, "", 122, 143, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Free Virtual Memory :", 5, 160, 67, 8},
            {ControlKind::ValueBox, 1007, "", 122, 158, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Windows Memory :", 5, 175, 61, 8},
            {ControlKind::ValueBox, 1011, "", 122, 173, 141, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Free Windows Memory :", 5, 190, 77, 8},
            {ControlKind::ValueBox, 1009, "", 122, 188, 141, 12, kBorder | kSunken},
        }};
    return t;
}

}  // namespace res
