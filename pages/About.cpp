#include "pages/About.h"

#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/font.h>

#include "widgets/ReaderText.h"

namespace pages {

wxIMPLEMENT_DYNAMIC_CLASS(CAbout, CTemplatePage);

// A serif face at a height in pixels. "Times" is an alias that fontconfig resolves (to Nimbus Roman
// from the URW fonts, or Liberation Serif); if it resolves to nothing, the generic roman family stands in.
wxFont AboutFont(int pixelHeight, bool bold)
{
    const wxFontWeight weight = bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL;
    wxFont font(wxFontInfo(wxSize(0, pixelHeight)).Family(wxFONTFAMILY_ROMAN).FaceName("Times").Weight(weight));
    if (font.IsOk()) return font;
    return wxFont(wxFontInfo(wxSize(0, pixelHeight)).Family(wxFONTFAMILY_ROMAN).Weight(weight));
}

const char* AboutBuildLine() { return "Vext compiled on " __DATE__; }

CAbout::CAbout() : CTemplatePage(res::IDD_ABOUT) { Bind(wxEVT_PAINT, &CAbout::OnPaint, this); }

void CAbout::BuildControls()
{
    CTemplatePage::BuildControls();
    // The lines are painted, so a screen reader would find none of them: the page carries them as its
    // accessible name (the title) and description (the other lines, top to bottom).
    widgets::SetReaderText(this, kAboutTitle, wxString(kAboutVersion) + "\n" + kAboutAuthor + "\n" + AboutBuildLine());
}

void CAbout::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetDeviceOrigin(TemplateOffset().x, TemplateOffset().y);
    PaintAbout(dc);
}

void PaintAbout(wxDC& dc)
{
    // The text is drawn as the system draws it by default: black on an opaque white cell.
    // The changers hand the DC back as it came.
    wxDCTextColourChanger foreground(dc, *wxBLACK);
    wxDCTextBgColourChanger background(dc, *wxWHITE);
    wxDCTextBgModeChanger mode(dc, wxBRUSHSTYLE_SOLID);
    {
        wxDCFontChanger title(dc, AboutFont(24, true));
        dc.DrawText(kAboutTitle, 70, 70);
    }
    wxDCFontChanger text(dc, AboutFont(18, false));
    dc.DrawText(kAboutVersion, 70, 100);
    dc.DrawText(kAboutAuthor, 70, 160);
    dc.DrawText(AboutBuildLine(), 70, 220);
}

}  // namespace pages
