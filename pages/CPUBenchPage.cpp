#include "pages/CPUBenchPage.h"

#include <wx/listctrl.h>

#include "bench/BenchContext.h"
#include "widgets/BenchProgressDlg.h"
#include "bench/ResultTables.h"
#include "pages/BenchList.h"

using namespace files;

namespace pages {

using namespace widgets;

using namespace bench;

wxIMPLEMENT_DYNAMIC_CLASS(CCPUBenchPage, CBenchPage);

CCPUBenchPage::CCPUBenchPage() : CBenchPage(res::IDD_CPU_BENCH, kCpuList) {}

void CCPUBenchPage::OnBenchmark(wxCommandEvent&)
{
    CBenchRun run(Cursor(), wxGetTopLevelParent(this));
    CpuSuiteCallbacks callbacks;
    callbacks.onFailure = RunFailureBox();
    // Called between kernels: the row is written and painted before the next kernel starts.
    callbacks.onResult = [&](int index, uint32_t value) {
        cpuResults.values[index] = value;
        SetBenchCell(List(), CpuResultRow(index), kYourSystemColumn, FormatCpuResult(index, value));
        run.ShowProgress();
    };
    callbacks.onGroupEnd = [&](int) { run.AdvanceProgress(); };
    cpuResults = Context().suites.cpu(Context().machine, callbacks);
    run.Close(Control(kSaveId));
}

void CCPUBenchPage::OnLoadResults(wxCommandEvent&) { LoadIntoList(kCpuResultFile, LoadCpuFile, CpuResultCells); }

void CCPUBenchPage::OnSaveResults(wxCommandEvent&) { SaveRecord(kCpuResultFile, EncodeCpuRecord(YourSummary(), cpuResults)); }

}  // namespace pages
