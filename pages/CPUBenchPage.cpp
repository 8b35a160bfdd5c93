#include "pages/CPUBenchPage.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include "bench/CpuSuite.h"
#include "bench/ui/BenchProgressDlg.h"
#include "cpu/Clock.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "pages/BenchList.h"

wxIMPLEMENT_DYNAMIC_CLASS(CCPUBenchPage, CTemplatePage);

namespace {
constexpr int kSummaryBox = 1015;
constexpr int kLoadedSummaryBox = 1016;
constexpr int kList = 1017;
constexpr int kBenchmarkButton = 1021;
constexpr int kLoadButton = 1022;
constexpr int kSaveButton = 1023;
}  // namespace

CCPUBenchPage::CCPUBenchPage() : CTemplatePage(res::IDD_CPU_BENCH)
{
    Bind(wxEVT_BUTTON, &CCPUBenchPage::OnBenchmark, this, kBenchmarkButton);
    Bind(wxEVT_BUTTON, &CCPUBenchPage::OnLoadResults, this, kLoadButton);
    Bind(wxEVT_BUTTON, &CCPUBenchPage::OnSaveResults, this, kSaveButton);
}

wxListCtrl* CCPUBenchPage::List() const { return wxDynamicCast(Control(kList), wxListCtrl); }

bool CCPUBenchPage::OnInitDialog()
{
    // Measures the clock: about a second.
    SetControlText(kSummaryBox, FormatSystemSummary());
    SetUpBenchList(List(), kCpuListRows);
    return true;
}

void CCPUBenchPage::OnBenchmark(wxCommandEvent&)
{
    CBenchRun run(wxGetTopLevelParent(this));
    CpuSuiteCallbacks callbacks;
    // Called between kernels: the row is written and painted before the next kernel starts.
    callbacks.onResult = [&](int index, uint32_t value) {
        cpuResults.values[index] = value;
        SetBenchCell(List(), CpuResultRow(index), kYourSystemColumn, FormatCpuResult(index, value));
        run.ShowProgress();
    };
    callbacks.onGroupEnd = [&](int) { run.AdvanceProgress(); };
    cpuResults = RunCpuSuite(callbacks);
    run.Close(Control(kSaveButton));
}

void CCPUBenchPage::OnLoadResults(wxCommandEvent&)
{
    std::optional<LoadedCpu> loaded = LoadCpuResults();
    if (!loaded) return;
    if (wxWindow* box = Control(kLoadedSummaryBox)) box->SetLabel(SummaryDisplayText(loaded->summary));
    SetBenchCells(List(), kLoadedSystemColumn, CpuResultCells(loaded->results));
}

void CCPUBenchPage::OnSaveResults(wxCommandEvent&) { SaveCpuResults(ControlText(kSummaryBox), cpuResults); }
