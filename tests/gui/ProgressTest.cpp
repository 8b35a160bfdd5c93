// The progress window every benchmark run shows: its looks, its bar's pixels, and the opening and
// closing of a run around it.
#include <wx/frame.h>
#include <wx/settings.h>

#include <memory>

#include "tests/gui/GuiSupport.h"
#include "widgets/BusyInput.h"

using namespace widgets;

namespace {

// The pixels of the highlight colour from the left along the bar's middle row.
int FilledPixels(CProgressBar& bar)
{
    const wxSize size = bar.GetClientSize();
    const wxImage image = guitest::Painted(size, *wxBLACK, [&](wxDC& dc) { bar.Draw(dc, size); });
    const wxColour fill = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    int filled = 0;
    while (filled < size.x && wxColour(image.GetRed(filled, size.y / 2), image.GetGreen(filled, size.y / 2), image.GetBlue(filled, size.y / 2)) == fill)
        ++filled;
    return filled;
}

}  // namespace

TEST(BenchRun, ShowsThePaintedWindowWithInputOffAndEndsWithTheCrossCursorUntilTheMouseMoves)
{
    CRunCursor cursor;
    for (bool closed : {true, false}) {  // closed as a run ends, or left by an exception
        wxFrame* owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(40, 30), wxSize(700, 520));
        auto* save = new wxButton(owner, res::IDC_BENCH_SAVE, "&Save Results");
        save->Disable();
        owner->Show();
        wxTheApp->Yield(true);
        {
            CBenchRun run(cursor, owner);
            CBenchProgressDlg& dlg = run.Progress();
            EXPECT_EQ(1, guitest::ShownProgressWindows());
            EXPECT_GT(dlg.PaintCount(), 0) << "painted before the first kernel starts";
            EXPECT_FALSE(owner->IsEnabled()) << "the sheet takes no input during a run";
            EXPECT_EQ(RunCursor::Wait, cursor.Current());
            EXPECT_EQ(owner, dlg.GetParent());
            ExpectGolden("gui/progress.txt", guitest::ControlTexts(dlg) + guitest::ControlTexts(*dlg.ClientFrame()));
            for (long style : {wxCAPTION, wxSYSTEM_MENU, wxCLOSE_BOX}) EXPECT_FALSE(dlg.HasFlag(style)) << style;
            EXPECT_TRUE(dlg.GetTitle().empty() && dlg.ClientFrame()->GetBorder() == wxBORDER_SUNKEN);
            const wxRect o = owner->GetScreenRect(), d = dlg.GetScreenRect();
            EXPECT_NEAR(o.x + o.width / 2, d.x + d.width / 2, 2);
            EXPECT_NEAR(o.y + o.height / 2, d.y + d.height / 2, 2);
            // Neither a close request (window manager, Alt+F4) nor Escape takes it away.
            EXPECT_FALSE(dlg.Close());
            guitest::PressEscape(dlg);
            wxTheApp->Yield(true);
            EXPECT_TRUE(dlg.IsShown());
            // The bar is drawn at its true place right after each advance, from 0 in steps of 33.
            ASSERT_NE(nullptr, dlg.ProgressBar());
            for (int step = 0; closed; run.AdvanceProgress(), ++step) {
                EXPECT_EQ(33 * step, dlg.Position());
                EXPECT_EQ(dlg.ProgressBar()->GetClientSize().x * 33 * step / 100, FilledPixels(*dlg.ProgressBar())) << step;
                if (step == 3) break;
            }
            if (closed) run.Close(save);
        }
        EXPECT_EQ(0, guitest::ShownProgressWindows());
        EXPECT_TRUE(owner->IsEnabled());
        EXPECT_EQ(closed, save->IsEnabled());
        wxTheApp->Yield(true);
        EXPECT_EQ(RunCursor::Cross, cursor.Current());
        wxMouseEvent motion(wxEVT_MOTION);
        motion.SetEventObject(owner);
        owner->ProcessWindowEvent(motion);
        EXPECT_EQ(RunCursor::Normal, cursor.Current());
        owner->Destroy();
        wxTheApp->Yield(true);
    }
}

TEST(BusyInput, DropsTheInputQueuedMeanwhileAndNestedStretchesDropUntilTheLastEnds)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "busy");
    int keys = 0;
    frame->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent&) { ++keys; });
    const auto key = [frame] {
        auto* event = new wxKeyEvent(wxEVT_KEY_DOWN);
        event->SetEventObject(frame);
        return event;
    };
    const auto press = [&] {
        std::unique_ptr<wxKeyEvent> event(key());
        frame->ProcessWindowEvent(*event);
        return keys;
    };
    {
        CBusyInput outer;
        {
            CBusyInput inner;
            EXPECT_EQ(0, press());
            frame->GetEventHandler()->QueueEvent(key());  // still queued as the inner stretch ends
        }
        EXPECT_EQ(0, keys);
        EXPECT_EQ(0, press()) << "the outer stretch goes on";
        frame->GetEventHandler()->QueueEvent(key());
    }
    wxTheApp->Yield(true);
    EXPECT_EQ(0, keys);
    EXPECT_EQ(1, press());
    frame->Destroy();
    wxTheApp->Yield(true);
}
