#include "pages/FPUBenchPage.h"

#include <wx/listctrl.h>

#include "bench/BenchContext.h"
#include "widgets/BenchProgressDlg.h"
#include "bench/ResultTables.h"
#include "pages/BenchList.h"

using namespace files;

namespace pages {

using namespace widgets;

using namespace bench;

wxIMPLEMENT_DYNAMIC_CLASS(CFPUBenchPage, CBenchPage);

CFPUBenchPage::CFPUBenchPage() : CBenchPage(res::IDD_FPU_BENCH, kFpuList) {}

void CFPUBenchPage::OnBenchmark(wxCommandEvent&)
{
    CBenchRun run(Cursor(), wxGetTopLevelParent(this));
    FpuSuiteCallbacks callbacks;
    callbacks.onFailure = RunFailureBox();
    // The bar stands at 33 for the whole benchmark and at 66 once it has finished.
    callbacks.beforeRun = [&] { run.AdvanceProgress(); };
    // The benchmark lasts minutes: the progress window is kept painted between its sections.
    callbacks.afterSection = [&](int, bool) { run.ShowProgress(); };
    callbacks.afterRun = [&] { run.AdvanceProgress(); };
    whetstoneResults = Context().suites.fpu(Context().machine, callbacks);
    SetBenchCells(List(), kYourSystemColumn, FpuResultCells(whetstoneResults));
    run.ShowProgress();
    run.Close(Control(kSaveId));
}

void CFPUBenchPage::OnLoadResults(wxCommandEvent&) { LoadIntoList(kFpuResultFile, LoadFpuFile, FpuResultCells); }

void CFPUBenchPage::OnSaveResults(wxCommandEvent&) { SaveRecord(kFpuResultFile, EncodeFpuRecord(YourSummary(), whetstoneResults)); }

}  // namespace pages
