// Not a test: takes the pictures docs/cachebench.png and docs/cachechart.png of the Cache Benchmark
// page after a real run, and of its chart. Run on purpose only:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/test/vext_gui_tests
//       --gtest_also_run_disabled_tests --gtest_filter='DISABLED_CacheScreenshots.*'
#include <gtest/gtest.h>
#include <wx/utils.h>

#include <cstdlib>

#include "app/VextApp.h"
#include "files/ResultFiles.h"
#include "pages/CacheBenchPage.h"
#include "pages/CacheResultsDlg.h"
#include "tests/gui/BenchPageSupport.h"

namespace {

void ShowSettled(wxWindow* window)
{
    window->Move(20, 20);
    window->Show();
    window->Raise();
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(25);
    }
}

// The screen under the window, cut out of the root window of the virtual display.
void Capture(wxWindow* window, const std::filesystem::path& file)
{
    ShowSettled(window);
    const wxRect r = window->GetScreenRect();
    const std::string command = "import -window root -crop " + std::to_string(r.width) + "x" + std::to_string(r.height) +
                                "+" + std::to_string(r.x) + "+" + std::to_string(r.y) + " +repage '" + file.string() + "'";
    ASSERT_EQ(0, std::system(command.c_str())) << command;
}

}  // namespace

TEST(DISABLED_CacheScreenshots, PageAfterARunAndItsChart)
{
    const std::filesystem::path docs = std::filesystem::path(VEXT_SOURCE_DIR) / "docs";
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt(prompt);
    benchtest::TempFolder folder;

    auto* sheet = new CVextSheet("Vext v1.0");
    AddSheetPages(*sheet);
    sheet->Prepare();
    CCacheBenchPage* page = nullptr;
    for (size_t i = 0; i < sheet->PageCount() && !page; ++i)
        if ((page = wxDynamicCast(sheet->Page(i), CCacheBenchPage))) sheet->SelectPage(i);
    ASSERT_NE(nullptr, page);
    ShowSettled(sheet);  // the page fills as it is first shown
    auto press = [page](int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(page->FindWindow(id));
        page->GetEventHandler()->ProcessEvent(event);
    };
    press(CCacheBenchPage::kBenchmarkId);  // the real 27 measurements
    ReleaseRunCursor();

    // Today's machines run far beyond the chart's full scales; a second system at a fortieth of this
    // one's rates shows the shape of the curves. Its summary says what it is.
    CacheResults scaled = page->YourResults();
    for (double& rate : scaled.rates) rate /= 40.0;
    ASSERT_EQ(ResultFileStatus::Ok,
              WriteResultFile(folder.File("scaled.cache"),
                              EncodeCacheRecord("This machine's run scaled to 1/40 (illustration)", scaled)));
    prompt.openAnswer = folder.File("scaled.cache");
    press(CCacheBenchPage::kLoadId);
    Capture(sheet, docs / "cachebench.png");

    // The chart as Compare opens it, shown modeless for its picture.
    auto* chart = new CCacheResultsDlg;
    chart->SetData(page->YourResults(), scaled, page->ControlText(CBenchPage::kYourSummaryId),
                   page->ControlText(CBenchPage::kLoadedSummaryId));
    Capture(chart, docs / "cachechart.png");
    chart->Destroy();
    sheet->Destroy();
    wxTheApp->Yield(true);
}
