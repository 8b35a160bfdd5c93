#include "res/ControlIds.h"
#include "res/DialogTemplate.h"

namespace res {

// "Cache Benchmark": the two summary lines above the 32-row result list and the four buttons.
const DialogTemplate& CacheBenchTemplate()
{
    static const DialogTemplate t{
        IDD_CACHE_BENCH, "Cache Benchmark", 360, 242,
        {
            {ControlKind::Label, kNoId, "Your System :", 8, 15, 44, 8},
            {ControlKind::ValueBox, IDC_BENCH_YOUR_SUMMARY, "", 66, 13, 288, 12},
            {ControlKind::Label, kNoId, "Loaded System :", 7, 30, 54, 8},
            {ControlKind::ValueBox, IDC_BENCH_LOADED_SUMMARY, "", 66, 28, 288, 12},
            {ControlKind::ListView, IDC_BENCH_LIST, "", 7, 46, 347, 174, kSingleSel},
            {ControlKind::Button, IDC_BENCH_RUN, "&Benchmark", 60, 226, 56, 14},
            {ControlKind::Button, IDC_BENCH_LOAD, "&Load Results", 122, 226, 56, 14},
            {ControlKind::Button, IDC_BENCH_SAVE, "&Save Results", 182, 226, 56, 14, kDisabled},
            {ControlKind::Button, IDC_BENCH_COMPARE, "&Compare", 244, 226, 56, 14, kDisabled},
        }};
    return t;
}

}  // namespace res
