#include "res/ControlIds.h"
#include "res/DialogTemplate.h"

namespace res {

// "FPU Benchmark": the same frame as the CPU page, for the Whetstone results.
const DialogTemplate& FpuBenchTemplate()
{
    static const DialogTemplate t{
        IDD_FPU_BENCH, "FPU Benchmark", 360, 242,
        {
            {ControlKind::Label, kNoId, "Your System :", 8, 15, 44, 8},
            {ControlKind::ValueBox, IDC_BENCH_YOUR_SUMMARY, "", 66, 13, 288, 12},
            {ControlKind::Label, kNoId, "Loaded System :", 7, 30, 54, 8},
            {ControlKind::ValueBox, IDC_BENCH_LOADED_SUMMARY, "", 66, 28, 288, 12},
            {ControlKind::ListView, IDC_BENCH_LIST, "", 7, 46, 347, 174, kSingleSel},
            {ControlKind::Button, IDC_BENCH_RUN, "&Benchmark", 84, 226, 56, 14},
            {ControlKind::Button, IDC_BENCH_LOAD, "&Load Results", 144, 226, 56, 14},
            {ControlKind::Button, IDC_BENCH_SAVE, "&Save Results", 204, 226, 56, 14, kDisabled},
        }};
    return t;
}

}  // namespace res
