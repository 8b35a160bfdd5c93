// The property sheet: caption, tabs, pages made from their class names, the buttons, closing, the
// controls where the templates put them; and the About page's painting.

#include <memory>

#include "pages/About.h"
#include "pages/SystemInfo.h"
#include "tests/gui/GuiSupport.h"

using guitest::Utf8;

// The pages' captions, classes and controls are compared with tests/data/gui/sheet.txt; the first page's
// values are this machine's and left out.
TEST(Sheet, TabsInOrderOkCancelWithoutApplyAndEveryControlWhereItsTemplatePutsIt)
{
    guitest::InstantClocks clocks;
    CVextSheet sheet(kSheetCaption);
    AddSheetPages(sheet);
    sheet.Prepare();
    EXPECT_EQ("Vext v1.0", sheet.GetTitle());
    EXPECT_EQ(nullptr, sheet.GetParent());
    EXPECT_EQ(0, sheet.GetBookCtrl()->GetSelection());
    ASSERT_EQ(sheet.PageCount(), sheet.GetBookCtrl()->GetPageCount());
    std::string texts;
    for (size_t i = 0; i < sheet.PageCount(); ++i) {
        CTemplatePage* page = sheet.Page(i);
        const std::string caption = Utf8(sheet.GetBookCtrl()->GetPageText(i)), className = Utf8(page->GetClassInfo()->GetClassName());
        texts += "== " + caption + ": " + className + '\n' + (i == 0 ? "" : guitest::ControlTexts(*page));
        std::unique_ptr<wxObject> made(wxCreateDynamicObject(className));  // each page can be made from its class name
        EXPECT_TRUE(made && made->IsKindOf(wxCLASSINFO(CTemplatePage))) << className;
        for (const res::ControlTemplate& c : page->Template().controls) {
            if (c.id == res::kNoId) continue;
            ASSERT_NE(nullptr, page->Control(c.id)) << caption << " " << c.id;
            const wxRect placed(page->TemplateOffset() + page->ConvertDialogToPixels(wxPoint(c.x, c.y)),
                                page->ConvertDialogToPixels(wxSize(c.width, c.height)));
            EXPECT_EQ(placed, page->Control(c.id)->GetRect()) << caption << " " << c.id;
        }
        for (wxWindow* child : page->GetChildren())
            if (auto* label = wxDynamicCast(child, wxStaticText)) {
                const wxSize best = label->GetBestSize(), size = label->GetSize();
                EXPECT_TRUE(size.x >= best.x && size.y >= best.y) << caption << ": \"" << Utf8(label->GetLabel()) << "\" clipped";
            }
    }
    ExpectGolden("gui/sheet.txt", texts);
    EXPECT_EQ(nullptr, sheet.FindWindow(wxID_APPLY));
}

TEST(Sheet, CloseBoxAndCloseButtonEndTheModalRun)
{
    const struct {
        const char* what;
        bool cancelToClose, closeBox;  // else the OK ("Close") button
        int result;                    // 0: any result that ends the run
    } cases[] = {{"close box", false, true, wxID_CANCEL}, {"close box with Cancel disabled", true, true, 0}, {"Close button", true, false, wxID_OK}};
    for (const auto& c : cases) {
        CVextSheet sheet(kSheetCaption);
        sheet.AddPage(new CSystemInfo);
        sheet.AddPage(new CAbout);
        sheet.Prepare();
        if (c.cancelToClose) sheet.CancelToClose();
        sheet.CallAfter([&] {
            wxCloseEvent close(wxEVT_CLOSE_WINDOW, sheet.GetId());
            close.SetEventObject(&sheet);
            close.SetCanVeto(true);
            if (c.closeBox) sheet.GetEventHandler()->ProcessEvent(close);
            else guitest::Press(sheet.FindWindow(wxID_OK));
            EXPECT_FALSE(sheet.IsModal()) << c.what << " did not end the sheet";
            if (sheet.IsModal()) sheet.EndModal(wxID_ABORT);  // fails instead of waiting for a person
        });
        const int result = sheet.ShowModal();
        EXPECT_EQ(c.result ? c.result : result, result) << c.what;
    }
}

// The dark and white pixels in the regions of tests/data/gui/about.txt.
TEST(AboutPage, PaintsFourLinesAtTheirPlacesTheTitleLargerOnWhite)
{
    guitest::ExpectPixelCounts("gui/about.txt", {guitest::Painted(wxSize(560, 270), wxColour(160, 160, 160), PaintAbout)});
}
