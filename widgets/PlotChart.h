#pragma once
// Charts of the measurement pages: a line chart of values against block size and a bar chart of rates
// against thread counts. Both paint themselves in the desktop theme's colours, scale with the window
// and the display, and keep their values for a table that a screen reader can reach (CChartTable).
#include <wx/dataview.h>
#include <wx/panel.h>

#include <string>
#include <vector>

namespace widgets {

struct PlotPoint {
    double x = 0;  // on a log-2 axis a block size in bytes, labelled "4 Kb", "1 Mb"
    double y = 0;
};

struct PlotSeries {
    std::string label;  // "read, 1 thread"; the legend and the table's column
    std::vector<PlotPoint> points;
    bool loaded = false;  // from a loaded result file: drawn in the second colour, its label in the legend
};

// A vertical line at x with its caption, e.g. a cache size "L2 1 Mb".
struct PlotMarker {
    double x = 0;
    std::string label;
};

struct PlotAxes {
    std::string xCaption;  // "Block size (Kb)"
    std::string yCaption;  // "ns"
    bool log2X = true;     // block sizes double: equal steps per doubling
};

// The charts' colours, from the desktop theme: the window's background and text, grid and marker lines
// between the two, the highlight for the live run's series and a second colour for loaded ones.
struct ChartColours {
    wxColour background, text, grid, marker, live, loaded;
};
// The second colour is the highlight's opposite hue, darker on a light background and lighter on a
// dark one, so that it reads on both.
ChartColours DeriveChartColours(const wxColour& background, const wxColour& text, const wxColour& highlight);
ChartColours ThemeChartColours();
// The fill of a bar series, the index-th of its kind (live or loaded): its colour, paler for each next one.
wxColour BarFill(const ChartColours& colours, bool loaded, int index);

// Where a chart puts its parts on a client area.
struct PlotText {
    std::string text;
    wxRect box;
};
struct PlotLayout {
    wxRect frame;                 // the plot's frame: no value is drawn outside it
    wxRect legend;                // the series' samples and labels; empty without series
    std::vector<PlotText> texts;  // every text the chart draws: captions, tick labels, markers, legend
    bool empty = true;            // nothing to draw: the frame says "No results"
};

class CLineChart : public wxPanel {
public:
    CLineChart(wxWindow* parent, wxWindowID id, const PlotAxes& axes);

    void SetSeries(std::vector<PlotSeries> series);
    void SetMarkers(std::vector<PlotMarker> markers);
    const std::vector<PlotSeries>& Series() const { return series_; }
    const PlotAxes& Axes() const { return axes_; }

    // Paints the chart onto `dc` over a client area of `size` (the paint handler and the tests).
    void Draw(wxDC& dc, const wxSize& size) const;
    PlotLayout Arrange(wxDC& dc, const wxSize& size) const;  // where Draw puts what it draws

private:
    PlotAxes axes_;
    std::vector<PlotSeries> series_;
    std::vector<PlotMarker> markers_;
};

// One bar per series per group, e.g. groups "1", "2", "4", "8" threads and series "CPU", "FPU".
struct BarGroup {
    std::string label;
    std::vector<double> values;  // one per series name; a missing value is NaN and draws no bar
};

class CBarChart : public wxPanel {
public:
    CBarChart(wxWindow* parent, wxWindowID id, const PlotAxes& axes);

    void SetBars(std::vector<std::string> seriesNames, std::vector<BarGroup> groups, std::vector<bool> seriesLoaded = {});
    const std::vector<std::string>& SeriesNames() const { return names_; }
    const std::vector<BarGroup>& Groups() const { return groups_; }
    const PlotAxes& Axes() const { return axes_; }

    void Draw(wxDC& dc, const wxSize& size) const;
    PlotLayout Arrange(wxDC& dc, const wxSize& size) const;  // where Draw puts what it draws

private:
    PlotAxes axes_;
    std::vector<std::string> names_;
    std::vector<BarGroup> groups_;
    std::vector<bool> loaded_;
};

// The text equivalent of a chart: a native table (a GtkTreeView a screen reader reads) with a column
// for x and one per series, filled from a line chart's or a bar chart's values.
class CChartTable : public wxDataViewListCtrl {
public:
    CChartTable(wxWindow* parent, wxWindowID id);

    void ShowLines(const CLineChart& chart);
    void ShowBars(const CBarChart& chart);

private:
    void Fill(const std::vector<std::string>& captions, const std::vector<std::vector<std::string>>& rows);
};

}  // namespace widgets
