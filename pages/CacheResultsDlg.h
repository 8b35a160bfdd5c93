#pragma once
// "Cache Benchmark Results": three line charts of copy rate against block size (MOVSD, MOV, stepping),
// this machine in red, the loaded system in blue. It draws only; "&OK" closes it. The window opens at
// its template's size, which is also its smallest; made larger, the chart grows with it.
#include <wx/dialog.h>

#include <string>
#include <wx/gdicmn.h>

#include "bench/Results.h"

class wxDC;

namespace pages {

// What the chart shows, filled before the dialog opens and never changed.
struct CacheChartData {
    std::string yourLegend;    // this machine's summary line followed by " (Your system)"
    std::string loadedLegend;  // the loaded file's summary line, empty when nothing was loaded
    bench::CacheResults yourResults;
    bench::CacheResults loadedResults;
};

// The chart's geometry in client pixels at the size the window opens at. Within that size only the
// white frame follows the window; a larger window magnifies the whole (DrawScaledCacheChart).
namespace cachechart {
constexpr int kTop = 100;     // the top grid line: full scale
constexpr int kBottom = 300;  // the x axis: 0 Mb/sec
constexpr int kWidth = 170;
constexpr int kStep = 20;     // pixels between two block sizes, and between two scale lines

struct Panel {
    int left;
    int firstResult;       // index into CacheResults of the 2 Kb rate
    int fullScale;         // Mb/sec at the top line
    int labelStep;         // Mb/sec between two scale lines
    double pixelsPerMb;
    const char* title;
    int titleX;
};
extern const Panel kPanels[3];

// A panel's vertical scale: Mb/sec at the top line, between two of the eleven lines, and pixels per Mb/sec.
struct Scale {
    double fullScale;
    double labelStep;
    double pixelsPerMb;
};
// The panel keeps its own full scale while every finite rate of both systems fits under it; past it,
// the full scale grows to the smallest 1, 2 or 5 times a power of ten that holds the largest rate.
Scale PanelScale(const Panel& p, const bench::CacheResults& your, const bench::CacheResults& loaded);
// A scale label: whole Mb/sec, or thousands with a "k" on an axis whose top would not fit the column;
// every label of one axis takes the style of its full scale, so no axis mixes "10k" with "8000".
std::string ScaleLabel(double value, double fullScale);

// The y coordinate of one rate on a panel: the product with the panel's scale truncated toward zero;
// a rate at or over full scale sits on the top line, an infinite (or otherwise not finite) one at zero.
int PointY(double rate, double pixelsPerMb);
// Where a scale label of `width` pixels starts: it ends a few pixels left of the panel's y axis.
inline int ScaleLabelX(const Panel& p, int width) { return p.left - 4 - width; }
// The x coordinate of block size k (0 = 2 Kb ... 8 = 512 Kb).
inline int PointX(const Panel& p, int k) { return p.left + kStep * k; }
}  // namespace cachechart

// Draws the whole chart onto `dc`, whose drawable client area is `clientSize`. The DC's pen, brush,
// font, text colour and background mode are as they were when it returns.
void DrawCacheChart(wxDC& dc, const wxSize& clientSize, const CacheChartData& data);

// The chart for a window grown past the size it was designed for (`designSize`, both client areas): drawn
// as DrawCacheChart draws it at that size, magnified by the smaller of the two growths, with the white
// frame filling the window. At the design size it is DrawCacheChart itself.
void DrawScaledCacheChart(wxDC& dc, const wxSize& clientSize, const wxSize& designSize, const CacheChartData& data);

// What a screen reader reads for the painted chart: each system's legend, then for each panel its rate at
// every block size, as the page's list writes them.
std::string CacheChartReaderText(const CacheChartData& data);

// The your-system legend made from this machine's summary line.
std::string YourSystemLegend(const std::string& summary);

class CCacheResultsDlg : public wxDialog {
public:
    // No owner window is given: the application's top window owns the modal dialog.
    CCacheResultsDlg();

    // This machine's results and text first; the loaded ones second.
    void SetData(const bench::CacheResults& yourResults, const bench::CacheResults& loadedResults, const std::string& yourText,
                 const std::string& loadedText);
    const CacheChartData& Data() const { return data_; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnOk(wxCommandEvent& event);

    CacheChartData data_;
    wxSize designSize_;    // the client area the template gives: the smallest the window gets
    wxPoint okPosition_;   // where the template puts OK at that size

    wxDECLARE_CLASS(CCacheResultsDlg);
};

}  // namespace pages
