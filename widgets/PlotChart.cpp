#include "widgets/PlotChart.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "widgets/PlotScale.h"
#include "widgets/ReaderText.h"

namespace widgets {

namespace {

const char kNoResults[] = "No results";

wxColour Mix(const wxColour& a, const wxColour& b, double share_of_b)
{
    auto channel = [&](unsigned char x, unsigned char y) {
        return static_cast<unsigned char>(std::lround(x + (y - x) * share_of_b));
    };
    return wxColour(channel(a.Red(), b.Red()), channel(a.Green(), b.Green()), channel(a.Blue(), b.Blue()));
}

double Luma(const wxColour& c) { return 0.299 * c.Red() + 0.587 * c.Green() + 0.114 * c.Blue(); }
bool IsLight(const wxColour& c) { return Luma(c) > 127.5; }

wxImage::HSVValue Hsv(const wxColour& c) { return wxImage::RGBtoHSV(wxImage::RGBValue(c.Red(), c.Green(), c.Blue())); }
wxColour Rgb(const wxImage::HSVValue& hsv)
{
    const wxImage::RGBValue rgb = wxImage::HSVtoRGB(hsv);
    return wxColour(rgb.red, rgb.green, rgb.blue);
}

// The lengths of a chart in pixels: the display's scale through FromDIP, the text's through the font.
struct Sizes {
    int margin, gap, tick, line, sample, entryGap, pen, dot;
};

Sizes MeasureSizes(const wxWindow& window, wxDC& dc)
{
    dc.SetFont(window.GetFont());
    return {window.FromDIP(8),  window.FromDIP(4),  window.FromDIP(4), dc.GetCharHeight(),
            window.FromDIP(28), window.FromDIP(16), window.FromDIP(2), window.FromDIP(3)};
}

PlotText Text(wxDC& dc, const std::string& text, int x, int y)
{
    return {text, wxRect(wxPoint(x, y), dc.GetTextExtent(wxString::FromUTF8(text)))};
}

// A series as the legend and the lines show it: live or loaded, and the how-manieth of its kind, which
// chooses its dashes and point shape (lines) or its shade (bars).
struct SeriesStyle {
    bool loaded = false;
    int index = 0;
};

std::vector<SeriesStyle> Styles(const std::vector<bool>& loaded)
{
    std::vector<SeriesStyle> styles;
    int counts[2] = {0, 0};
    for (bool l : loaded) styles.push_back({l, counts[l]++});
    return styles;
}

struct LegendEntry {
    SeriesStyle style;
    wxRect sample;
};

// The legend in rows across `width`, its top at 0: a sample and the label for each series.
int FlowLegend(wxDC& dc, const Sizes& s, const std::vector<std::string>& labels, const std::vector<SeriesStyle>& styles,
               int left, int width, std::vector<LegendEntry>& entries, std::vector<PlotText>& texts)
{
    if (labels.empty()) return 0;
    const int rowHeight = s.line + s.gap;
    int x = left, row = 0;
    for (size_t i = 0; i < labels.size(); ++i) {
        PlotText label = Text(dc, labels[i], 0, 0);
        const int entryWidth = s.sample + s.gap + label.box.width;
        if (x > left && x + entryWidth > left + width) x = left, ++row;
        const int top = row * rowHeight;
        entries.push_back({styles[i], wxRect(x, top, s.sample, s.line)});
        label.box.SetPosition(wxPoint(x + s.sample + s.gap, top));
        texts.push_back(label);
        x += entryWidth + s.entryGap;
    }
    return (row + 1) * rowHeight - s.gap;
}

// The rows above and below a plot's frame, from the top: the y caption, half a tick label, the frame,
// a tick, tick labels, the x caption, the legend.
struct Rows {
    int frameTop, frameBottom, tickLabelTop, captionTop, legendTop;
};

Rows StackRows(const Sizes& s, const wxSize& size, int legendHeight)
{
    Rows r;
    r.frameTop = s.margin + s.line + s.gap + s.line / 2;
    r.legendTop = size.y - s.margin - legendHeight;
    r.captionTop = r.legendTop - (legendHeight > 0 ? 2 * s.gap : 0) - s.line;
    r.tickLabelTop = r.captionTop - s.gap - s.line;
    r.frameBottom = std::max(r.tickLabelTop - s.gap - s.tick, r.frameTop + 1);
    return r;
}

// What both charts draw alike: the frame and its y axis, the captions, the legend, the texts.
struct Geometry {
    PlotLayout layout;
    LinearScale y;
    std::vector<int> yTicks;  // pixel rows of the y axis' ticks
    std::vector<int> xTicks;  // pixel columns of the x axis' ticks (the line chart)
    std::vector<LegendEntry> legend;

    int inset = 0;  // from the frame to the axes' ends, so that a point at an end is drawn whole

    int Py(double value) const
    {
        const double f = std::clamp(value / y.top, 0.0, 1.0);
        const int height = std::max(layout.frame.height - 1 - 2 * inset, 0);
        return layout.frame.GetBottom() - inset - static_cast<int>(std::lround(f * height));
    }
};

// The y axis from 0 over the frame's height, its labels right-aligned clear of the axis.
void PlaceYAxis(wxDC& dc, const Sizes& s, double largest, Geometry& g)
{
    g.y = LinearAxis(largest, std::clamp(g.layout.frame.height / std::max(2 * s.line, 1), 2, 8));
    for (int i = 0; i <= g.y.steps; ++i) {
        const int row = g.Py(i * g.y.step);
        g.yTicks.push_back(row);
        PlotText label = Text(dc, TickText(i * g.y.step, g.y), 0, 0);
        label.box.SetPosition(wxPoint(g.layout.frame.x - s.tick - s.gap - label.box.width, row - label.box.height / 2));
        g.layout.texts.push_back(label);
    }
}

int WidestYLabel(wxDC& dc, double largest, int frameHeight, const Sizes& s)
{
    const LinearScale y = LinearAxis(largest, std::clamp(frameHeight / std::max(2 * s.line, 1), 2, 8));
    int widest = 0;
    for (int i = 0; i <= y.steps; ++i) widest = std::max(widest, dc.GetTextExtent(wxString::FromUTF8(TickText(i * y.step, y))).x);
    return widest;
}

void PlaceCaptionsAndLegend(wxDC& dc, const Sizes& s, const PlotAxes& axes, const Rows& rows, int legendHeight,
                            std::vector<PlotText> legendTexts, Geometry& g)
{
    const wxRect& frame = g.layout.frame;
    g.layout.texts.push_back(Text(dc, axes.yCaption, s.margin, s.margin));
    PlotText x = Text(dc, axes.xCaption, 0, rows.captionTop);
    x.box.x = std::max(s.margin, frame.x + (frame.width - x.box.width) / 2);
    g.layout.texts.push_back(x);
    if (legendHeight == 0) return;
    for (LegendEntry& e : g.legend) e.sample.y += rows.legendTop;
    for (PlotText& t : legendTexts) t.box.y += rows.legendTop, g.layout.texts.push_back(t);
    g.layout.legend = wxRect(s.margin, rows.legendTop, 0, legendHeight);
    for (const LegendEntry& e : g.legend) g.layout.legend.Union(e.sample);
    for (const PlotText& t : legendTexts) g.layout.legend.Union(t.box);
}

void PlaceNoResults(wxDC& dc, Geometry& g)
{
    const wxRect& frame = g.layout.frame;
    PlotText t = Text(dc, kNoResults, 0, 0);
    t.box.SetPosition(wxPoint(frame.x + (frame.width - t.box.width) / 2, frame.y + (frame.height - t.box.height) / 2));
    g.layout.texts.push_back(t);
}

wxPenStyle Dashes(int index)
{
    static const wxPenStyle kDashes[] = {wxPENSTYLE_SOLID, wxPENSTYLE_LONG_DASH, wxPENSTYLE_SHORT_DASH, wxPENSTYLE_DOT_DASH};
    return kDashes[index % 4];
}

const wxColour& KindColour(const ChartColours& c, bool loaded) { return loaded ? c.loaded : c.live; }

// A point of a line series: a circle, a square or a diamond by the series' index.
void DrawPoint(wxDC& dc, const wxPoint& p, int index, int r)
{
    switch (index % 3) {
    case 0: dc.DrawCircle(p, r); break;
    case 1: dc.DrawRectangle(p.x - r, p.y - r, 2 * r + 1, 2 * r + 1); break;
    default: {
        const wxPoint diamond[] = {{p.x, p.y - r - 1}, {p.x + r + 1, p.y}, {p.x, p.y + r + 1}, {p.x - r - 1, p.y}};
        dc.DrawPolygon(4, diamond);
    }
    }
}

void DrawCommon(wxDC& dc, const Sizes& s, const ChartColours& c, const Geometry& g, const wxSize& size)
{
    const wxRect& frame = g.layout.frame;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(c.background));
    dc.DrawRectangle(wxPoint(0, 0), size);
    dc.SetPen(wxPen(c.grid, 1));
    for (int row : g.yTicks)
        if (row != frame.GetBottom()) dc.DrawLine(frame.x + 1, row, frame.GetRight(), row);
    for (int col : g.xTicks)
        if (col != frame.x) dc.DrawLine(col, frame.y + 1, col, frame.GetBottom());
    dc.SetPen(wxPen(c.text, 1));
    for (int row : g.yTicks) dc.DrawLine(frame.x - s.tick, row, frame.x, row);
    for (int col : g.xTicks) dc.DrawLine(col, frame.GetBottom() + 1, col, frame.GetBottom() + 1 + s.tick);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(frame);
}

void DrawTexts(wxDC& dc, const ChartColours& c, const Geometry& g)
{
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(c.text);
    for (const PlotText& t : g.layout.texts) dc.DrawText(wxString::FromUTF8(t.text), t.box.GetPosition());
}

}  // namespace

ChartColours DeriveChartColours(const wxColour& background, const wxColour& text, const wxColour& highlight)
{
    const bool light = IsLight(background);
    ChartColours c{background, text, Mix(background, text, 0.18), Mix(background, text, 0.5), highlight, {}};
    // A dark theme's highlight is often a deep blue that a thin line on its dark window hides: it is
    // brightened (and a light theme's pale one darkened) until the line stands out.
    wxImage::HSVValue hsv = Hsv(highlight);
    if (std::fabs(Luma(highlight) - Luma(background)) < 90) {
        hsv.value = light ? std::min(hsv.value, 0.6) : 1.0;
        c.live = Rgb(hsv);
    }
    // A grey highlight has no hue to oppose: the second colour is then an orange.
    hsv.hue = hsv.saturation < 0.15 ? 0.08 : std::fmod(hsv.hue + 0.5, 1.0);
    hsv.saturation = std::max(hsv.saturation, 0.75);
    hsv.value = light ? 0.72 : 1.0;
    c.loaded = Rgb(hsv);
    if (c.loaded == c.live) c.loaded = Mix(c.live, text, 0.5);
    return c;
}

ChartColours ThemeChartColours()
{
    return DeriveChartColours(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT),
                              wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
}

wxColour BarFill(const ChartColours& colours, bool loaded, int index)
{
    static const double kPaler[] = {0.0, 0.35, 0.55, 0.7};
    return Mix(KindColour(colours, loaded), colours.background, kPaler[index % 4]);
}

namespace {

void BindPainting(wxPanel& panel, std::function<void(wxDC&, const wxSize&)> draw)
{
    panel.SetBackgroundStyle(wxBG_STYLE_PAINT);
    panel.Bind(wxEVT_PAINT, [&panel, draw](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(&panel);
        draw(dc, panel.GetClientSize());
    });
    panel.Bind(wxEVT_SYS_COLOUR_CHANGED, [&panel](wxSysColourChangedEvent& event) {
        panel.Refresh();
        event.Skip();
    });
}

// The line chart's places and scales.
struct LineGeometry : Geometry {
    bool log2X = true;
    Log2Scale xLog;
    LinearScale xLin;
    std::vector<std::pair<int, size_t>> markers;  // a marker's pixel column and its index

    int Px(double x) const
    {
        double f = log2X ? (std::log2(x) - xLog.low) / (xLog.high - xLog.low) : x / xLin.top;
        f = std::clamp(std::isfinite(f) ? f : 0.0, 0.0, 1.0);
        const int width = std::max(layout.frame.width - 1 - 2 * inset, 0);
        return layout.frame.x + inset + static_cast<int>(std::lround(f * width));
    }
    bool InRange(double x) const
    {
        return log2X ? x >= std::ldexp(1.0, xLog.low) && x <= std::ldexp(1.0, xLog.high) : x >= 0 && x <= xLin.top;
    }
};

bool Drawable(const PlotPoint& p, bool log2X) { return std::isfinite(p.x) && std::isfinite(p.y) && (!log2X || p.x > 0); }

LineGeometry ArrangeLine(const wxWindow& window, wxDC& dc, const wxSize& size, const PlotAxes& axes,
                         const std::vector<PlotSeries>& series, const std::vector<PlotMarker>& markers)
{
    const Sizes s = MeasureSizes(window, dc);
    LineGeometry g;
    g.log2X = axes.log2X;
    g.inset = s.dot + s.pen;
    double smallestX = std::numeric_limits<double>::infinity(), largestX = 0, largestY = 0;
    for (const PlotSeries& ps : series)
        for (const PlotPoint& p : ps.points)
            if (Drawable(p, g.log2X)) {
                g.layout.empty = false;
                smallestX = std::min(smallestX, p.x), largestX = std::max(largestX, p.x), largestY = std::max(largestY, p.y);
            }

    std::vector<std::string> labels;
    std::vector<bool> loaded;
    for (const PlotSeries& ps : series) labels.push_back(ps.label), loaded.push_back(ps.loaded);
    std::vector<PlotText> legendTexts;
    const int legendHeight =
        g.layout.empty ? 0 : FlowLegend(dc, s, labels, Styles(loaded), s.margin, size.x - 2 * s.margin, g.legend, legendTexts);
    const Rows rows = StackRows(s, size, legendHeight);

    // The x axis' labels, to leave room for the first and the last of them.
    std::vector<PlotText> xLabels;
    std::vector<double> xValues;
    if (g.log2X) {
        g.xLog = Log2Axis(smallestX, largestX);
        for (int e = g.xLog.low; e <= g.xLog.high; ++e) xValues.push_back(std::ldexp(1.0, e));
        for (double x : xValues) xLabels.push_back(Text(dc, BlockSizeText(x), 0, rows.tickLabelTop));
    } else {
        const int widest = dc.GetTextExtent("0000.0k").x;
        g.xLin = LinearAxis(largestX, std::clamp((size.x - 2 * s.margin) / std::max(2 * widest, 1), 2, 10));
        for (int i = 0; i <= g.xLin.steps; ++i) xValues.push_back(i * g.xLin.step);
        for (double x : xValues) xLabels.push_back(Text(dc, TickText(x, g.xLin), 0, rows.tickLabelTop));
    }
    const int frameHeight = rows.frameBottom - rows.frameTop + 1;
    const int left = std::max({s.margin + WidestYLabel(dc, largestY, frameHeight, s) + s.gap + s.tick,
                               s.margin + xLabels.front().box.width / 2 + 1, s.margin});
    const int right = std::max(size.x - 1 - s.margin - xLabels.back().box.width / 2, left + 1);
    g.layout.frame = wxRect(wxPoint(left, rows.frameTop), wxPoint(right, rows.frameBottom));
    PlaceCaptionsAndLegend(dc, s, axes, rows, legendHeight, legendTexts, g);
    if (g.layout.empty) {
        PlaceNoResults(dc, g);
        return g;
    }
    PlaceYAxis(dc, s, largestY, g);

    int widestX = 0;
    for (const PlotText& t : xLabels) widestX = std::max(widestX, t.box.width);
    const int every = g.log2X ? Log2LabelEvery(g.xLog, g.layout.frame.width, widestX + 2 * s.gap) : 1;
    for (size_t i = 0; i < xValues.size(); ++i) {
        const int col = g.Px(xValues[i]);
        g.xTicks.push_back(col);
        if (i % static_cast<size_t>(every) != 0) continue;
        PlotText label = xLabels[i];
        label.box.x = col - label.box.width / 2;
        g.layout.texts.push_back(label);
    }

    // Cache sizes and the like, their captions inside the frame, each in the first row where it meets
    // no other caption.
    const wxRect& frame = g.layout.frame;
    std::vector<int> rowEnds;
    for (size_t i = 0; i < markers.size(); ++i) {
        if (!std::isfinite(markers[i].x) || !g.InRange(markers[i].x)) continue;
        const int col = g.Px(markers[i].x);
        g.markers.push_back({col, i});
        PlotText label = Text(dc, markers[i].label, col + s.gap, 0);
        if (label.box.GetRight() > frame.GetRight() - s.gap) label.box.x = col - s.gap - label.box.width;
        label.box.x = std::max(label.box.x, frame.x + s.gap);
        size_t row = 0;
        while (row < rowEnds.size() && rowEnds[row] + s.gap > label.box.x) ++row;
        if (row == rowEnds.size()) rowEnds.push_back(0);
        rowEnds[row] = label.box.GetRight();
        label.box.y = frame.y + s.gap + static_cast<int>(row) * s.line;
        g.layout.texts.push_back(label);
    }
    return g;
}

// What a screen reader says for a painted chart: what it plots, and which series, or that it has none.
// Its values are in the chart's table.
void TellReaders(wxWindow* chart, const PlotAxes& axes, const std::vector<std::string>& labels)
{
    wxString description;
    for (const std::string& label : labels) description += (description.empty() ? "" : "; ") + wxString::FromUTF8(label);
    SetReaderText(chart, wxString::FromUTF8(axes.yCaption + " by " + axes.xCaption), description.empty() ? wxString("No results") : description);
}

std::vector<std::string> SeriesLabels(const std::vector<PlotSeries>& series)
{
    std::vector<std::string> labels;
    for (const PlotSeries& ps : series) labels.push_back(ps.label);
    return labels;
}

}  // namespace

CLineChart::CLineChart(wxWindow* parent, wxWindowID id, const PlotAxes& axes)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE), axes_(axes)
{
    SetMinSize(FromDIP(wxSize(360, 240)));
    m_container.DisableSelfFocus();  // no stop for the keyboard: its values are reached in its table
    BindPainting(*this, [this](wxDC& dc, const wxSize& size) { Draw(dc, size); });
    TellReaders(this, axes_, {});
}

void CLineChart::SetSeries(std::vector<PlotSeries> series)
{
    series_ = std::move(series);
    TellReaders(this, axes_, SeriesLabels(series_));
    Refresh();
}

void CLineChart::SetMarkers(std::vector<PlotMarker> markers)
{
    markers_ = std::move(markers);
    Refresh();
}

PlotLayout CLineChart::Arrange(wxDC& dc, const wxSize& size) const
{
    return ArrangeLine(*this, dc, size, axes_, series_, markers_).layout;
}

void CLineChart::Draw(wxDC& dc, const wxSize& size) const
{
    const Sizes s = MeasureSizes(*this, dc);
    const ChartColours c = ThemeChartColours();
    const LineGeometry g = ArrangeLine(*this, dc, size, axes_, series_, markers_);
    const wxRect& frame = g.layout.frame;
    DrawCommon(dc, s, c, g, size);

    dc.SetPen(wxPen(c.marker, 1, wxPENSTYLE_SHORT_DASH));
    for (const auto& [col, i] : g.markers) dc.DrawLine(col, frame.y + 1, col, frame.GetBottom());

    // Every point stays inside the frame: values beyond the axes are drawn at their ends, and the axes
    // end inside the frame by a point's size.
    std::vector<bool> loaded;
    for (const PlotSeries& ps : series_) loaded.push_back(ps.loaded);
    const std::vector<SeriesStyle> styles = Styles(loaded);
    for (size_t i = 0; i < series_.size(); ++i) {
        const wxColour& colour = KindColour(c, styles[i].loaded);
        std::vector<PlotPoint> points;
        for (const PlotPoint& p : series_[i].points)
            if (Drawable(p, g.log2X)) points.push_back(p);
        std::stable_sort(points.begin(), points.end(), [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; });
        std::vector<wxPoint> pixels;
        for (const PlotPoint& p : points) pixels.emplace_back(g.Px(p.x), g.Py(p.y));
        dc.SetPen(wxPen(colour, s.pen, Dashes(styles[i].index)));
        if (pixels.size() > 1) dc.DrawLines(static_cast<int>(pixels.size()), pixels.data());
        dc.SetPen(wxPen(colour, 1));
        dc.SetBrush(wxBrush(colour));
        for (const wxPoint& p : pixels) DrawPoint(dc, p, styles[i].index, s.dot);
    }
    for (const LegendEntry& e : g.legend) {
        const wxColour& colour = KindColour(c, e.style.loaded);
        const int mid = e.sample.y + e.sample.height / 2;
        dc.SetPen(wxPen(colour, s.pen, Dashes(e.style.index)));
        dc.DrawLine(e.sample.x, mid, e.sample.GetRight(), mid);
        dc.SetPen(wxPen(colour, 1));
        dc.SetBrush(wxBrush(colour));
        DrawPoint(dc, wxPoint(e.sample.x + e.sample.width / 2, mid), e.style.index, s.dot);
    }
    DrawTexts(dc, c, g);
}

namespace {

struct BarGeometry : Geometry {
    std::vector<std::pair<wxRect, SeriesStyle>> bars;
};

BarGeometry ArrangeBars(const wxWindow& window, wxDC& dc, const wxSize& size, const PlotAxes& axes,
                        const std::vector<std::string>& names, const std::vector<BarGroup>& groups,
                        const std::vector<bool>& seriesLoaded)
{
    const Sizes s = MeasureSizes(window, dc);
    BarGeometry g;
    double largest = 0;
    for (const BarGroup& group : groups)
        for (double v : group.values)
            if (std::isfinite(v)) g.layout.empty = false, largest = std::max(largest, v);
    std::vector<bool> loaded(names.size(), false);
    for (size_t i = 0; i < loaded.size() && i < seriesLoaded.size(); ++i) loaded[i] = seriesLoaded[i];
    const std::vector<SeriesStyle> styles = Styles(loaded);

    std::vector<PlotText> legendTexts;
    const int legendHeight = g.layout.empty ? 0 : FlowLegend(dc, s, names, styles, s.margin, size.x - 2 * s.margin, g.legend, legendTexts);
    const Rows rows = StackRows(s, size, legendHeight);
    const int frameHeight = rows.frameBottom - rows.frameTop + 1;
    const int left = s.margin + WidestYLabel(dc, largest, frameHeight, s) + s.gap + s.tick;
    const int right = std::max(size.x - 1 - s.margin, left + 1);
    g.layout.frame = wxRect(wxPoint(left, rows.frameTop), wxPoint(right, rows.frameBottom));
    PlaceCaptionsAndLegend(dc, s, axes, rows, legendHeight, legendTexts, g);
    if (g.layout.empty) {
        PlaceNoResults(dc, g);
        return g;
    }
    PlaceYAxis(dc, s, largest, g);

    const wxRect& frame = g.layout.frame;
    const double slot = static_cast<double>(frame.width) / static_cast<double>(groups.size());
    const double inner = slot * 0.75, barWidth = inner / static_cast<double>(std::max<size_t>(names.size(), 1));
    for (size_t k = 0; k < groups.size(); ++k) {
        const double groupLeft = frame.x + slot * static_cast<double>(k) + (slot - inner) / 2;
        for (size_t i = 0; i < names.size() && i < groups[k].values.size(); ++i) {
            const double v = groups[k].values[i];
            if (!std::isfinite(v) || v <= 0) continue;
            const int x0 = static_cast<int>(std::lround(groupLeft + barWidth * static_cast<double>(i)));
            const int x1 = static_cast<int>(std::lround(groupLeft + barWidth * (static_cast<double>(i) + 0.9)));
            const int top = g.Py(v);
            g.bars.push_back({wxRect(wxPoint(x0, top), wxPoint(std::max(x0, x1 - 1), frame.GetBottom() - 1)), styles[i]});
        }
        PlotText label = Text(dc, groups[k].label, 0, rows.tickLabelTop);
        label.box.x = static_cast<int>(std::lround(frame.x + slot * (static_cast<double>(k) + 0.5))) - label.box.width / 2;
        g.layout.texts.push_back(label);
    }
    return g;
}

}  // namespace

CBarChart::CBarChart(wxWindow* parent, wxWindowID id, const PlotAxes& axes)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE), axes_(axes)
{
    SetMinSize(FromDIP(wxSize(360, 240)));
    m_container.DisableSelfFocus();
    BindPainting(*this, [this](wxDC& dc, const wxSize& size) { Draw(dc, size); });
    TellReaders(this, axes_, {});
}

void CBarChart::SetBars(std::vector<std::string> seriesNames, std::vector<BarGroup> groups, std::vector<bool> seriesLoaded)
{
    names_ = std::move(seriesNames);
    groups_ = std::move(groups);
    loaded_ = std::move(seriesLoaded);
    TellReaders(this, axes_, groups_.empty() ? std::vector<std::string>() : names_);
    Refresh();
}

PlotLayout CBarChart::Arrange(wxDC& dc, const wxSize& size) const
{
    return ArrangeBars(*this, dc, size, axes_, names_, groups_, loaded_).layout;
}

void CBarChart::Draw(wxDC& dc, const wxSize& size) const
{
    const Sizes s = MeasureSizes(*this, dc);
    const ChartColours c = ThemeChartColours();
    const BarGeometry g = ArrangeBars(*this, dc, size, axes_, names_, groups_, loaded_);
    DrawCommon(dc, s, c, g, size);
    for (const auto& [box, style] : g.bars) {
        dc.SetPen(wxPen(KindColour(c, style.loaded), 1));
        dc.SetBrush(wxBrush(BarFill(c, style.loaded, style.index)));
        dc.DrawRectangle(box);
    }
    for (const LegendEntry& e : g.legend) {
        dc.SetPen(wxPen(KindColour(c, e.style.loaded), 1));
        dc.SetBrush(wxBrush(BarFill(c, e.style.loaded, e.style.index)));
        dc.DrawRectangle(e.sample);
    }
    DrawTexts(dc, c, g);
}

CChartTable::CChartTable(wxWindow* parent, wxWindowID id)
    : wxDataViewListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxDV_ROW_LINES | wxDV_SINGLE)
{
    NameTableForReaders(this, "Values");
}

void CChartTable::Fill(const std::vector<std::string>& captions, const std::vector<std::vector<std::string>>& rows)
{
    DeleteAllItems();
    ClearColumns();
    for (size_t c = 0; c < captions.size(); ++c)
        AppendTextColumn(wxString::FromUTF8(captions[c]), wxDATAVIEW_CELL_INERT, wxCOL_WIDTH_AUTOSIZE, c ? wxALIGN_RIGHT : wxALIGN_LEFT,
                         wxDATAVIEW_COL_RESIZABLE);
    for (const auto& row : rows) {
        wxVector<wxVariant> values;
        for (const std::string& cell : row) values.push_back(wxVariant(wxString::FromUTF8(cell)));
        AppendItem(values);
    }
}

void CChartTable::ShowLines(const CLineChart& chart)
{
    const PlotAxes& axes = chart.Axes();
    NameTableForReaders(this, wxString::FromUTF8("Values: " + axes.yCaption));
    std::vector<std::string> captions{axes.xCaption};
    std::vector<double> xs, ys;
    for (const PlotSeries& ps : chart.Series()) {
        captions.push_back(ps.label);
        for (const PlotPoint& p : ps.points)
            if (std::isfinite(p.x)) xs.push_back(p.x), ys.push_back(p.y);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    const int decimals = TableDecimals(ys), xDecimals = TableDecimals(xs);
    std::vector<std::vector<std::string>> rows;
    for (double x : xs) {
        rows.push_back({axes.log2X ? BlockSizeText(x) : TableValue(x, xDecimals)});
        for (const PlotSeries& ps : chart.Series()) {
            auto at = std::find_if(ps.points.begin(), ps.points.end(), [x](const PlotPoint& p) { return p.x == x; });
            rows.back().push_back(at == ps.points.end() ? "-" : TableValue(at->y, decimals));
        }
    }
    Fill(captions, rows);
}

void CChartTable::ShowBars(const CBarChart& chart)
{
    NameTableForReaders(this, wxString::FromUTF8("Values: " + chart.Axes().yCaption));
    std::vector<std::string> captions{chart.Axes().xCaption};
    captions.insert(captions.end(), chart.SeriesNames().begin(), chart.SeriesNames().end());
    std::vector<double> values;
    for (const BarGroup& group : chart.Groups()) values.insert(values.end(), group.values.begin(), group.values.end());
    const int decimals = TableDecimals(values);
    std::vector<std::vector<std::string>> rows;
    for (const BarGroup& group : chart.Groups()) {
        rows.push_back({group.label});
        for (size_t i = 0; i < chart.SeriesNames().size(); ++i)
            rows.back().push_back(i < group.values.size() ? TableValue(group.values[i], decimals) : "-");
    }
    Fill(captions, rows);
}

}  // namespace widgets
