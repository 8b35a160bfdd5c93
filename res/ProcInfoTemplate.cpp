#include "res/ControlIds.h"
#include "res/DialogTemplate.h"

namespace res {

// "Processor Information": nine value boxes with the main facts, the report button, and the list of
// cache, TLB and feature details below them.
const DialogTemplate& ProcInfoTemplate()
{
    static const DialogTemplate t{
        IDD_PROC_INFO, "Processor Information", 360, 241,
        {
            {ControlKind::Label, kNoId, "Vendor Name :", 5, 10, 48, 8},
            {ControlKind::ValueBox, IDC_PROC_VENDOR, "", 72, 9, 279, 12},
            {ControlKind::Label, kNoId, "Processor :", 5, 25, 36, 8},
            {ControlKind::ValueBox, IDC_PROC_NAME, "", 72, 23, 279, 12},
            {ControlKind::Label, kNoId, "Frequency :", 5, 40, 38, 8},
            {ControlKind::ValueBox, IDC_PROC_FREQUENCY, "", 72, 36, 64, 12},
            {ControlKind::Button, IDC_PROC_REPORT, "&Report", 295, 36, 56, 14},
            {ControlKind::Label, kNoId, "L1 Instruction Cache :", 5, 60, 70, 8},
            {ControlKind::ValueBox, IDC_PROC_L1_CODE_SIZE, "", 79, 58, 46, 12},
            {ControlKind::Label, kNoId, "L1 Data Cache :", 132, 60, 53, 8},
            {ControlKind::ValueBox, IDC_PROC_L1_DATA_SIZE, "", 188, 58, 46, 12},
            {ControlKind::Label, kNoId, "L2 Cache :", 256, 60, 36, 8},
            {ControlKind::ValueBox, IDC_PROC_L2_SIZE, "", 295, 57, 56, 12},
            {ControlKind::Label, kNoId, "Processor Type :", 5, 75, 54, 8},
            {ControlKind::ValueBox, IDC_PROC_TYPE, "", 79, 73, 46, 12},
            {ControlKind::Label, kNoId, "Brand ID :", 151, 75, 33, 8},
            {ControlKind::ValueBox, IDC_PROC_BRAND_ID, "", 188, 73, 75, 12},
            {ControlKind::Label, kNoId, "Brand String :", 5, 90, 44, 8},
            {ControlKind::ValueBox, IDC_PROC_BRAND_STRING, "", 79, 88, 186, 12},
            {ControlKind::ListView, IDC_PROC_LIST, "List2", 4, 110, 347, 127, kSingleSel},
        }};
    return t;
}

}  // namespace res
