// The progress window and the opening and closing sequences every benchmark run goes through.
#include <wx/frame.h>

#include "tests/gui/BenchPageSupport.h"

using benchtest::ShownProgressWindows;

namespace {

std::vector<std::string> LabelTexts(wxWindow* parent)
{
    std::vector<std::string> texts;
    for (wxWindow* child : parent->GetChildren())
        if (auto* label = wxDynamicCast(child, wxStaticText)) texts.emplace_back(label->GetLabel().utf8_str());
    return texts;
}

bool HasButton(wxWindow* window)
{
    for (wxWindow* child : window->GetChildren())
        if (wxDynamicCast(child, wxButton) || HasButton(child)) return true;
    return false;
}

// A stand-in for the sheet: a shown top-level window with a save button.
struct OwnerFrame {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(40, 30), wxSize(700, 520));
    wxButton* save = new wxButton(frame, 1023, "&Save Results");
    OwnerFrame()
    {
        save->Disable();
        frame->Show();
        wxTheApp->Yield(true);
    }
    ~OwnerFrame()
    {
        ReleaseRunCursor();
        frame->Destroy();
        wxTheApp->Yield(true);
    }
};

}  // namespace

TEST(BenchProgressDlg, ShowsTheThreeTextsAndASmoothBarCentredWithoutCaptionOrButtonsAndWillNotClose)
{
    OwnerFrame owner;
    auto* dlg = new CBenchProgressDlg;
    ASSERT_TRUE(dlg->Create(owner.frame));
    EXPECT_EQ(owner.frame, dlg->GetParent());
    EXPECT_EQ(LabelTexts(dlg->ClientFrame()),
              (std::vector<std::string>{"Your system is being benchmarked",
                                        "Please, do not  move you mouse and do not press any keys.",
                                        "This may take up to 5 minutes."}));
    for (long style : {wxCAPTION, wxSYSTEM_MENU, wxCLOSE_BOX}) EXPECT_FALSE(dlg->HasFlag(style)) << style;
    EXPECT_TRUE(dlg->GetTitle().empty());
    EXPECT_FALSE(HasButton(dlg));
    EXPECT_EQ(wxBORDER_SUNKEN, dlg->ClientFrame()->GetBorder());
    ASSERT_NE(nullptr, dlg->ProgressBar());
    EXPECT_EQ(CBenchProgressDlg::kProgressId, dlg->ProgressBar()->GetId());
    EXPECT_FALSE(dlg->IsShown()) << "created hidden; the run shows it";
    const wxRect o = owner.frame->GetScreenRect(), d = dlg->GetScreenRect();
    EXPECT_NEAR(o.x + o.width / 2, d.x + d.width / 2, 2);
    EXPECT_NEAR(o.y + o.height / 2, d.y + d.height / 2, 2);

    // The bar runs from 0 in steps of 33 and stops at 99.
    EXPECT_EQ(100, dlg->RangeMax());
    std::vector<int> positions{dlg->Position()};
    for (int i = 0; i < 3; ++i) {
        dlg->AdvanceProgress();
        positions.push_back(dlg->Position());
    }
    EXPECT_EQ((std::vector<int>{0, 33, 66, 99}), positions);

    // Neither a close request (window manager, Alt+F4) nor Escape takes it away.
    dlg->Show();
    EXPECT_FALSE(dlg->Close());
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(dlg);
    dlg->ProcessWindowEvent(escape);
    wxTheApp->Yield(true);
    EXPECT_TRUE(dlg->IsShown());
    dlg->Destroy();
}

TEST(BenchRun, OpeningShowsAndPaintsTheWindowDisablesInputAndSetsTheWaitCursor)
{
    OwnerFrame owner;
    {
        CBenchRun run(owner.frame);
        EXPECT_EQ(&run, CBenchRun::Active());
        EXPECT_TRUE(run.Progress().IsShown());
        EXPECT_GT(run.Progress().PaintCount(), 0) << "painted before the first kernel starts";
        EXPECT_FALSE(owner.frame->IsEnabled()) << "the sheet takes no input during a run";
        EXPECT_EQ(RunCursor::Wait, CurrentRunCursor());
        run.Close(owner.save);
        EXPECT_EQ(0, ShownProgressWindows());
        EXPECT_TRUE(owner.frame->IsEnabled());
        EXPECT_TRUE(owner.save->IsEnabled());
    }
    EXPECT_EQ(nullptr, CBenchRun::Active());
    // The cross cursor stays until the mouse moves.
    wxTheApp->Yield(true);
    EXPECT_EQ(RunCursor::Cross, CurrentRunCursor());
    wxMouseEvent motion(wxEVT_MOTION);
    motion.SetEventObject(owner.frame);
    owner.frame->ProcessWindowEvent(motion);
    EXPECT_EQ(RunCursor::Normal, CurrentRunCursor());
}

TEST(BenchRun, LeftWithoutCloseStillRemovesTheWindowButLeavesSaveAlone)
{
    OwnerFrame owner;
    {
        CBenchRun run(owner.frame);
        EXPECT_EQ(1, ShownProgressWindows());
    }
    EXPECT_EQ(0, ShownProgressWindows());
    EXPECT_TRUE(owner.frame->IsEnabled());
    EXPECT_FALSE(owner.save->IsEnabled());
}
