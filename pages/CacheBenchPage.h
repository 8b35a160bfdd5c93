#pragma once
// "Cache Benchmark": the 27 memory-bandwidth rates of this machine beside those of a saved run, with
// save, load and the chart of both.
#include <string>

#include "bench/Results.h"
#include "pages/TemplatePage.h"

class wxListCtrl;
class wxCommandEvent;

class CCacheBenchPage : public CTemplatePage {
public:
    static constexpr int kYourSummaryId = 1015;
    static constexpr int kLoadedSummaryId = 1016;
    static constexpr int kListId = 1017;
    static constexpr int kBenchmarkId = 1021;
    static constexpr int kLoadId = 1022;
    static constexpr int kSaveId = 1023;
    static constexpr int kCompareId = 1024;

    CCacheBenchPage();

    const CacheResults& YourResults() const { return yourResults_; }
    const CacheResults& LoadedResults() const { return loadedResults_; }
    wxListCtrl* List() const;

protected:
    bool OnInitDialog() override;

private:
    void OnBenchmark(wxCommandEvent& event);
    void OnLoad(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnCompare(wxCommandEvent& event);

    // Writes results [first, first + count) into `column` at their rows.
    void WriteResults(int column, const CacheResults& results, int first, int count);

    CacheResults yourResults_;
    CacheResults loadedResults_;

    wxDECLARE_DYNAMIC_CLASS(CCacheBenchPage);
};
