#include "res/ControlIds.h"
#include "res/DialogTemplate.h"

namespace res {

namespace {

// The CPU and FPU pages share one frame: this machine's and a loaded machine's summary lines over the
// three-column list.
DialogTemplate BenchListTemplate(int id, const char* caption)
{
    return {
        id, caption, 360, 242,
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
}

}  // namespace

const DialogTemplate& CpuBenchTemplate()
{
    static const DialogTemplate t = BenchListTemplate(IDD_CPU_BENCH, "CPU Benchmark");
    return t;
}

// The Whetstone results in the same frame.
const DialogTemplate& FpuBenchTemplate()
{
    static const DialogTemplate t = BenchListTemplate(IDD_FPU_BENCH, "FPU Benchmark");
    return t;
}

}  // namespace res
