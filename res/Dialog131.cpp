#include "res/DialogTemplate.h"

namespace res {

// "FPU Benchmark": the same frame as the CPU page, for the Whetstone results.
const DialogTemplate& Dialog131()
{
    static const DialogTemplate t{
        IDD_FPU_BENCH, "FPU Benchmark", 360, 242, "MS Sans Serif", 8, kChild,
        {
            {ControlKind::Label, kNoId, "Your System :", 8, 15, 44, 8},
            {ControlKind::ValueBox, 1015, "", 66, 13, 288, 12, kBorder | kSunken},
            {ControlKind::Label, kNoId, "Loaded System :", 7, 30, 54, 8},
            {ControlKind::ValueBox, 1016, "", 66, 28, 288, 12, kBorder | kSunken},
            {ControlKind::ListView, 1017, "", 7, 46, 347, 174, kSingleSel | kNoSortHeader | kBorder},
            {ControlKind::Button, 1021, "&Benchmark", 84, 226, 56, 14},
            {ControlKind::Button, 1022, "&Load Results", 144, 226, 56, 14},
            {ControlKind::Button, 1023, "&Save Results", 204, 226, 56, 14, kDisabled},
        }};
    return t;
}

}  // namespace res
