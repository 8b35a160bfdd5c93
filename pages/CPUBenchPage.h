#pragma once
#include "bench/Results.h"
#include "pages/BenchPage.h"

namespace pages {

// "CPU Benchmark": the thirteen integer and instruction kernels and Dhrystone, with a total time, in a
// 21-row list; results saved to and loaded from ".cpu" files.
class CCPUBenchPage : public CBenchPage {
public:
    CCPUBenchPage();

    const bench::CpuResults& Results() const { return cpuResults; }

private:
    void OnBenchmark(wxCommandEvent& event) override;
    void OnLoadResults(wxCommandEvent& event) override;
    void OnSaveResults(wxCommandEvent& event) override;

    // Lives as long as the page; every run overwrites all fifteen values.
    bench::CpuResults cpuResults;

    wxDECLARE_DYNAMIC_CLASS(CCPUBenchPage);
};

}  // namespace pages
