#pragma once
// What the benchmark page tests share: the recording prompt, instant clocks for the summary line, a
// sheet holding one page, access to the list cells, and the checks of what all three pages show alike.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/VextSheet.h"
#include "bench/ui/BenchProgressDlg.h"
#include "cpu/Clock.h"
#include "pages/BenchPage.h"
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/UserPrompt.h"
#include "tests/core/RecordingPrompt.h"
#include "tests/core/ReportTestSupport.h"

namespace benchtest {

constexpr int kBenchmark = CBenchPage::kBenchmarkId;
constexpr int kLoad = CBenchPage::kLoadId;
constexpr int kSave = CBenchPage::kSaveId;

// The summary line measures the clock over a second of the millisecond timer; these clocks make that
// second pass in a few reads.
struct InstantClocks {
    platform::ScopedTimeGetTime timer{platform::SteppingClock(5000, 250)};
    platform::ScopedTsc tsc{platform::SteppingTsc(1'000'000, 200'000'000)};
};

// A temporary folder removed with its files.
struct TempFolder : reporttest::TempDir {
    std::string File(const std::string& name) const { return (Path() / name).string(); }
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
    wxListCtrl* List() const { return wxDynamicCast(page->Control(CBenchPage::kListId), wxListCtrl); }
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

// Every control of the page's template stands where the template puts it, and no label is clipped.
template <typename P>
void ExpectTemplateLayout()
{
    SheetWithPage<P> ui;
    const res::DialogTemplate& t = ui.page->Template();
    for (const res::ControlTemplate& c : t.controls) {
        if (c.id == res::kNoId) continue;
        wxWindow* w = ui.page->Control(c.id);
        ASSERT_NE(nullptr, w) << c.id;
        EXPECT_EQ(wxRect(ui.page->ConvertDialogToPixels(wxPoint(c.x, c.y)), ui.page->ConvertDialogToPixels(wxSize(c.width, c.height))),
                  w->GetRect()) << c.id;
    }
    for (wxWindow* child : ui.page->GetChildren())
        if (auto* label = wxDynamicCast(child, wxStaticText)) {
            EXPECT_GE(label->GetSize().x, label->GetBestSize().x) << label->GetLabel();
        }
    EXPECT_EQ(ui.sheet->GetBookCtrl()->GetPageText(0), wxString::FromUTF8(t.caption));
}

// A page as first shown: this machine's summary, the three columns ("Benchmark" 200 pixels wide, the
// others 150), `rows` row titles with nothing beside them, and nothing to save yet.
template <typename P>
void ExpectFreshPage(const SheetWithPage<P>& ui, size_t rows)
{
    InstantClocks clocks;  // as the page had them when it filled its summary line
    EXPECT_EQ(FormatSystemSummary(), ui.page->ControlText(CBenchPage::kYourSummaryId));
    EXPECT_EQ("", ui.page->ControlText(CBenchPage::kLoadedSummaryId));
    wxListCtrl* list = ui.List();
    EXPECT_TRUE(list->HasFlag(wxLC_REPORT) && list->HasFlag(wxLC_SINGLE_SEL));
    ASSERT_EQ(3, list->GetColumnCount());
    const char* titles[] = {"Benchmark", "Your System", "Loaded System"};
    for (int c = 0; c < 3; ++c) {
        wxListItem col;
        col.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
        list->GetColumn(c, col);
        EXPECT_EQ(titles[c], col.GetText());
        EXPECT_EQ(wxLIST_FORMAT_LEFT, col.GetAlign());
        EXPECT_EQ(c == 0 ? 200 : 150, list->GetColumnWidth(c));
    }
    EXPECT_EQ(rows, ui.Column(0).size());
    EXPECT_EQ(std::vector<std::string>(rows, ""), ui.Column(1));
    EXPECT_EQ(std::vector<std::string>(rows, ""), ui.Column(2));
    EXPECT_TRUE(ui.Enabled(kBenchmark));
    EXPECT_TRUE(ui.Enabled(kLoad));
    EXPECT_FALSE(ui.Enabled(kSave));
}

// After a run: the window gone, the cross cursor up, the sheet taking input again and Save enabled.
template <typename P>
void ExpectRunClosed(const SheetWithPage<P>& ui)
{
    EXPECT_EQ(0, ShownProgressWindows());
    EXPECT_EQ(RunCursor::Cross, CurrentRunCursor());
    EXPECT_TRUE(ui.Enabled(kSave));
    EXPECT_TRUE(ui.sheet->IsEnabled());
}

// Load Results cancelled, then pointed at a missing file: the error box, and column 2 still empty.
template <typename P>
void ExpectFailedLoadsChangeNothing(SheetWithPage<P>& ui, RecordingPrompt& prompt, const std::string& missing)
{
    ui.Press(kLoad);
    EXPECT_TRUE(prompt.messages.empty());
    prompt.openAnswer = missing;
    ui.Press(kLoad);
    ASSERT_EQ(1u, prompt.messages.size());
    EXPECT_EQ("Error !\n\nVext is unable to open the bench file !", prompt.messages[0].first);
    EXPECT_EQ(platform::MessageIcon::Stop, prompt.messages[0].second);
    EXPECT_EQ("", ui.page->ControlText(CBenchPage::kLoadedSummaryId));
    EXPECT_EQ(std::vector<std::string>(ui.Column(2).size(), ""), ui.Column(2));
}

}  // namespace benchtest
