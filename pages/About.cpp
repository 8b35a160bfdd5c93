#include "pages/About.h"

#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/font.h>

wxIMPLEMENT_DYNAMIC_CLASS(CAbout, CTemplatePage);

namespace {

// A serif face at a height in pixels. "Times" is an alias that fontconfig resolves (to Nimbus Roman
// from the URW fonts, or Liberation Serif); if it resolves to nothing, the generic roman family stands in.
wxFont TimesFont(int pixelHeight, wxFontWeight weight)
{
    wxFont font(wxFontInfo(wxSize(0, pixelHeight)).Family(wxFONTFAMILY_ROMAN).FaceName("Times").Weight(weight));
    if (font.IsOk()) return font;
    return wxFont(wxFontInfo(wxSize(0, pixelHeight)).Family(wxFONTFAMILY_ROMAN).Weight(weight));
}

}  // namespace

const char* AboutBuildLine() { return "Vext compiled on " __DATE__; }

CAbout::CAbout() : CTemplatePage(res::IDD_ABOUT) { Bind(wxEVT_PAINT, &CAbout::OnPaint, this); }

void CAbout::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PaintAbout(dc);
}

void PaintAbout(wxDC& dc)
{
    // The text is drawn as the system draws it by default: black on an opaque white cell.
    const wxFont previous = dc.GetFont();
    const wxColour previousText = dc.GetTextForeground();
    const wxColour previousBack = dc.GetTextBackground();
    const int previousMode = dc.GetBackgroundMode();
    dc.SetTextForeground(*wxBLACK);
    dc.SetTextBackground(*wxWHITE);
    dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);

    {
        const wxFont title = TimesFont(24, wxFONTWEIGHT_BOLD);
        dc.SetFont(title);
        dc.DrawText(kAboutTitle, 70, 70);
        dc.SetFont(previous.IsOk() ? previous : wxNullFont);
    }
    const wxFont text = TimesFont(18, wxFONTWEIGHT_NORMAL);
    dc.SetFont(text);
    dc.DrawText(kAboutVersion, 70, 100);
    dc.DrawText(kAboutAuthor, 70, 160);
    dc.DrawText(AboutBuildLine(), 70, 220);
    dc.SetFont(previous.IsOk() ? previous : wxNullFont);

    dc.SetBackgroundMode(previousMode);
    dc.SetTextBackground(previousBack);
    dc.SetTextForeground(previousText);
}
