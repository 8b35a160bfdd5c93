#pragma once
// "Cache Benchmark": the 27 memory-bandwidth rates of this machine beside those of a saved run, with
// save, load and the chart of both.
#include <string>

#include "bench/Results.h"
#include "pages/BenchPage.h"

namespace pages {

class CCacheBenchPage : public CBenchPage {
public:
    static constexpr int kCompareId = res::IDC_BENCH_COMPARE;

    CCacheBenchPage();

    const bench::CacheResults& YourResults() const { return yourResults_; }
    const bench::CacheResults& LoadedResults() const { return loadedResults_; }

private:
    void OnBenchmark(wxCommandEvent& event) override;
    void OnLoadResults(wxCommandEvent& event) override;
    void OnSaveResults(wxCommandEvent& event) override;
    void OnCompare(wxCommandEvent& event);

    // Writes results [first, first + count) into `column` at their rows.
    void WriteResults(int column, const bench::CacheResults& results, int first, int count);

    bench::CacheResults yourResults_;
    bench::CacheResults loadedResults_;

    wxDECLARE_DYNAMIC_CLASS(CCacheBenchPage);
};

}  // namespace pages
