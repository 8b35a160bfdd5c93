#pragma once
#include "pages/TemplatePage.h"

class wxDC;
class wxPaintEvent;
class wxFont;

namespace pages {

// "About": title, version, author and build date painted between two icons.
class CAbout : public CTemplatePage {
public:
    CAbout();

protected:
    void BuildControls() override;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_DYNAMIC_CLASS(CAbout);
};

// Paints the page's four lines on `dc`, in pixels from its top-left corner. The font selected before
// is selected again afterwards.
void PaintAbout(wxDC& dc);

// The face the page paints in, at a height in pixels.
wxFont AboutFont(int pixelHeight, bool bold);

// The lines as painted, top to bottom.
inline constexpr const char* kAboutTitle = "Vext  --  Corvane";
inline constexpr const char* kAboutVersion = "version 1.0";
inline constexpr const char* kAboutAuthor = "written by the Vext developers";
// "Vext compiled on " and this build's date, "Mmm dd yyyy".
const char* AboutBuildLine();

}  // namespace pages
