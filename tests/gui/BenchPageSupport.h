#pragma once
// What the benchmark page tests share: a recording prompt, instant clocks for the summary line, a
// sheet holding one page, and access to the list cells.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/listctrl.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/VextSheet.h"
#include "bench/ui/BenchProgressDlg.h"
#include "cpu/Clock.h"
#include "pages/TemplatePage.h"
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/UserPrompt.h"

namespace benchtest {

class RecordingPrompt : public platform::UserPrompt {
public:
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;
    std::vector<platform::FileDialogRequest> openRequests;
    std::vector<platform::FileDialogRequest> saveRequests;
    std::vector<std::pair<std::string, platform::MessageIcon>> messages;

    void ShowMessage(const std::string& text, platform::MessageIcon icon) override { messages.emplace_back(text, icon); }
    std::optional<std::string> AskOpenPath(const platform::FileDialogRequest& r) override
    {
        openRequests.push_back(r);
        return openAnswer;
    }
    std::optional<std::string> AskSavePath(const platform::FileDialogRequest& r) override
    {
        saveRequests.push_back(r);
        return saveAnswer;
    }
};

// The summary line measures the clock over a second of the millisecond timer; these clocks make that
// second pass in a few reads.
struct InstantClocks {
    platform::ScopedTimeGetTime timer{platform::SteppingClock(5000, 250)};
    platform::ScopedTsc tsc{platform::SteppingTsc(1'000'000, 200'000'000)};
};

// The summary line the page shows under fresh InstantClocks.
inline std::string ExpectedSummary()
{
    InstantClocks clocks;
    return FormatSystemSummary();
}

// A temporary folder removed with its files.
struct TempFolder {
    std::filesystem::path path;
    TempFolder()
    {
        path = std::filesystem::temp_directory_path() /
               ("vext-pages-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string File(const std::string& name) const { return (path / name).string(); }
};

// A shown sheet holding one page of type P, initialised as the sheet opens.
template <typename P>
class SheetWithPage {
public:
    SheetWithPage()
    {
        InstantClocks clocks;
        sheet = new CVextSheet("Vext v1.0");
        page = new P;
        sheet->AddPage(page);
        sheet->Prepare();
        sheet->Show();
        wxTheApp->Yield(true);
    }
    ~SheetWithPage()
    {
        ReleaseRunCursor();
        sheet->Destroy();
        wxTheApp->Yield(true);
    }
    SheetWithPage(const SheetWithPage&) = delete;
    SheetWithPage& operator=(const SheetWithPage&) = delete;

    void Press(int id)
    {
        auto* button = wxDynamicCast(page->Control(id), wxButton);
        ASSERT_NE(nullptr, button);
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(event);
    }
    bool Enabled(int id) const { return page->Control(id)->IsEnabled(); }
    wxListCtrl* List() const { return wxDynamicCast(page->Control(1017), wxListCtrl); }
    std::string Cell(int row, int column) const { return std::string(List()->GetItemText(row, column).utf8_str()); }
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> cells;
        for (int row = 0; row < List()->GetItemCount(); ++row) cells.push_back(Cell(row, column));
        return cells;
    }

    CVextSheet* sheet;
    P* page;
};

// Progress windows still on screen.
inline int ShownProgressWindows()
{
    int shown = 0;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* dlg = wxDynamicCast(w, CBenchProgressDlg); dlg && dlg->IsShown() && !dlg->IsBeingDeleted()) ++shown;
    return shown;
}

}  // namespace benchtest
