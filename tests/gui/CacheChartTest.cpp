// The cache chart drawn into a bitmap and read back pixel by pixel, and its dialog.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/timer.h>

#include <cmath>
#include <limits>

#include "pages/CacheResultsDlg.h"

namespace {

using cachechart::kPanels;
using cachechart::PointY;

constexpr double kInf = std::numeric_limits<double>::infinity();
const wxSize kClient(766, 400);  // the dialog's client area in the sheet's dialog units

enum Colour { Black, Red, Blue, White, Grey, Other };

Colour Classify(const wxImage& img, int x, int y)
{
    int r = img.GetRed(x, y), g = img.GetGreen(x, y), b = img.GetBlue(x, y);
    if (r == 0 && g == 0 && b == 0) return Black;
    if (r == 255 && g == 0 && b == 0) return Red;
    if (r == 0 && g == 0 && b == 255) return Blue;
    if (r == 255 && g == 255 && b == 255) return White;
    if (r == 128 && g == 128 && b == 128) return Grey;
    return Other;
}

// A curve drawn two pixels wide covers the pixel rows next to its coordinate.
bool CurveAt(const wxImage& img, int x, int y, Colour c)
{
    for (int dy = -1; dy <= 1; ++dy)
        if (Classify(img, x, y + dy) == c) return true;
    return false;
}

int CountIn(const wxImage& img, wxRect r, Colour c)
{
    int n = 0;
    for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
        for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
            if (Classify(img, x, y) == c) ++n;
    return n;
}

wxImage Draw(const CacheChartData& data, wxSize size = kClient)
{
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(128, 128, 128)));
        dc.Clear();
        DrawCacheChart(dc, size, data);
    }
    return bitmap.ConvertToImage();
}

CacheResults Filled(double movsd, double mov, double stepping)
{
    CacheResults r;
    for (int k = 0; k < 9; ++k) {
        r.rates[static_cast<size_t>(k)] = movsd;
        r.rates[static_cast<size_t>(9 + k)] = mov;
        r.rates[static_cast<size_t>(18 + k)] = stepping;
    }
    return r;
}

}  // namespace

TEST(CacheChartGeometry, RatesBecomeHeightsTruncatedAndClampedToThePlotArea)
{
    const double mov = kPanels[1].pixelsPerMb;
    EXPECT_EQ(PointY(1499.9, mov), 101);  // h = 199
    EXPECT_EQ(PointY(1500.0, mov), 100);
    EXPECT_EQ(PointY(2000.0, kPanels[0].pixelsPerMb), 100);
    EXPECT_EQ(PointY(1999.0, kPanels[0].pixelsPerMb), 101);
    EXPECT_EQ(PointY(150.0, kPanels[2].pixelsPerMb), 100);
    EXPECT_EQ(PointY(0.0, mov), 300);
    EXPECT_EQ(PointY(0.74, mov), 300);  // 0.098... truncates to 0
    EXPECT_EQ(PointY(1e300, mov), 100);
    EXPECT_EQ(PointY(std::numeric_limits<double>::max(), mov), 100);  // the product overflows to infinity
    EXPECT_EQ(PointY(kInf, mov), 300);
    EXPECT_EQ(PointY(std::nan(""), mov), 300);
    EXPECT_EQ(PointY(-kInf, mov), 300);
    // Only a damaged file holds a negative rate: drawn below the axis, never an int overflow.
    EXPECT_EQ(PointY(-15.0, kPanels[2].pixelsPerMb), 320);
    EXPECT_GT(PointY(-1e300, mov), 300);
}

TEST(CacheChartGeometry, PanelsHaveTheirScales)
{
    EXPECT_EQ(kPanels[0].left, 60);
    EXPECT_EQ(kPanels[1].left, 300);
    EXPECT_EQ(kPanels[2].left, 540);
    for (const auto& p : kPanels) EXPECT_EQ(p.fullScale, p.labelStep * 10);
    EXPECT_EQ(kPanels[1].pixelsPerMb, 2.0 / 15.0);
    EXPECT_EQ(kPanels[2].pixelsPerMb, 4.0 / 3.0);
}

TEST(CacheChartDrawing, CurvesInTheirColoursClampedAndInfiniteAtZero)
{
    CacheChartData d;
    d.yourLegend = YourSystemLegend("Test CPU at 800 MHz  with 256 Mb RAM  on Linux");
    d.loadedLegend = "Loaded CPU";
    d.yourResults = Filled(1000.0, 750.0, 75.0);  // half scale everywhere: y = 200
    d.loadedResults = Filled(5000.0, kInf, 1e12);  // over scale, infinite, over scale
    wxImage img = Draw(d);

    for (const auto& p : kPanels) {
        for (int k = 0; k < 8; ++k) {
            int mid = p.left + 20 * k + 10;
            EXPECT_TRUE(CurveAt(img, mid, 200, Red)) << p.title << " k=" << k;
        }
    }
    // Over full scale: on the top line, never above it.
    for (int x = 65; x < 220; x += 7) EXPECT_TRUE(CurveAt(img, x, 100, Blue)) << x;
    for (int x = 545; x < 700; x += 7) EXPECT_TRUE(CurveAt(img, x, 100, Blue)) << x;
    EXPECT_EQ(CountIn(img, wxRect(50, 60, 700, 37), Blue), 0);
    // Infinite: on the x axis, like a zero.
    for (int x = 305; x < 460; x += 7) EXPECT_TRUE(CurveAt(img, x, 300, Blue)) << x;
    EXPECT_EQ(CountIn(img, wxRect(302, 102, 166, 195), Blue), 0);
    // Nothing joins one panel to the next.
    EXPECT_EQ(CountIn(img, wxRect(235, 100, 60, 201), Red), 0);
    EXPECT_EQ(CountIn(img, wxRect(475, 100, 60, 201), Blue), 0);
}

TEST(CacheChartDrawing, CurvesFollowEachBlockSize)
{
    CacheChartData d;
    // MOVSD rates rising by 200 Mb/sec a step: 20 pixels higher at each block size.
    for (int k = 0; k < 9; ++k) d.yourResults.rates[static_cast<size_t>(k)] = 200.0 * k;
    wxImage img = Draw(d);
    for (int k = 1; k < 9; ++k) {  // at k = 0 the loaded curve at zero covers it
        int x = 60 + 20 * k;
        EXPECT_TRUE(CurveAt(img, x, 300 - 20 * k, Red)) << k;
    }
}

TEST(CacheChartDrawing, AllZeroResultsLieOnTheAxisAndBlueCoversRed)
{
    CacheChartData d;
    d.yourLegend = YourSystemLegend("");
    wxImage img = Draw(d);
    // The loaded curves are drawn last, also when nothing was loaded.
    for (const auto& p : kPanels)
        for (int x = p.left + 3; x < p.left + 160; x += 11) EXPECT_TRUE(CurveAt(img, x, 300, Blue)) << x;
    EXPECT_EQ(CountIn(img, wxRect(60, 102, 650, 195), Red), 0);
    EXPECT_EQ(CountIn(img, wxRect(60, 102, 650, 195), Blue), 0);
}

TEST(CacheChartDrawing, FrameAxesAndDottedGrid)
{
    CacheChartData d;
    d.yourResults = Filled(kInf, kInf, kInf);
    d.loadedResults = Filled(kInf, kInf, kInf);
    wxImage img = Draw(d);

    // The white frame follows the client size; outside it the DC's own background stays.
    EXPECT_EQ(Classify(img, 5, 5), Grey);
    EXPECT_EQ(Classify(img, 10, 200), Black);
    EXPECT_EQ(Classify(img, kClient.x - 11, 200), Black);
    EXPECT_EQ(Classify(img, 400, 10), Black);
    EXPECT_EQ(Classify(img, 400, kClient.y - 51), Black);
    EXPECT_EQ(Classify(img, 400, kClient.y - 49), Grey);
    EXPECT_EQ(Classify(img, 740, 200), White);
    EXPECT_EQ(Classify(img, 15, 340), White);

    for (const auto& p : kPanels) {
        // The y axis is solid from the top line down to the curves at zero.
        for (int y = 101; y < 297; ++y) EXPECT_EQ(Classify(img, p.left, y), Black) << p.title << " y=" << y;
        // A grid line is dotted: black and white alternate along it.
        int x = p.left + 20 * 4;
        int black = CountIn(img, wxRect(x, 102, 1, 180), Black);
        int white = CountIn(img, wxRect(x, 102, 1, 180), White);
        EXPECT_GT(black, 30) << p.title;
        EXPECT_GT(white, 30) << p.title;
        // So is each horizontal grid line, from the axis to the right edge.
        int y = 160;
        black = CountIn(img, wxRect(p.left + 1, y, 168, 1), Black);
        white = CountIn(img, wxRect(p.left + 1, y, 168, 1), White);
        EXPECT_GT(black, 25) << p.title;
        EXPECT_GT(white, 25) << p.title;
        // Right of the panel no grid line runs on.
        EXPECT_EQ(CountIn(img, wxRect(p.left + 172, 150, 25, 1), Black), 0) << p.title;
    }
    // Over the top line and left of the y axis of panel 1 there is no grid, only labels.
    EXPECT_EQ(CountIn(img, wxRect(60, 90, 170, 1), Black), 0);
}

TEST(CacheChartDrawing, OnlyTheFrameFollowsTheWindowSize)
{
    CacheChartData d;
    d.yourResults = Filled(1000.0, 750.0, 75.0);
    d.loadedResults = Filled(kInf, kInf, kInf);
    const wxSize big(900, 520);
    wxImage img = Draw(d, big);
    EXPECT_EQ(Classify(img, big.x - 11, 250), Black);
    EXPECT_EQ(Classify(img, 450, big.y - 51), Black);
    EXPECT_EQ(Classify(img, 450, big.y - 49), Grey);
    EXPECT_EQ(Classify(img, 800, 200), White);  // nothing drawn right of the third panel
    for (const auto& p : kPanels) EXPECT_TRUE(CurveAt(img, p.left + 30, 200, Red)) << p.title;
    EXPECT_EQ(CountIn(img, wxRect(715, 60, 170, 300), Black), 0);
}

TEST(CacheChartDrawing, LabelsTitlesAndLegends)
{
    CacheChartData d;
    d.yourLegend = YourSystemLegend("Test CPU");
    wxImage img = Draw(d);

    // Your legend in red at (30, 15); no loaded legend drawn for an empty text.
    EXPECT_GT(CountIn(img, wxRect(30, 15, 200, 16), Red), 20);
    EXPECT_EQ(CountIn(img, wxRect(30, 35, 400, 16), Blue), 0);
    d.loadedLegend = "Loaded CPU";
    wxImage withLoaded = Draw(d);
    EXPECT_GT(CountIn(withLoaded, wxRect(30, 35, 200, 16), Blue), 20);
    EXPECT_EQ(CountIn(withLoaded, wxRect(30, 35, 200, 16), Red), 0);

    // The "Times" face is 16 pixels from the top of its cell to the bottom: "y" of "system" stays inside.
    EXPECT_GT(CountIn(img, wxRect(30, 23, 300, 8), Red), 5);
    EXPECT_EQ(CountIn(img, wxRect(30, 31, 400, 4), Red), 0);
    EXPECT_EQ(CountIn(img, wxRect(30, 10, 400, 5), Red), 0);

    // Titles in black.
    EXPECT_GT(CountIn(img, wxRect(120, 70, 45, 16), Black), 10);
    EXPECT_GT(CountIn(img, wxRect(370, 70, 30, 16), Black), 10);
    EXPECT_GT(CountIn(img, wxRect(595, 70, 50, 16), Black), 10);

    // Block-size labels under panel 1: 128 (x = 180) and 512 (x = 220) lower down, 256 up.
    EXPECT_GT(CountIn(img, wxRect(176, 317, 14, 12), Black), 5);
    EXPECT_EQ(CountIn(img, wxRect(176, 304, 14, 8), Black), 0);
    EXPECT_GT(CountIn(img, wxRect(196, 304, 14, 10), Black), 5);
    EXPECT_GT(CountIn(img, wxRect(212, 317, 14, 12), Black), 5);
    EXPECT_GT(CountIn(img, wxRect(56, 304, 8, 10), Black), 3);  // "2"

    // Scale labels left of each y axis, from full scale at the top line down to 0.
    for (const auto& p : kPanels) {
        EXPECT_GT(CountIn(img, wxRect(p.scaleLabelX, 94, 30, 12), Black), 5) << p.title;
        EXPECT_GT(CountIn(img, wxRect(p.scaleLabelX, 294, 10, 12), Black), 3) << p.title;
    }
}

TEST(CacheChartDrawing, HandsTheDcBackAsItCame)
{
    wxBitmap bitmap(kClient.x, kClient.y, 24);
    wxMemoryDC dc(bitmap);
    const wxPen pen(wxColour(0, 200, 0), 3, wxPENSTYLE_SHORT_DASH);
    const wxBrush brush(wxColour(200, 200, 0), wxBRUSHSTYLE_SOLID);
    const wxFont font(wxFontInfo(11).FaceName("Liberation Sans").Bold());
    dc.SetPen(pen);
    dc.SetBrush(brush);
    dc.SetFont(font);
    dc.SetTextForeground(wxColour(1, 2, 3));
    dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);

    CacheChartData d;
    d.yourLegend = "x";
    DrawCacheChart(dc, kClient, d);

    EXPECT_TRUE(dc.GetPen() == pen);
    EXPECT_TRUE(dc.GetBrush() == brush);
    EXPECT_TRUE(dc.GetFont() == font);
    EXPECT_EQ(dc.GetTextForeground(), wxColour(1, 2, 3));
    EXPECT_EQ(dc.GetBackgroundMode(), wxBRUSHSTYLE_SOLID);
}

TEST(CacheResultsDialog, HoldsCopiesAndLegends)
{
    CCacheResultsDlg dlg;
    EXPECT_EQ(dlg.GetTitle(), "Cache Benchmark Results");
    CacheResults yours = Filled(1, 2, 3), loaded = Filled(4, 5, 6);
    dlg.SetData(yours, loaded, "", "");
    EXPECT_EQ(dlg.Data().yourLegend, " (Your system)");
    EXPECT_EQ(dlg.Data().loadedLegend, "");
    dlg.SetData(yours, loaded, "Mine", "Theirs");
    EXPECT_EQ(dlg.Data().yourLegend, "Mine (Your system)");
    EXPECT_EQ(dlg.Data().loadedLegend, "Theirs");
    yours.rates[0] = 99;  // the dialog holds copies
    EXPECT_EQ(dlg.Data().yourResults, Filled(1, 2, 3));
    EXPECT_EQ(dlg.Data().loadedResults, Filled(4, 5, 6));

    // Laid out in the sheet's dialog units: the chart fits above the OK button.
    wxSize client = dlg.GetClientSize();
    EXPECT_GE(client.x, 720);
    EXPECT_GE(client.y, 340);
    auto* ok = dynamic_cast<wxButton*>(dlg.FindWindow(1));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetLabel(), "&OK");
    EXPECT_GT(ok->GetPosition().y, 330);

    // Shown, the button keeps its template size: it does not grow over the chart.
    dlg.Show();
    for (int i = 0; i < 5; ++i) wxTheApp->Yield(true);
    EXPECT_EQ(dlg.ConvertDialogToPixels(wxSize(50, 14)), ok->GetSize());
    EXPECT_EQ(dlg.ConvertDialogToPixels(wxPoint(231, 226)), ok->GetPosition());
    dlg.Hide();
}

TEST(CacheResultsDialog, OkEndsTheModalLoop)
{
    CCacheResultsDlg dlg;
    dlg.SetData(Filled(1000, 750, 75), {}, "Mine", "");
    bool pressed = false;
    dlg.CallAfter([&] {
        pressed = true;
        wxCommandEvent press(wxEVT_BUTTON, 1);
        press.SetEventObject(dlg.FindWindow(1));
        dlg.GetEventHandler()->ProcessEvent(press);
    });
    // A safety net so a broken OK button fails the test instead of waiting for a person.
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (dlg.IsModal()) dlg.EndModal(wxID_ABORT);
    });
    guard.StartOnce(20000);
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_TRUE(pressed);
}

TEST(CacheResultsDialog, EscapeEndsItLikeOk)
{
    CCacheResultsDlg dlg;
    dlg.SetData({}, {}, "Mine", "");
    dlg.CallAfter([&] {
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        escape.SetEventObject(&dlg);
        dlg.GetEventHandler()->ProcessEvent(escape);
    });
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (dlg.IsModal()) dlg.EndModal(wxID_ABORT);
    });
    guard.StartOnce(20000);
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
}
