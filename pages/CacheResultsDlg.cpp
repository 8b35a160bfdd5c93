#include "pages/CacheResultsDlg.h"

#include <wx/button.h>
#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/graphics.h>

#include <algorithm>
#include <cmath>

#include "bench/ResultTables.h"
#include "platform/TextFormat.h"
#include "res/ControlIds.h"
#include "res/DialogTemplate.h"
#include "widgets/ReaderText.h"
#include "widgets/SheetFont.h"
#include "widgets/TemplateBuilder.h"

namespace pages {

using namespace widgets;

using namespace bench;

wxIMPLEMENT_CLASS(CCacheResultsDlg, wxDialog);

namespace cachechart {

const Panel kPanels[3] = {
    {60, 0, 2000, 200, 0.1, "MOVSD", 120},
    {300, 9, 1500, 150, 2.0 / 15.0, "MOV", 370},
    {540, 18, 150, 15, 4.0 / 3.0, "stepping", 595},
};

int PointY(double rate, double pixelsPerMb)
{
    double product = rate * pixelsPerMb;
    if (!std::isfinite(product)) return kBottom;
    if (product >= kBottom - kTop) return kTop;
    // A negative rate only comes from a damaged file. It is drawn below the axis as the formula says,
    // but no further than the window could ever show, so the truncation stays within int.
    if (product < -100000.0) product = -100000.0;
    return kBottom - static_cast<int>(product);
}

namespace {
double LargestFiniteRate(const Panel& p, const CacheResults& results)
{
    double largest = 0.0;
    for (int k = 0; k < CacheResults::kBlockSizes; ++k) {
        double rate = results.rates[static_cast<size_t>(p.firstResult + k)];
        if (std::isfinite(rate)) largest = std::max(largest, rate);
    }
    return largest;
}

double OneTwoFiveAbove(double value)
{
    double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * decade >= value) return factor * decade;
    return 10.0 * decade;
}
}  // namespace

Scale PanelScale(const Panel& p, const CacheResults& your, const CacheResults& loaded)
{
    const double largest = std::max(LargestFiniteRate(p, your), LargestFiniteRate(p, loaded));
    if (largest <= p.fullScale) return {double(p.fullScale), double(p.labelStep), p.pixelsPerMb};
    double full = OneTwoFiveAbove(largest);
    // Near the largest double the next step up does not exist; the largest rate itself is the top.
    if (!std::isfinite(full)) full = largest;
    return {full, full / 10.0, (kBottom - kTop) / full};
}

std::string ScaleLabel(double value, double fullScale)
{
    // Four digits fill the column in the chart's font; a fifth would run into the axis.
    if (fullScale >= 10000.0 && value != 0.0) return platform::TextFormat("%.0fk", value / 1000.0);
    return platform::TextFormat("%.0f", value);
}

}  // namespace cachechart

namespace {

// The palette's black, red and blue (entries 0, 13 and 16 of the system's default palette).
const wxColour kBlack(0, 0, 0);
const wxColour kRed(255, 0, 0);
const wxColour kBlue(0, 0, 255);
const wxColour kWhite(255, 255, 255);

// "Times", 16 pixels from the top of the highest letter cell to the bottom of the lowest, normal weight.
wxFont ChartFont(wxDC& dc)
{
    constexpr int kCellHeight = 16;
    wxFont font(wxFontInfo(wxSize(0, kCellHeight)).Family(wxFONTFAMILY_ROMAN).FaceName("Times"));
    wxDCFontChanger measure(dc, font);
    int cell = dc.GetCharHeight();
    if (cell > kCellHeight) {
        // The face's pixel size is its em height; shrink it so the whole cell is 16 pixels.
        int em = std::max(1, kCellHeight * kCellHeight / cell);
        font.SetPixelSize(wxSize(0, em));
    }
    return font;
}

void DrawText(wxDC& dc, const std::string& text, int x, int y)
{
    if (!text.empty()) dc.DrawText(wxString::FromUTF8(text), x, y);
}

void DrawPanelFrame(wxDC& dc, const cachechart::Panel& p, const cachechart::Scale& scale, const wxPen& axisPen,
                    const wxPen& gridPen)
{
    using namespace cachechart;
    const int right = p.left + kWidth;
    dc.SetPen(axisPen);
    dc.DrawLine(p.left, kTop, p.left, kBottom);
    dc.DrawLine(p.left, kBottom, right, kBottom);

    dc.SetPen(gridPen);
    for (int k = 0; k < CacheResults::kBlockSizes; ++k) {
        int x = PointX(p, k);
        int kb = 2 << k;
        dc.DrawLine(x, kTop, x, kBottom);
        // 128 and 512 would run into their neighbours' labels: they sit lower.
        if (kb == 128 || kb == 512)
            DrawText(dc, platform::TextFormat("%d", kb), x - 8, 315);
        else
            DrawText(dc, platform::TextFormat("%d", kb), x - 4, 303);
    }
    for (int line = 0; line <= (kBottom - kTop) / kStep; ++line) {
        const int y = kTop + kStep * line;
        dc.DrawLine(p.left, y, right, y);
        // Each label from the step, not by subtracting, so no rounding piles up down the axis.
        const std::string label = ScaleLabel(scale.labelStep * ((kBottom - kTop) / kStep - line), scale.fullScale);
        DrawText(dc, label, ScaleLabelX(p, dc.GetTextExtent(wxString::FromUTF8(label)).x), y - 7);
    }
    // What each axis measures, in the units of the page's result lists.
    const wxString rate = "Mb/sec", block = "Block size (Kb)";
    dc.DrawText(rate, p.left - dc.GetTextExtent(rate).x / 2, 76);
    dc.DrawText(block, p.left + (kWidth - dc.GetTextExtent(block).x) / 2, 332);
    dc.SetPen(axisPen);
}

void DrawCurves(wxDC& dc, const CacheResults& results, const cachechart::Scale* scales, const wxPen& pen)
{
    using namespace cachechart;
    dc.SetPen(pen);
    for (int i = 0; i < 3; ++i) {
        const Panel& p = kPanels[i];
        wxPoint points[CacheResults::kBlockSizes];
        for (int k = 0; k < CacheResults::kBlockSizes; ++k)
            points[k] = wxPoint(PointX(p, k),
                                PointY(results.rates[static_cast<size_t>(p.firstResult + k)], scales[i].pixelsPerMb));
        dc.DrawLines(CacheResults::kBlockSizes, points);
    }
}

}  // namespace

std::string YourSystemLegend(const std::string& summary) { return summary + " (Your system)"; }

std::string CacheChartReaderText(const CacheChartData& data)
{
    std::string text;
    const auto system = [&text](const std::string& legend, const CacheResults& results) {
        text += legend + ':';
        for (const cachechart::Panel& p : cachechart::kPanels) {
            text += std::string("\n") + p.title + ':';
            for (int k = 0; k < CacheResults::kBlockSizes; ++k)
                text += platform::TextFormat(" %d Kb ", 2 << k) + FormatCacheRate(results.rates[static_cast<size_t>(p.firstResult + k)]) +
                        (k + 1 < CacheResults::kBlockSizes ? "," : "");
        }
    };
    system(data.yourLegend, data.yourResults);
    if (!data.loadedLegend.empty()) text += '\n', system(data.loadedLegend, data.loadedResults);
    return text;
}

void DrawCacheChart(wxDC& dc, const wxSize& clientSize, const CacheChartData& data)
{
    // Hard-edged lines: each point of a curve lands on its own pixels.
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    const wxAntialiasMode oldAntialias = gc ? gc->GetAntialiasMode() : wxANTIALIAS_NONE;
    if (gc) gc->SetAntialiasMode(wxANTIALIAS_NONE);

    const wxPen axisPen(kBlack, 1, wxPENSTYLE_SOLID);
    const wxPen gridPen(kBlack, 1, wxPENSTYLE_DOT);
    const wxPen yourPen(kRed, 2, wxPENSTYLE_SOLID);
    const wxPen loadedPen(kBlue, 2, wxPENSTYLE_SOLID);
    const wxBrush background(kWhite, wxBRUSHSTYLE_SOLID);

    // The DC is handed back as it came: the changers restore pen, brush, font, text colour and
    // background mode as they go out of scope.
    wxDCTextBgModeChanger mode(dc, wxBRUSHSTYLE_TRANSPARENT);
    wxDCPenChanger pen(dc, axisPen);
    wxDCBrushChanger brush(dc, background);
    dc.DrawRectangle(10, 10, clientSize.x - 20, clientSize.y - 60);

    wxDCFontChanger font(dc, ChartFont(dc));
    wxDCTextColourChanger textColour(dc);
    {
        // A long summary, or whatever a damaged file holds, ends at the white frame.
        wxDCClipper inside(dc, wxRect(11, 11, std::max(0, clientSize.x - 22), std::max(0, clientSize.y - 62)));
        textColour.Set(kRed);
        DrawText(dc, data.yourLegend, 30, 15);
        textColour.Set(kBlue);
        DrawText(dc, data.loadedLegend, 30, 35);
    }
    textColour.Set(kBlack);
    for (const cachechart::Panel& p : cachechart::kPanels) DrawText(dc, p.title, p.titleX, 70);

    cachechart::Scale scales[3];
    for (int i = 0; i < 3; ++i) {
        const cachechart::Panel& p = cachechart::kPanels[i];
        scales[i] = cachechart::PanelScale(p, data.yourResults, data.loadedResults);
        DrawPanelFrame(dc, p, scales[i], axisPen, gridPen);
    }

    DrawCurves(dc, data.yourResults, scales, yourPen);
    DrawCurves(dc, data.loadedResults, scales, loadedPen);

    dc.SetPen(axisPen);
    if (gc) gc->SetAntialiasMode(oldAntialias);
}

void DrawScaledCacheChart(wxDC& dc, const wxSize& clientSize, const wxSize& designSize, const CacheChartData& data)
{
    const double scale = std::min(double(clientSize.x) / std::max(1, designSize.x), double(clientSize.y) / std::max(1, designSize.y));
    if (scale <= 1.0) return DrawCacheChart(dc, clientSize, data);
    double oldX = 1.0, oldY = 1.0;
    dc.GetUserScale(&oldX, &oldY);
    dc.SetUserScale(scale, scale);
    // The frame fills the window: in the magnified coordinates the window is this large.
    DrawCacheChart(dc, wxSize(int(clientSize.x / scale), int(clientSize.y / scale)), data);
    dc.SetUserScale(oldX, oldY);
}

CCacheResultsDlg::CCacheResultsDlg()
{
    const res::DialogTemplate& t = res::FindTemplate(res::IDD_CACHE_RESULTS);
    // A caption and a border to resize it by, but neither system menu nor close box: OK or Escape end it.
    Create(nullptr, wxID_ANY, wxString::FromUTF8(t.caption), wxDefaultPosition, wxDefaultSize, wxCAPTION | wxRESIZE_BORDER);
    SetFont(SheetFont());
    designSize_ = TemplatePixelSize(this, t);
    SetClientSize(designSize_);
    SetMinClientSize(designSize_);
    if (wxWindow* ok = BuildFromTemplate(this, t)[res::IDC_CHART_OK]) okPosition_ = ok->GetPosition();
    SetAffirmativeId(res::IDC_CHART_OK);
    SetEscapeId(res::IDC_CHART_OK);
    Centre();
    Bind(wxEVT_PAINT, &CCacheResultsDlg::OnPaint, this);
    Bind(wxEVT_SIZE, &CCacheResultsDlg::OnSize, this);
    Bind(wxEVT_BUTTON, &CCacheResultsDlg::OnOk, this, res::IDC_CHART_OK);
}

void CCacheResultsDlg::SetData(const CacheResults& yourResults, const CacheResults& loadedResults,
                               const std::string& yourText, const std::string& loadedText)
{
    data_.yourLegend = YourSystemLegend(yourText);
    data_.loadedLegend = loadedText;
    data_.yourResults = yourResults;
    data_.loadedResults = loadedResults;
    // The chart is painted: a screen reader gets its values as the window's description.
    SetReaderText(this, GetTitle(), wxString::FromUTF8(CacheChartReaderText(data_)));
    Refresh();
}

void CCacheResultsDlg::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawScaledCacheChart(dc, GetClientSize(), designSize_, data_);
}

void CCacheResultsDlg::OnSize(wxSizeEvent&)
{
    // OK keeps its size, its distance from the bottom edge and its place in the middle (a lone child
    // would otherwise be stretched over the whole window); the chart is drawn anew for the size.
    const wxSize grown = GetClientSize() - designSize_;
    if (wxWindow* ok = FindWindow(res::IDC_CHART_OK)) ok->Move(okPosition_ + wxPoint(std::max(0, grown.x) / 2, std::max(0, grown.y)));
    Refresh();
}

void CCacheResultsDlg::OnOk(wxCommandEvent&)
{
    if (IsModal())
        EndModal(wxID_OK);
    else
        Hide();
}

}  // namespace pages
