#pragma once
#include "bench/Results.h"
#include "pages/BenchPage.h"

namespace pages {

// "FPU Benchmark": the Whetstone benchmark's eight sections, MWIPS and total time in a 13-row list;
// results saved to and loaded from ".fpu" files.
class CFPUBenchPage : public CBenchPage {
public:
    CFPUBenchPage();

    const bench::WhetstoneResults& Results() const { return whetstoneResults; }

private:
    void OnBenchmark(wxCommandEvent& event) override;
    void OnLoadResults(wxCommandEvent& event) override;
    void OnSaveResults(wxCommandEvent& event) override;

    bench::WhetstoneResults whetstoneResults;

    wxDECLARE_DYNAMIC_CLASS(CFPUBenchPage);
};

}  // namespace pages
