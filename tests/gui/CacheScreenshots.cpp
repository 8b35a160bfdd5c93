// Not a test: takes the pictures docs/cachebench.png and docs/cachechart.png of the Cache Benchmark
// page after a real run, and of its chart. Run on purpose only:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/test/vext_gui_tests
//       --gtest_also_run_disabled_tests --gtest_filter='DISABLED_CacheScreenshots.*'
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/modalhook.h>
#include <wx/utils.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/VextApp.h"
#include "app/VextSheet.h"
#include "bench/ui/BenchProgressDlg.h"
#include "files/ResultFiles.h"
#include "pages/CacheBenchPage.h"
#include "pages/CacheResultsDlg.h"
#include "tests/gui/BenchPageSupport.h"

namespace {

void Settle()
{
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(25);
    }
}

// The screen under the window, cut out of the root window of the virtual display.
void Capture(wxWindow* window, const std::string& file)
{
    window->Raise();
    Settle();
    const wxRect r = window->GetScreenRect();
    const std::string command = "import -window root -crop " + std::to_string(r.width) + "x" + std::to_string(r.height) +
                                "+" + std::to_string(r.x) + "+" + std::to_string(r.y) + " +repage '" + file + "'";
    ASSERT_EQ(0, std::system(command.c_str())) << command;
}

void Press(wxWindow* page, int id)
{
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(page->FindWindow(id));
    page->GetEventHandler()->ProcessEvent(event);
}

// Shows the chart modeless for its picture instead of waiting in a modal loop.
class ChartPicture : public wxModalDialogHook {
public:
    explicit ChartPicture(std::string file) : file_(std::move(file)) { Register(); }
    ~ChartPicture() override { Unregister(); }
    bool taken = false;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (!dynamic_cast<CCacheResultsDlg*>(dialog)) return wxID_CANCEL;
        dialog->Move(20, 20);
        dialog->Show();
        Capture(dialog, file_);
        dialog->Hide();
        taken = true;
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}

private:
    std::string file_;
};

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
    sheet->Move(20, 20);
    sheet->Show();
    Settle();
    CCacheBenchPage* page = nullptr;
    for (size_t i = 0; i < sheet->PageCount(); ++i)
        if (auto* p = wxDynamicCast(sheet->Page(i), CCacheBenchPage)) {
            page = p;
            sheet->SelectPage(i);
        }
    ASSERT_NE(nullptr, page);

    Press(page, CCacheBenchPage::kBenchmarkId);  // the real 27 measurements
    ReleaseRunCursor();

    // Today's machines run far beyond the chart's full scales; a second system at a fortieth of this
    // one's rates shows the shape of the curves. Its summary says what it is.
    CacheResults scaled = page->YourResults();
    for (double& rate : scaled.rates) rate /= 40.0;
    ASSERT_EQ(ResultFileStatus::Ok,
              WriteResultFile(folder.File("scaled.cache"),
                              EncodeCacheRecord("This machine's run scaled to 1/40 (illustration)", scaled)));
    prompt.openAnswer = folder.File("scaled.cache");
    Press(page, CCacheBenchPage::kLoadId);

    Capture(sheet, (docs / "cachebench.png").string());
    {
        ChartPicture chart((docs / "cachechart.png").string());
        Press(page, CCacheBenchPage::kCompareId);
        EXPECT_TRUE(chart.taken);
    }
    sheet->Destroy();
    Settle();
}
