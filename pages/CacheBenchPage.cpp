#include "pages/CacheBenchPage.h"

#include <wx/listctrl.h>

#include "bench/BenchContext.h"
#include "widgets/BenchProgressDlg.h"
#include "bench/ResultTables.h"
#include "pages/BenchList.h"
#include "pages/CacheResultsDlg.h"

namespace pages {

using namespace widgets;

using namespace files;

using namespace bench;

wxIMPLEMENT_DYNAMIC_CLASS(CCacheBenchPage, CBenchPage);

CCacheBenchPage::CCacheBenchPage() : CBenchPage(res::IDD_CACHE_BENCH, kCacheList)
{
    Bind(wxEVT_BUTTON, &CCacheBenchPage::OnCompare, this, kCompareId);
}

void CCacheBenchPage::WriteResults(int column, const CacheResults& results, int first, int count)
{
    for (int i = first; i < first + count; ++i)
        SetBenchCell(List(), CacheResultRow(i), column, FormatCacheRate(results.rates[static_cast<size_t>(i)]));
}

void CCacheBenchPage::OnBenchmark(wxCommandEvent&)
{
    CBenchRun run(Cursor(), wxGetTopLevelParent(this));
    run.Progress().SetStep(33);

    // A group's nine rows are written once all nine are measured, then the bar moves on.
    CacheSuiteCallbacks callbacks;
    callbacks.onFailure = RunFailureBox();
    callbacks.afterGroup = [&](int group, const CacheResults& results) {
        const int first = group * CacheResults::kBlockSizes;
        for (int i = first; i < first + CacheResults::kBlockSizes; ++i)
            yourResults_.rates[static_cast<size_t>(i)] = results.rates[static_cast<size_t>(i)];
        WriteResults(kYourSystemColumn, yourResults_, first, CacheResults::kBlockSizes);
        run.AdvanceProgress();
    };
    yourResults_ = Context().suites.cache(Context().machine, callbacks);

    run.Close(Control(kSaveId));
}

void CCacheBenchPage::OnLoadResults(wxCommandEvent&)
{
    std::optional<LoadedCache> loaded = LoadResultsFrom(Prompt(), kCacheResultFile, LoadCacheFile);
    if (!loaded) return;
    loadedResults_ = loaded->results;
    ShowLoadedSummary(loaded->summary);
    WriteResults(kLoadedSystemColumn, loadedResults_, 0, CacheResults::kCount);
    Control(kCompareId)->Enable();
}

void CCacheBenchPage::OnSaveResults(wxCommandEvent&)
{
    SaveRecord(kCacheResultFile, EncodeCacheRecord(YourSummary(), yourResults_));
}

void CCacheBenchPage::OnCompare(wxCommandEvent&)
{
    CCacheResultsDlg chart;
    // The legends are read from the summary boxes into a buffer of the text field's size.
    chart.SetData(yourResults_, loadedResults_, CutSummary(YourSummary()), CutSummary(LoadedSummary()));
    chart.ShowModal();
}

}  // namespace pages
