#include "pages/CPUBenchPage.h"

#include <wx/listctrl.h>

#include "bench/CpuSuite.h"
#include "bench/ui/BenchProgressDlg.h"
#include "files/ResultFileDialogs.h"
#include "files/ResultTables.h"
#include "pages/BenchList.h"

wxIMPLEMENT_DYNAMIC_CLASS(CCPUBenchPage, CBenchPage);

CCPUBenchPage::CCPUBenchPage() : CBenchPage(res::IDD_CPU_BENCH, kCpuList) {}

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
    run.Close(Control(kSaveId));
}

void CCPUBenchPage::OnLoadResults(wxCommandEvent&)
{
    std::optional<LoadedCpu> loaded = LoadCpuResults();
    if (!loaded) return;
    ShowLoadedSummary(loaded->summary);
    SetBenchCells(List(), kLoadedSystemColumn, CpuResultCells(loaded->results));
}

void CCPUBenchPage::OnSaveResults(wxCommandEvent&)
{
    if (SaveCpuResults(YourSummary(), cpuResults)) RunSaved();
}
