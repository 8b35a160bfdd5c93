#include "pages/FPUBenchPage.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include "bench/BenchSuites.h"
#include "bench/ui/BenchProgressDlg.h"
#include "cpu/Clock.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "pages/BenchList.h"

wxIMPLEMENT_DYNAMIC_CLASS(CFPUBenchPage, CTemplatePage);

namespace {
constexpr int kSummaryBox = 1015;
constexpr int kLoadedSummaryBox = 1016;
constexpr int kList = 1017;
constexpr int kBenchmarkButton = 1021;
constexpr int kLoadButton = 1022;
constexpr int kSaveButton = 1023;
}  // namespace

CFPUBenchPage::CFPUBenchPage() : CTemplatePage(res::IDD_FPU_BENCH)
{
    Bind(wxEVT_BUTTON, &CFPUBenchPage::OnBenchmark, this, kBenchmarkButton);
    Bind(wxEVT_BUTTON, &CFPUBenchPage::OnLoadResults, this, kLoadButton);
    Bind(wxEVT_BUTTON, &CFPUBenchPage::OnSaveResults, this, kSaveButton);
}

wxListCtrl* CFPUBenchPage::List() const { return wxDynamicCast(Control(kList), wxListCtrl); }

bool CFPUBenchPage::OnInitDialog()
{
    // Measures the clock: about a second.
    SetControlText(kSummaryBox, FormatSystemSummary());
    SetUpBenchList(List(), kFpuListRows);
    return true;
}

void CFPUBenchPage::OnBenchmark(wxCommandEvent&)
{
    CBenchRun run(wxGetTopLevelParent(this));
    FpuSuiteCallbacks callbacks;
    // The bar stands at 33 for the whole benchmark and at 66 once it has finished.
    callbacks.beforeRun = [&] { run.AdvanceProgress(); };
    // The benchmark lasts minutes: the progress window is kept painted between its sections.
    callbacks.afterSection = [&](int, bool) { run.ShowProgress(); };
    callbacks.afterRun = [&] { run.AdvanceProgress(); };
    whetstoneResults = RunFpuSuite(callbacks);
    SetBenchCells(List(), kYourSystemColumn, FpuResultCells(whetstoneResults));
    run.ShowProgress();
    run.Close(Control(kSaveButton));
}

void CFPUBenchPage::OnLoadResults(wxCommandEvent&)
{
    std::optional<LoadedFpu> loaded = LoadFpuResults();
    if (!loaded) return;
    if (wxWindow* box = Control(kLoadedSummaryBox)) box->SetLabel(SummaryDisplayText(loaded->summary));
    SetBenchCells(List(), kLoadedSystemColumn, FpuResultCells(loaded->results));
}

void CFPUBenchPage::OnSaveResults(wxCommandEvent&) { SaveFpuResults(ControlText(kSummaryBox), whetstoneResults); }
