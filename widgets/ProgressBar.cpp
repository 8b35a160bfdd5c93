#include "widgets/ProgressBar.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>

namespace widgets {

CProgressBar::CProgressBar(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
    : wxPanel(parent, id, pos, size, wxBORDER_SUNKEN)
{
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(this);
        Draw(dc, GetClientSize());
    });
}

void CProgressBar::SetRange(int range)
{
    range_ = std::max(1, range);
    Refresh();
}

void CProgressBar::SetValue(int value)
{
    value_ = std::clamp(value, 0, range_);
    Refresh();
}

void CProgressBar::Draw(wxDC& dc, const wxSize& size) const
{
    const int filled = static_cast<int>(static_cast<long long>(size.x) * value_ / range_);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.DrawRectangle(filled, 0, size.x - filled, size.y);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
    dc.DrawRectangle(0, 0, filled, size.y);
    dc.SetBrush(wxNullBrush);
    dc.SetPen(wxNullPen);
}

}  // namespace widgets
