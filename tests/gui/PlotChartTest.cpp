// The measurement pages' charts drawn into bitmaps: where each colour lands, which texts they draw and
// where, their axes' arithmetic, and the table that gives their values to a screen reader.
#include <wx/frame.h>

#include <cmath>
#include <memory>

#include "tests/gui/GuiSupport.h"
#include "widgets/PlotChart.h"
#include "widgets/PlotScale.h"
#include "widgets/ReaderText.h"

using namespace widgets;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const wxSize kSize(640, 400);

struct ChartWindow {
    std::unique_ptr<wxFrame, void (*)(wxFrame*)> frame{new wxFrame(nullptr, wxID_ANY, "chart"), [](wxFrame* f) { f->Destroy(); }};
};

// The pixels of exactly `colour` inside `area` and outside it.
std::pair<int, int> CountInAndOut(const wxImage& image, const wxColour& colour, const wxRect& area)
{
    std::pair<int, int> counts{0, 0};
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)) == colour)
                ++(area.Contains(x, y) ? counts.first : counts.second);
    return counts;
}

template <typename Chart>
std::pair<PlotLayout, wxImage> Drawn(const Chart& chart)
{
    wxBitmap scratch(kSize.x, kSize.y, 24);
    wxMemoryDC dc(scratch);
    PlotLayout layout = chart.Arrange(dc, kSize);
    return {layout, guitest::Painted(kSize, *wxBLACK, [&](wxDC& paint) { chart.Draw(paint, kSize); })};
}

std::vector<std::string> Texts(const PlotLayout& layout)
{
    std::vector<std::string> texts;
    for (const PlotText& t : layout.texts) texts.push_back(t.text);
    return texts;
}

// No text crosses a line of the frame or another text, and every text is inside the window.
void ExpectTextsClearOfTheFrame(const PlotLayout& layout)
{
    for (size_t i = 0; i < layout.texts.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(layout.texts[i].box.Intersects(layout.texts[j].box)) << layout.texts[i].text << " over " << layout.texts[j].text;
    const wxRect f = layout.frame;
    const wxRect edges[] = {{f.x, f.y, 1, f.height}, {f.GetRight(), f.y, 1, f.height}, {f.x, f.y, f.width, 1}, {f.x, f.GetBottom(), f.width, 1}};
    for (const PlotText& t : layout.texts) {
        EXPECT_TRUE(wxRect(kSize).Contains(t.box)) << t.text;
        for (const wxRect& edge : edges) EXPECT_FALSE(t.box.Intersects(edge)) << t.text << " crosses the frame";
    }
}

std::string TableText(const CChartTable& table)
{
    std::string out;
    for (unsigned c = 0; c < table.GetColumnCount(); ++c) out += (c ? " | " : "") + guitest::Utf8(table.GetColumn(c)->GetTitle());
    for (int row = 0; row < table.GetItemCount(); ++row) {
        out += '\n';
        for (unsigned c = 0; c < table.GetColumnCount(); ++c) out += (c ? " | " : "") + guitest::Utf8(table.GetTextValue(row, c));
    }
    return out + '\n';
}

}  // namespace

TEST(PlotScale, TicksLabelsAndCells)
{
    std::ostringstream out;
    for (double largest : {0.0, kNaN, 0.3, 1.38, 7.0, 120.0, 999.0, 12500.0, 60000.0, 2.5e7, 1e308})
        for (int steps : {4, 8}) {
            const LinearScale s = LinearAxis(largest, steps);
            out << largest << " in " << steps << ": top " << s.top << " step " << s.step << " labels";
            for (int i = 0; i <= s.steps; ++i) out << ' ' << TickText(i * s.step, s);
            out << '\n';
        }
    for (auto [small, large] : std::vector<std::pair<double, double>>{{4096, 4096}, {3000, 1.5e6}, {4096, 64 << 20}, {0, 8}}) {
        const Log2Scale s = Log2Axis(small, large);
        out << small << ".." << large << ": 2^" << s.low << "..2^" << s.high << ", a label every "
            << Log2LabelEvery(s, 400, 60) << " over 400 px: " << BlockSizeText(std::ldexp(1.0, s.low)) << " .. " << BlockSizeText(std::ldexp(1.0, s.high)) << '\n';
    }
    for (double bytes : {512.0, 1536.0 * 1024, 1024.0 * 1024 * 1024, 1000.0}) out << BlockSizeText(bytes) << '\n';
    for (const std::vector<double>& column : std::vector<std::vector<double>>{{1.38, 95.2}, {45.25, 300}, {8000, 25000, kNaN}, {0, kNaN}})
        out << "decimals " << TableDecimals(column) << ": " << TableValue(column[0], TableDecimals(column)) << ' ' << TableValue(column.back(), TableDecimals(column)) << '\n';
    ExpectGolden("gui/plot-scale.txt", out.str());
}

// A live and a loaded run's curves inside the frame, whatever their values; the axes, markers and
// legend named, each text clear of the frame's lines.
TEST(PlotChartDrawing, CurvesStayInTheFrameInTheirColoursWithAxesMarkersAndLegend)
{
    ChartWindow w;
    CLineChart chart(w.frame.get(), wxID_ANY, PlotAxes{"Block size", "ns", true});
    chart.SetSeries({{"latency", {{4096, 1.4}, {65536, 4.0}, {1 << 20, 12.0}, {64 << 20, 95.0}, {1 << 14, -3}, {kNaN, 2}, {0, 5}}, false},
                     {"latency, 2025 run", {{4096, 1.2}, {1 << 20, 9.5}, {64 << 20, 120}}, true}});
    chart.SetMarkers({{32 << 10, "L1 32 Kb"}, {1 << 20, "L2 1 Mb"}, {1 << 21, "L3 2 Mb"}, {48 << 20, "L3 48 Mb"}, {1e12, "beyond"}});
    EXPECT_FALSE(chart.AcceptsFocusFromKeyboard()) << "a picture is a focus stop that shows nothing";
    const auto [layout, image] = Drawn(chart);
    const ChartColours colours = ThemeChartColours();
    ASSERT_FALSE(layout.empty);
    for (const wxColour& colour : {colours.live, colours.loaded}) {
        const auto [inFrame, outside] = CountInAndOut(image, colour, layout.frame);
        EXPECT_GT(inFrame, 0);
        EXPECT_EQ(CountInAndOut(image, colour, layout.legend).first, outside) << "drawn outside the frame and the legend";
        EXPECT_GT(outside, 0) << "no legend sample";
    }
    const std::vector<std::string> texts = Texts(layout);
    for (const char* text : {"Block size", "ns", "latency", "latency, 2025 run", "4 Kb", "64 Mb", "L1 32 Kb", "L2 1 Mb", "L3 2 Mb", "L3 48 Mb", "0"})
        EXPECT_EQ(1, std::count(texts.begin(), texts.end(), text)) << text;
    EXPECT_EQ(0, std::count(texts.begin(), texts.end(), "beyond"));
    ExpectTextsClearOfTheFrame(layout);
}

TEST(PlotChartDrawing, WithoutValuesTheFrameSaysNoResults)
{
    ChartWindow w;
    CLineChart chart(w.frame.get(), wxID_ANY, PlotAxes{"Block size", "Mb/s", true});
    chart.SetSeries({{"read", {{kNaN, 1}, {-4, 2}}, false}});
    const auto [layout, image] = Drawn(chart);
    EXPECT_TRUE(layout.empty);
    EXPECT_EQ((std::vector<std::string>{"Mb/s", "Block size", "No results"}), Texts(layout));
    EXPECT_TRUE(layout.frame.Contains(layout.texts.back().box));
    EXPECT_EQ(std::make_pair(0, 0), CountInAndOut(image, ThemeChartColours().live, layout.frame));
}

// Bars by group from the left: a NaN draws no bar, a loaded series fills in the second colour.
TEST(PlotChartDrawing, BarsInTheirGroupsAndColours)
{
    ChartWindow w;
    CBarChart chart(w.frame.get(), wxID_ANY, PlotAxes{"Threads", "Mflops", false});
    chart.SetBars({"FPU", "FPU, loaded"}, {{"1", {900, kNaN}}, {"2", {1800, 1500}}}, {false, true});
    const auto [layout, image] = Drawn(chart);
    const ChartColours colours = ThemeChartColours();
    wxRect left = layout.frame, right = layout.frame;
    left.width /= 2, right.x += left.width, right.width -= left.width;
    EXPECT_GT(CountInAndOut(image, BarFill(colours, false, 0), left).first, 0);
    EXPECT_EQ(0, CountInAndOut(image, BarFill(colours, true, 0), left).first);
    EXPECT_GT(CountInAndOut(image, BarFill(colours, true, 0), right).first, 0);
    EXPECT_EQ(0, CountInAndOut(image, BarFill(colours, true, 0), layout.frame).second - CountInAndOut(image, BarFill(colours, true, 0), layout.legend).first);
    const std::vector<std::string> texts = Texts(layout);
    for (const char* text : {"Threads", "Mflops", "1", "2", "FPU", "FPU, loaded"}) EXPECT_EQ(1, std::count(texts.begin(), texts.end(), text)) << text;
    ExpectTextsClearOfTheFrame(layout);
}

// Both series colours read on a light and on a dark background (the dark theme's highlight is a deep
// blue), and they differ.
TEST(PlotChartColours, BothColoursStandOutOnLightAndDarkThemes)
{
    auto luma = [](const wxColour& c) { return 0.299 * c.Red() + 0.587 * c.Green() + 0.114 * c.Blue(); };
    for (const auto& [background, text] : {std::pair(*wxWHITE, *wxBLACK), std::pair(wxColour(36, 36, 36), *wxWHITE)})
        for (const wxColour& highlight : {wxColour(53, 132, 228), wxColour(33, 93, 156), wxColour(128, 128, 128)}) {
            const ChartColours c = DeriveChartColours(background, text, highlight);
            EXPECT_GT(std::fabs(luma(c.loaded) - luma(background)), 100) << background.GetAsString();
            EXPECT_GT(std::fabs(luma(c.live) - luma(background)), 70) << highlight.GetAsString();
            EXPECT_NE(c.loaded, c.live);
            EXPECT_NE(BarFill(c, false, 1), c.live);
        }
}

// The table: x in order, a column per series, "-" where a series has no value.
TEST(ChartTable, RowsInXOrderAndAColumnPerSeries)
{
    ChartWindow w;
    CLineChart lines(w.frame.get(), wxID_ANY, PlotAxes{"Block size", "ns", true});
    lines.SetSeries({{"latency", {{1 << 20, 12.5}, {4096, 1.38}}, false}, {"loaded", {{8192, 1.5}, {4096, 1.2}, {1 << 20, kNaN}}, true}});
    CBarChart bars(w.frame.get(), wxID_ANY, PlotAxes{"Threads", "Mips", false});
    bars.SetBars({"CPU", "CPU, loaded"}, {{"1", {1200.5, kNaN}}, {"2", {2400, 2300}}, {"4", {4800}}});
    CChartTable table(w.frame.get(), wxID_ANY);
    table.ShowLines(lines);
    std::string out = TableText(table);
    table.ShowBars(bars);
    ExpectGolden("gui/chart-table.txt", out + TableText(table));
    // A reader hears what each chart plots and its series; the table's values under the chart's name.
    EXPECT_EQ("ns by Block size: latency; loaded", guitest::Utf8(ReaderName(&lines)) + ": " + guitest::Utf8(ReaderDescription(&lines)));
    EXPECT_EQ("Mips by Threads: CPU; CPU, loaded", guitest::Utf8(ReaderName(&bars)) + ": " + guitest::Utf8(ReaderDescription(&bars)));
    EXPECT_EQ("Values: Mips", guitest::Utf8(ReaderName(&table)));
}
