// The cache chart drawn into a bitmap and read back pixel by pixel, and its scale.

#include <cmath>

#include "pages/CacheResultsDlg.h"
#include "widgets/ReaderText.h"
#include "tests/gui/GuiSupport.h"

using namespace pages;

using namespace bench;

namespace {

using cachechart::kPanels;
constexpr double kInf = std::numeric_limits<double>::infinity();
const wxSize kClient(766, 400);  // the dialog's client area in the sheet's dialog units

CacheResults Filled(double movsd, double mov, double stepping)
{
    CacheResults r;
    for (int k = 0; k < 9; ++k) r.rates[k] = movsd, r.rates[9 + k] = mov, r.rates[18 + k] = stepping;
    return r;
}

}  // namespace

// The pixels of each colour in the regions of tests/data/gui/cache-chart.txt.
TEST(CacheChartDrawing, CurvesAxesGridLabelsAndLegendsInTheirColoursAndPlaces)
{
    const std::string w99(99, 'W');
    const struct {
        CacheChartData data;
        wxSize size;
    } charts[] = {
        // 0: your rates at half scale (y 200); loaded at full scale, infinite, full scale
        {{YourSystemLegend("Test CPU at 800 MHz  with 256 Mb RAM  on Linux"), "Loaded CPU", Filled(1000, 750, 75), Filled(2000, kInf, 150)}, kClient},
        {{"", "", Filled(1000, 750, 75), Filled(kInf, kInf, kInf)}, wxSize(900, 520)},  // 1: a larger window
        {{YourSystemLegend("Test CPU"), "", Filled(kInf, kInf, kInf), Filled(kInf, kInf, kInf)}, kClient},  // 2: curves at zero
        {{"", "", Filled(60000, 9000, 3000), Filled(1200, 700, 90)}, kClient},  // 3: rescaled, two magnitudes
        {{YourSystemLegend(w99), "\x01\x7f garbage " + w99, {}, {}}, wxSize(400, 400)},  // 4: legends too long
    };
    std::vector<wxImage> images;
    for (const auto& c : charts)
        images.push_back(guitest::Painted(c.size, wxColour(128, 128, 128), [&](wxDC& dc) { DrawCacheChart(dc, c.size, c.data); }));
    guitest::ExpectPixelCounts("gui/cache-chart.txt", images);
}

// A rate's height is truncated and clamped, never overflowing; a panel keeps its scale while every rate
// fits and then grows in 1-2-5 steps, never past the largest double.
TEST(CacheChartScale, HeightsScalesAndLabels)
{
    std::ostringstream out;
    for (double rate : {1499.9, 1500.0, 0.74, -15.0, -1e300, std::numeric_limits<double>::max(), kInf, std::nan("")})
        out << "MOV rate " << rate << ": y " << cachechart::PointY(rate, kPanels[1].pixelsPerMb) << '\n';
    for (double top : {1.0, 150.0, 151.0, 1500.01, 2000.5, 10000.0, 80000.0, 5e9, 1.7e308, kInf})
        for (const auto& p : kPanels) {
            const cachechart::Scale s = cachechart::PanelScale(p, Filled(top, 0, 0), Filled(0, top, top));
            out << p.title << " rate " << top << ": full scale " << s.fullScale << ", step " << s.labelStep << ", "
                << s.pixelsPerMb << " pixels per Mb/sec, labels " << cachechart::ScaleLabel(s.fullScale, s.fullScale) << ' '
                << cachechart::ScaleLabel(s.labelStep * 4, s.fullScale) << '\n';
        }
    ExpectGolden("gui/cache-chart-scale.txt", out.str());
}

// Grown to twice its size, the window draws the chart twice as large, its frame filling the window.
TEST(CacheChartDrawing, AGrownWindowMagnifiesTheChart)
{
    const CacheChartData data{"", "", Filled(1000, 750, 75), {}};  // every curve at half scale: y 200
    const wxSize twice = kClient * 2;
    const wxImage grown = guitest::Painted(twice, *wxBLACK, [&](wxDC& dc) { DrawScaledCacheChart(dc, twice, kClient, data); });
    const auto colour = [&](int x, int y) { return wxColour(grown.GetRed(x, y), grown.GetGreen(x, y), grown.GetBlue(x, y)); };
    const int x = 2 * cachechart::PointX(kPanels[2], 4);
    EXPECT_TRUE(colour(x, 400) == *wxRED && colour(x, 200) != *wxRED && colour(x, 410) != *wxRED);
    EXPECT_TRUE(colour(1480, 680) == *wxWHITE && colour(1525, 750) == *wxBLACK);  // frame 10 and 50 pixels in, twice
}

TEST(CacheChartWindow, GrowsFromItsOpeningSizeWithOkCentredAtTheBottom)
{
    CCacheResultsDlg dialog;
    const wxSize opened = dialog.GetClientSize();
    EXPECT_TRUE(dialog.HasFlag(wxRESIZE_BORDER) && opened == dialog.GetMinClientSize());
    wxWindow* ok = dialog.FindWindow(res::IDC_CHART_OK);
    const wxPoint at = ok->GetPosition();
    dialog.SetClientSize(opened + wxSize(200, 100));
    dialog.SendSizeEvent();
    EXPECT_EQ(at + wxPoint(100, 100), ok->GetPosition());
    dialog.SetData(Filled(1000, 750, kInf), {}, "Test CPU", "Loaded CPU");  // a reader hears the values the chart draws
    EXPECT_TRUE(guitest::Utf8(widgets::ReaderDescription(&dialog)).starts_with("Test CPU (Your system):\nMOVSD: 2 Kb 1000.00 Mb/sec, 4 Kb 1000.00 Mb/sec"));
    EXPECT_NE(std::string::npos, guitest::Utf8(widgets::ReaderDescription(&dialog)).find("512 Kb 750.00 Mb/sec\nstepping: 2 Kb "));
    EXPECT_NE(std::string::npos, guitest::Utf8(widgets::ReaderDescription(&dialog)).find("\nLoaded CPU:\nMOVSD: 2 Kb 0.00 Mb/sec,"));
    dialog.Destroy();
}
