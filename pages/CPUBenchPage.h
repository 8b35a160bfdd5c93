#pragma once
#include "bench/Results.h"
#include "pages/TemplatePage.h"

class wxListCtrl;

// "CPU Benchmark": the thirteen integer and instruction kernels and Dhrystone, with a total time, in a
// 21-row list; results saved to and loaded from ".cpu" files.
class CCPUBenchPage : public CTemplatePage {
public:
    CCPUBenchPage();

    const CpuResults& Results() const { return cpuResults; }
    wxListCtrl* List() const;

protected:
    bool OnInitDialog() override;

private:
    void OnBenchmark(wxCommandEvent& event);
    void OnLoadResults(wxCommandEvent& event);
    void OnSaveResults(wxCommandEvent& event);

    // Lives as long as the page; every run overwrites all fifteen values.
    CpuResults cpuResults;

    wxDECLARE_DYNAMIC_CLASS(CCPUBenchPage);
};
