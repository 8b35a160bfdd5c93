#pragma once
#include "bench/Results.h"
#include "pages/TemplatePage.h"

class wxListCtrl;

// "FPU Benchmark": the Whetstone benchmark's eight sections, MWIPS and total time in a 13-row list;
// results saved to and loaded from ".fpu" files.
class CFPUBenchPage : public CTemplatePage {
public:
    CFPUBenchPage();

    const WhetstoneResults& Results() const { return whetstoneResults; }
    wxListCtrl* List() const;

protected:
    bool OnInitDialog() override;

private:
    void OnBenchmark(wxCommandEvent& event);
    void OnLoadResults(wxCommandEvent& event);
    void OnSaveResults(wxCommandEvent& event);

    WhetstoneResults whetstoneResults;

    wxDECLARE_DYNAMIC_CLASS(CFPUBenchPage);
};
