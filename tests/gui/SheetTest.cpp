// The property sheet: caption, tabs, pages made from their class names, the buttons, closing, the
// controls where the templates put them; and the About page's painting.

#include <memory>

#include "bench/CpuSuite.h"
#include "pages/About.h"
#include "pages/CPUBenchPage.h"
#include "tests/gui/GuiSupport.h"

using namespace app;

using namespace pages;

using namespace bench;

using guitest::Utf8;

// The pages' captions, classes and controls are compared with tests/data/gui/sheet.txt; the first page's
// values are this machine's and left out.
TEST(Sheet, TabsInOrderOkCancelWithoutApplyAndEveryControlWhereItsTemplatePutsIt)
{
    RecordingPrompt prompt;
    const bench::Context context = bench::FakeContext();
    CVextSheet sheet(kSheetCaption, prompt, context);
    AddSheetPages(sheet);
    sheet.Prepare();
    EXPECT_EQ("Vext v1.0", sheet.GetTitle());
    EXPECT_EQ(nullptr, sheet.GetParent());
    EXPECT_EQ(32, sheet.GetIcon().GetWidth());  // the application icon in the title bar
    EXPECT_EQ(0, sheet.GetBookCtrl()->GetSelection());
    ASSERT_EQ(sheet.PageCount(), sheet.GetBookCtrl()->GetPageCount());
    std::string texts;
    for (size_t i = 0; i < sheet.PageCount(); ++i) {
        const std::string caption = Utf8(sheet.GetBookCtrl()->GetPageText(i));
        auto* page = dynamic_cast<CTemplatePage*>(sheet.Page(i));
        if (!page) {  // a page laid out with sizers: its own tests check it
            texts += "== " + caption + ": " + Utf8(sheet.Page(i)->GetClassInfo()->GetClassName()) + " (sizers)\n";
            continue;
        }
        const std::string className = Utf8(page->GetClassInfo()->GetClassName());
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

// Escape, the close box and Close (which Return presses) end the modal run, with Cancel enabled or not;
// while a run's results are not saved, only after a yes.
TEST(Sheet, EscapeCloseBoxAndCloseEndTheModalRunAskingFirstWhileARunIsNotSaved)
{
    RecordingPrompt prompt;
    prompt.saveAnswer = "/dev/null";  // a save that succeeds and leaves nothing behind
    bench::Context context = bench::FakeContext();
    context.suites.cpu = [](const platform::Machine&, const CpuSuiteCallbacks& cb) { return RunCpuSuiteWith(FixedCpuKernels({}), cb); };
    CVextSheet sheet(kSheetCaption, prompt, context);
    sheet.AddPage(new CCPUBenchPage);
    sheet.Prepare();
    EXPECT_EQ(sheet.FindWindow(wxID_OK), sheet.GetDefaultItem());
    // Escape; the close box, whose request Close() makes; the Close button.
    const std::function<void()> closings[] = {[&] { guitest::PressEscape(sheet); }, [&] { sheet.Close(); },
                                              [&] { guitest::Press(sheet.FindWindow(wxID_OK)); }};
    for (bool cancelDisabled : {false, true})
        for (int i = 0; i < 3; ++i) {
            if (cancelDisabled) sheet.CancelToClose();
            sheet.CallAfter([&, i] {
                guitest::Press(dynamic_cast<CTemplatePage*>(sheet.Page(0))->Control(res::IDC_BENCH_RUN));
                prompt.yes = false;
                closings[i]();
                EXPECT_TRUE(sheet.IsModal()) << i << " closed after a No";
                prompt.yes = i == 0;  // Escape: answered Yes; the others: saved first, and nothing asked
                if (i > 0) guitest::Press(dynamic_cast<CTemplatePage*>(sheet.Page(0))->Control(res::IDC_BENCH_SAVE));
                closings[i]();
                if (sheet.IsModal()) sheet.EndModal(wxID_ABORT);  // fails instead of waiting for a person
            });
            EXPECT_EQ(i < 2 && !cancelDisabled ? wxID_CANCEL : wxID_OK, sheet.ShowModal()) << i;
        }
    EXPECT_EQ(std::vector<std::string>(8, "The results of this run are not saved. Close Vext?"), prompt.questions);
}

// The dark and white pixels in the regions of tests/data/gui/about.txt.
TEST(AboutPage, PaintsFourLinesAtTheirPlacesTheTitleLargerOnWhite)
{
    guitest::ExpectPixelCounts("gui/about.txt", {guitest::Painted(wxSize(560, 270), wxColour(160, 160, 160), PaintAbout)});
}
