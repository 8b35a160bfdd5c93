// The About page painted into a bitmap.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <string>

#include "app/VextSheet.h"
#include "pages/About.h"

namespace {

struct Band {
    int darkPixels = 0;
    int top = -1, bottom = -1;  // rows holding dark pixels
};

// Dark pixels in rows [y0, y1) and columns [x0, x1).
Band DarkIn(const wxImage& image, int x0, int y0, int x1, int y1)
{
    Band band;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y) < 3 * 80) {
                ++band.darkPixels;
                if (band.top < 0) band.top = y;
                band.bottom = y;
            }
        }
    }
    return band;
}

wxImage PaintOnGrey(int width, int height)
{
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(160, 160, 160)));
        dc.Clear();
        PaintAbout(dc);
    }
    return bitmap.ConvertToImage();
}

}  // namespace

TEST(AboutPage, PaintsFourLinesAtTheirPlaces)
{
    wxImage image = PaintOnGrey(560, 270);
    Band title = DarkIn(image, 70, 70, 400, 98);
    Band version = DarkIn(image, 70, 100, 400, 124);
    EXPECT_GT(title.darkPixels, 200);
    for (int top : {100, 160, 220}) EXPECT_GT(DarkIn(image, 70, top, 400, top + 24).darkPixels, 50) << top;
    // Nothing left of the lines, above the title, nor between the second and third line.
    EXPECT_EQ(DarkIn(image, 0, 0, 68, 270).darkPixels, 0);
    EXPECT_EQ(DarkIn(image, 0, 0, 560, 68).darkPixels, 0);
    EXPECT_EQ(DarkIn(image, 0, 126, 560, 158).darkPixels, 0);
    // The title is in the larger, bolder face.
    EXPECT_GT(title.bottom - title.top, version.bottom - version.top);
    EXPECT_GT(title.darkPixels, 2 * version.darkPixels);
    // The text sits on the system's default opaque white cell.
    int white = 0;
    for (int y = 70; y < 94; ++y)
        for (int x = 70; x < 200; ++x)
            if (image.GetRed(x, y) == 255 && image.GetGreen(x, y) == 255 && image.GetBlue(x, y) == 255) ++white;
    EXPECT_GT(white, 1000);
}

TEST(AboutPage, ShowsTwoIconsAndPaintsWhenShown)
{
    CVextSheet sheet("Vext v1.0");
    auto* page = new CAbout;
    sheet.AddPage(page);
    sheet.Prepare();
    int icons = 0;
    for (wxWindow* child : page->GetChildren())
        if (child->GetChildren().GetCount() == 1) ++icons;  // a sunken frame holding the icon
    EXPECT_EQ(icons, 2);
    sheet.Show();
    for (int i = 0; i < 5; ++i) wxYield();
    EXPECT_GE(page->GetSize().y, 250);  // the build line at y 220 fits on the page
    sheet.Hide();
}
