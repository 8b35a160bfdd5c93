#include "pages/CacheBenchPage.h"

#include <wx/listctrl.h>

#include "bench/BenchSuites.h"
#include "bench/ui/BenchProgressDlg.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "pages/BenchList.h"
#include "pages/CacheResultsDlg.h"

wxIMPLEMENT_DYNAMIC_CLASS(CCacheBenchPage, CBenchPage);

namespace {
// The chart's legends are read from the summary boxes as into a buffer of 100 8-bit characters: at
// most 99 characters survive. The boxes hold UTF-8, so characters are counted, not bytes.
std::string FirstCharacters(const std::string& text, size_t maxCharacters = 99)
{
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == maxCharacters) return text.substr(0, i);
    }
    return text;
}
}  // namespace

CCacheBenchPage::CCacheBenchPage() : CBenchPage(res::IDD_CACHE_BENCH, kCacheListRows)
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
    CBenchRun run(wxGetTopLevelParent(this));
    run.Progress().SetStep(33);

    // A group's nine rows are written once all nine are measured, then the bar moves on.
    CacheSuiteCallbacks callbacks;
    callbacks.afterGroup = [&](int group, const CacheResults& results) {
        const int first = group * CacheResults::kBlockSizes;
        for (int i = first; i < first + CacheResults::kBlockSizes; ++i)
            yourResults_.rates[static_cast<size_t>(i)] = results.rates[static_cast<size_t>(i)];
        WriteResults(kYourSystemColumn, yourResults_, first, CacheResults::kBlockSizes);
        run.AdvanceProgress();
    };
    yourResults_ = RunCacheSuite(callbacks);

    run.Close(Control(kSaveId));
}

void CCacheBenchPage::OnLoadResults(wxCommandEvent&)
{
    std::optional<LoadedCache> loaded = LoadCacheResults();
    if (!loaded) return;
    loadedResults_ = loaded->results;
    ShowLoadedSummary(loaded->summary);
    WriteResults(kLoadedSystemColumn, loadedResults_, 0, CacheResults::kCount);
    Control(kCompareId)->Enable();
}

void CCacheBenchPage::OnSaveResults(wxCommandEvent&) { SaveCacheResults(ControlText(kYourSummaryId), yourResults_); }

void CCacheBenchPage::OnCompare(wxCommandEvent&)
{
    CCacheResultsDlg chart;
    chart.SetData(yourResults_, loadedResults_, FirstCharacters(ControlText(kYourSummaryId)),
                  FirstCharacters(ControlText(kLoadedSummaryId)));
    chart.ShowModal();
}
