// What the user types into the file dialogs and gives while the program is busy is handled safely:
// the path the dialog chose is the one used, a replaced file is always asked about, input given
// while busy is dropped, and the progress bar shows its true place at once.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <fstream>

#include "app/VextSheet.h"
#include "app/WxPrompt.h"
#include "bench/ui/BenchProgressDlg.h"
#include "bench/ui/BusyInput.h"
#include "bench/ui/ProgressBar.h"
#include "pages/About.h"
#include "tests/core/ReportTestSupport.h"

namespace {

// Answers the file dialog with `path` as if typed, and every question with `answer`; records the questions.
class ScriptedDialogs : public wxModalDialogHook {
public:
    ScriptedDialogs(std::string path, int answer) : path_(std::move(path)), answer_(answer) { Register(); }
    ~ScriptedDialogs() override { Unregister(); }
    std::vector<std::string> questions;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* file = wxDynamicCast(dialog, wxFileDialog)) {
            file->SetPath(wxString::FromUTF8(path_));
            // GTK takes the typed path over on its next turns; wait for it, bounded.
            for (int i = 0; i < 200 && file->GetPath() != wxString::FromUTF8(path_); ++i) {
                wxTheApp->Yield(true);
                wxMilliSleep(5);
            }
            return wxID_OK;
        }
        if (auto* box = wxDynamicCast(dialog, wxMessageDialog)) questions.emplace_back(box->GetMessage().utf8_str());
        return answer_;
    }
    void Exit(wxDialog*) override {}

private:
    std::string path_;
    int answer_;
};

platform::FileDialogRequest SaveRequest()
{
    platform::FileDialogRequest r;
    r.filter = "Bench Files (*.cpu)|*.cpu|All Files (*.*)|*.*||";
    r.defaultExtension = "cpu";
    r.overwritePrompt = true;
    return r;
}

}  // namespace

TEST(WxPrompt, UsesTheFullPathTheDialogChose)
{
    reporttest::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    const std::string typed = (dir.Path() / "sub" / "victim.cpu").string();
    std::ofstream(typed) << "kept";
    ScriptedDialogs dialogs(typed, wxID_OK);
    CWxPrompt prompt;
    EXPECT_EQ(typed, prompt.AskSavePath(SaveRequest()).value_or("cancelled"));
    EXPECT_EQ(typed, prompt.AskOpenPath(SaveRequest()).value_or("cancelled"));
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST(WxPrompt, AsksBeforeReplacingAFileNamedWithoutItsExtension)
{
    reporttest::TempDir dir;
    const std::string typed = (dir.Path() / "victim").string();
    std::ofstream(typed + ".cpu") << "kept";
    const struct {
        int answer;
        std::optional<std::string> chosen;
    } cases[] = {{wxID_NO, std::nullopt}, {wxID_YES, typed + ".cpu"}};
    for (const auto& c : cases) {
        ScriptedDialogs dialogs(typed, c.answer);
        EXPECT_EQ(c.chosen, CWxPrompt().AskSavePath(SaveRequest()));
        ASSERT_EQ(1u, dialogs.questions.size());
        EXPECT_NE(std::string::npos, dialogs.questions[0].find("victim.cpu already exists")) << dialogs.questions[0];
    }
    // A new name is not asked about; a name with a dot in a folder still gets the extension.
    ScriptedDialogs fresh((dir.Path() / "new").string(), wxID_NO);
    EXPECT_EQ((dir.Path() / "new.cpu").string(), CWxPrompt().AskSavePath(SaveRequest()));
    EXPECT_TRUE(fresh.questions.empty());
    EXPECT_EQ("a.b/c.cpu", WithDefaultExtension("a.b/c", "cpu"));
}

TEST(BenchProgress, TheBarIsDrawnAtItsPositionRightAfterEachAdvance)
{
    wxFrame* owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(40, 30), wxSize(700, 520));
    owner->Show();
    {
        CBenchRun run(owner);
        CProgressBar* bar = run.Progress().ProgressBar();
        ASSERT_NE(nullptr, bar);
        const wxSize size = bar->GetClientSize();
        for (int step = 1; step <= 3; ++step) {
            run.AdvanceProgress();
            wxBitmap shot(size.x, size.y, 24);
            {
                wxMemoryDC dc(shot);
                bar->Draw(dc, size);
            }
            const wxImage image = shot.ConvertToImage();
            const wxColour fill = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
            int filled = 0;
            while (filled < size.x && wxColour(image.GetRed(filled, size.y / 2), image.GetGreen(filled, size.y / 2),
                                               image.GetBlue(filled, size.y / 2)) == fill)
                ++filled;
            EXPECT_EQ(size.x * 33 * step / 100, filled) << "after advance " << step;
        }
        run.Close(nullptr);
    }
    ReleaseRunCursor();
    owner->Destroy();
}

TEST(BusyInput, EscapeGivenWhileBusyIsDroppedAndWorksWhenIdle)
{
    CVextSheet* sheet = new CVextSheet("Vext v1.0");
    sheet->AddPage(new CAbout);
    sheet->Prepare();
    sheet->Show();
    sheet->Raise();
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true), wxMilliSleep(5);
    int closes = 0;
    sheet->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++closes; }, wxID_OK);
    sheet->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++closes; }, wxID_CANCEL);
    auto pressEscape = [] {
        wxUIActionSimulator().Char(WXK_ESCAPE);
        wxMilliSleep(50);  // the key reaches the display's queue while the program is still busy
    };
    {
        CBusyInput busy;
        pressEscape();
    }
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true), wxMilliSleep(5);
    EXPECT_EQ(0, closes) << "an Escape given while busy was acted on afterwards";
    pressEscape();
    for (int i = 0; i < 20 && closes == 0; ++i) wxTheApp->Yield(true), wxMilliSleep(5);
    EXPECT_EQ(1, closes) << "Escape given while idle must act as the sheet's Cancel";
    sheet->Destroy();
    wxTheApp->Yield(true);
}
