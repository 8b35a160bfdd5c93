// The cache chart drawn into a bitmap and read back pixel by pixel, and its dialog.
#include <gtest/gtest.h>
#include <wx/app.h>
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
    const wxColour colours[] = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {255, 255, 255}, {128, 128, 128}};
    const wxColour c(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
    for (int i = 0; i < Other; ++i)
        if (colours[i] == c) return static_cast<Colour>(i);
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
    const double movsd = kPanels[0].pixelsPerMb, mov = kPanels[1].pixelsPerMb, stepping = kPanels[2].pixelsPerMb;
    const struct {
        double rate, scale;
        int y;
    } cases[] = {
        {1499.9, mov, 101}, {1500.0, mov, 100}, {2000.0, movsd, 100}, {1999.0, movsd, 101}, {150.0, stepping, 100},
        {0.0, mov, 300}, {0.74, mov, 300},  // 0.098... truncates to 0
        {1e300, mov, 100}, {std::numeric_limits<double>::max(), mov, 100},  // the product overflows to infinity
        {kInf, mov, 300}, {std::nan(""), mov, 300}, {-kInf, mov, 300},
        {-15.0, stepping, 320},  // only a damaged file holds a negative rate: drawn below the axis
    };
    for (const auto& c : cases) EXPECT_EQ(c.y, PointY(c.rate, c.scale)) << c.rate;
    EXPECT_GT(PointY(-1e300, mov), 300);  // never an int overflow
}

TEST(CacheChartDrawing, CurvesInTheirColoursClampedAndInfiniteAtZero)
{
    CacheChartData d;
    d.yourLegend = YourSystemLegend("Test CPU at 800 MHz  with 256 Mb RAM  on Linux");
    d.loadedLegend = "Loaded CPU";
    d.yourResults = Filled(1000.0, 750.0, 75.0);  // half scale everywhere: y = 200
    d.loadedResults = Filled(2000.0, kInf, 150.0);  // full scale, infinite, full scale
    wxImage img = Draw(d);

    for (const auto& p : kPanels)
        for (int x = p.left + 10; x < p.left + 160; x += 20) EXPECT_TRUE(CurveAt(img, x, 200, Red)) << p.title << x;
    // At full scale: on the top line, never above it.
    for (int x = 65; x < 700; x += 7) EXPECT_TRUE(CurveAt(img, x, 100, Blue) || (x > 220 && x < 545)) << x;
    EXPECT_EQ(CountIn(img, wxRect(50, 60, 700, 37), Blue), 0);
    // Infinite: on the x axis, like a zero.
    for (int x = 305; x < 460; x += 7) EXPECT_TRUE(CurveAt(img, x, 300, Blue)) << x;
    EXPECT_EQ(CountIn(img, wxRect(302, 102, 166, 195), Blue), 0);
    // Nothing joins one panel to the next.
    EXPECT_EQ(CountIn(img, wxRect(235, 100, 60, 201), Red), 0);
    EXPECT_EQ(CountIn(img, wxRect(475, 100, 60, 201), Blue), 0);
}

TEST(CacheChartDrawing, FrameFollowsTheWindowSizeAxesAndGridDoNot)
{
    CacheChartData d;
    d.yourResults = Filled(1000.0, 750.0, 75.0);
    d.loadedResults = Filled(kInf, kInf, kInf);
    for (wxSize size : {kClient, wxSize(900, 520)}) {
        wxImage img = Draw(d, size);
        // The white frame follows the client size; outside it the DC's own background stays.
        EXPECT_EQ(Classify(img, 5, 5), Grey);
        EXPECT_EQ(Classify(img, 10, 200), Black);
        EXPECT_EQ(Classify(img, size.x - 11, 200), Black);
        EXPECT_EQ(Classify(img, 400, 10), Black);
        EXPECT_EQ(Classify(img, 400, size.y - 51), Black);
        EXPECT_EQ(Classify(img, 400, size.y - 49), Grey);
        EXPECT_EQ(Classify(img, 15, 340), White);
        EXPECT_EQ(CountIn(img, wxRect(715, 60, size.x - 730, 280), Black), 0) << "nothing right of the third panel";
        for (const auto& p : kPanels) EXPECT_TRUE(CurveAt(img, p.left + 30, 200, Red)) << p.title;
    }

    d.yourResults = d.loadedResults;  // every curve at zero, out of the way of the grid
    wxImage img = Draw(d);
    for (const auto& p : kPanels) {
        // The y axis is solid from the top line down to the curves at zero.
        for (int y = 101; y < 297; y += 3) EXPECT_EQ(Classify(img, p.left, y), Black) << p.title << " y=" << y;
        // Grid lines are dotted: black and white alternate along them, up to the panel's right edge.
        const wxRect vertical(p.left + 80, 102, 1, 180), horizontal(p.left + 1, 160, 168, 1);
        for (wxRect line : {vertical, horizontal}) {
            EXPECT_GT(CountIn(img, line, Black), 25) << p.title;
            EXPECT_GT(CountIn(img, line, White), 25) << p.title;
        }
        EXPECT_EQ(CountIn(img, wxRect(p.left + 172, 150, 25, 1), Black), 0) << p.title;
    }
    // Over the top line of panel 1 there is no grid, only labels.
    EXPECT_EQ(CountIn(img, wxRect(60, 90, 170, 1), Black), 0);
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
    for (wxRect title : {wxRect(120, 70, 45, 16), wxRect(370, 70, 30, 16), wxRect(595, 70, 50, 16)})
        EXPECT_GT(CountIn(img, title, Black), 10);

    // Block-size labels under panel 1: 128 (x = 180) lower down, 256 up.
    EXPECT_GT(CountIn(img, wxRect(176, 317, 14, 12), Black), 5);
    EXPECT_EQ(CountIn(img, wxRect(176, 304, 14, 8), Black), 0);
    EXPECT_GT(CountIn(img, wxRect(196, 304, 14, 10), Black), 5);

    // Scale labels left of each y axis, from full scale at the top line down to 0.
    for (const auto& p : kPanels) {
        EXPECT_GT(CountIn(img, wxRect(p.scaleLabelX, 94, 30, 12), Black), 5) << p.title;
        EXPECT_GT(CountIn(img, wxRect(p.scaleLabelX, 294, 10, 12), Black), 3) << p.title;
    }
}

TEST(CacheResultsDialog, LegendsAndLayout)
{
    CCacheResultsDlg dlg;
    EXPECT_EQ(dlg.GetTitle(), "Cache Benchmark Results");
    dlg.SetData(Filled(1, 2, 3), Filled(4, 5, 6), "", "");
    EXPECT_EQ(dlg.Data().yourLegend, " (Your system)");
    EXPECT_EQ(dlg.Data().loadedLegend, "");
    EXPECT_EQ(dlg.Data().loadedResults, Filled(4, 5, 6));

    // Laid out in the sheet's dialog units: the chart fits above the OK button.
    wxSize client = dlg.GetClientSize();
    EXPECT_GE(client.x, 720);
    EXPECT_GE(client.y, 340);
    auto* ok = dynamic_cast<wxButton*>(dlg.FindWindow(1));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetLabel(), "&OK");
    // Shown, the button keeps its template size: it does not grow over the chart.
    dlg.Show();
    for (int i = 0; i < 5; ++i) wxTheApp->Yield(true);
    EXPECT_EQ(dlg.ConvertDialogToPixels(wxSize(50, 14)), ok->GetSize());
    EXPECT_EQ(dlg.ConvertDialogToPixels(wxPoint(231, 226)), ok->GetPosition());
    dlg.Hide();
}

TEST(CacheResultsDialog, OkAndEscapeEndTheModalLoop)
{
    for (bool escape : {false, true}) {
        CCacheResultsDlg dlg;
        dlg.SetData(Filled(1000, 750, 75), {}, "Mine", "");
        dlg.CallAfter([&] {
            wxKeyEvent key(wxEVT_CHAR_HOOK);
            key.m_keyCode = WXK_ESCAPE;
            key.SetEventObject(&dlg);
            wxCommandEvent press(wxEVT_BUTTON, 1);
            press.SetEventObject(dlg.FindWindow(1));
            dlg.GetEventHandler()->ProcessEvent(escape ? static_cast<wxEvent&>(key) : press);
        });
        // A safety net so a broken button fails the test instead of waiting for a person.
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (dlg.IsModal()) dlg.EndModal(wxID_ABORT);
        });
        guard.StartOnce(20000);
        EXPECT_EQ(dlg.ShowModal(), wxID_OK) << (escape ? "Escape" : "OK");
    }
}

TEST(CacheChartScale, FixedWhileValuesFitThenOneTwoFiveSteps)
{
    const struct {
        double movsd, mov, stepping;  // one finite rate of each panel
        double full[3];
    } cases[] = {
        {2000, 1500, 150, {2000, 1500, 150}},                    // at full scale: kept
        {kInf, kInf, kInf, {2000, 1500, 150}},                   // infinite rates do not count
        {2000.5, 1500.01, 151, {5000, 2000, 200}},               // just over
        {80000, 10000, 200, {100000, 10000, 200}},               // a power of ten holds itself
        {1.7e308, 5e9, 20001, {1.7e308, 5e9, 50000}},            // no 1-2-5 value above the largest double
    };
    for (const auto& c : cases) {
        const CacheResults your = Filled(c.movsd, 0, c.stepping), loaded = Filled(0, c.mov, 0);
        for (int i = 0; i < 3; ++i) {
            const cachechart::Scale s = cachechart::PanelScale(kPanels[i], your, loaded);
            EXPECT_EQ(c.full[i], s.fullScale) << c.movsd << " panel " << i;
            EXPECT_EQ(s.fullScale / 10, s.labelStep);
            EXPECT_TRUE(std::isfinite(s.pixelsPerMb) && s.pixelsPerMb > 0);
        }
    }
    EXPECT_EQ(kPanels[1].pixelsPerMb, cachechart::PanelScale(kPanels[1], Filled(0, 1, 0), {}).pixelsPerMb);
    const std::pair<double, const char*> labels[] = {{0, "0"}, {9999, "9999"}, {10000, "10k"}, {80000, "80k"}};
    for (const auto& [value, text] : labels) EXPECT_EQ(text, cachechart::ScaleLabel(value));
}

TEST(CacheChartScale, TwoSystemsOfDifferentMagnitudesBothInsideThePlot)
{
    CacheChartData data{"", "", Filled(60000, 9000, 3000), Filled(1200, 700, 90)};
    const wxImage img = Draw(data);
    for (const auto& p : kPanels) {
        const wxRect plot(p.left + 2, cachechart::kTop + 2, cachechart::kWidth - 4, 196);
        EXPECT_GT(CountIn(img, plot, Red), 0) << p.title;
        EXPECT_GT(CountIn(img, plot, Blue), 0) << p.title;
        // Neither curve lies flat on the top line, nor above it.
        const wxRect top(p.left + 2, cachechart::kTop - 6, cachechart::kWidth - 4, 7);
        EXPECT_EQ(0, CountIn(img, top, Red)) << p.title;
        EXPECT_EQ(0, CountIn(img, top, Blue)) << p.title;
    }
}

TEST(CacheChartDrawing, LegendsEndAtTheWhiteFrame)
{
    const std::string longest(99, 'W');
    const CacheChartData data{YourSystemLegend(longest), "\x01\x7f garbage " + longest, {}, {}};
    const wxImage img = Draw(data, wxSize(400, 400));
    EXPECT_GT(CountIn(img, wxRect(30, 15, 300, 16), Red), 0);
    EXPECT_GT(CountIn(img, wxRect(30, 35, 300, 16), Blue), 0);
    EXPECT_EQ(0, CountIn(img, wxRect(389, 11, 11, 40), Red) + CountIn(img, wxRect(389, 11, 11, 40), Blue));
}
