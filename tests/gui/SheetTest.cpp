// The property sheet: caption, tabs, buttons, dynamic creation of the pages, closing, labels.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <memory>
#include <string>
#include <vector>

#include "app/VextApp.h"
#include "app/VextSheet.h"
#include "pages/About.h"
#include "pages/SystemInfo.h"
#include "pages/TemplateBuilder.h"

namespace {

// Ends a modal run that would otherwise wait for a person, so a broken close fails instead of hanging.
class ModalGuard : public wxTimer {
public:
    explicit ModalGuard(wxDialog& dialog) : dialog_(dialog) { StartOnce(10000); }
    void Notify() override
    {
        fired = true;
        if (dialog_.IsModal()) dialog_.EndModal(wxID_ABORT);
    }
    bool fired = false;

private:
    wxDialog& dialog_;
};

}  // namespace

TEST(Sheet, OpensWithItsCaptionTabsInOrderAndOkCancelWithoutApply)
{
    const std::vector<std::pair<std::string, std::string>> pages{
        {"Processor Information", "CProcInfo"}, {"Windows Information", "CSystemInfo"},
        {"CPU Benchmark", "CCPUBenchPage"},     {"FPU Benchmark", "CFPUBenchPage"},
        {"Cache Benchmark", "CCacheBenchPage"}, {"About", "CAbout"},
    };
    CVextSheet sheet(kSheetCaption);
    AddSheetPages(sheet);
    EXPECT_EQ(sheet.GetTitle(), "Vext v1.0");
    EXPECT_EQ(sheet.GetParent(), nullptr);
    EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 0);
    ASSERT_EQ(sheet.PageCount(), pages.size());
    ASSERT_EQ(sheet.GetBookCtrl()->GetPageCount(), pages.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        const auto& [caption, className] = pages[i];
        EXPECT_EQ(sheet.GetBookCtrl()->GetPageText(i).utf8_string(), caption);
        EXPECT_EQ(wxString(sheet.Page(i)->GetClassInfo()->GetClassName()).utf8_string(), className);
        // Each page can also be made from its class name alone.
        std::unique_ptr<wxObject> made(wxCreateDynamicObject(className));
        ASSERT_NE(made, nullptr) << className;
        EXPECT_TRUE(made->IsKindOf(wxCLASSINFO(CTemplatePage))) << className;
    }

    EXPECT_EQ(sheet.FindWindow(wxID_APPLY), nullptr);
    auto* ok = wxDynamicCast(sheet.FindWindow(wxID_OK), wxButton);
    auto* cancel = wxDynamicCast(sheet.FindWindow(wxID_CANCEL), wxButton);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(cancel->IsEnabled());
    sheet.CancelToClose();
    EXPECT_EQ(ok->GetLabel(), "Close");
    EXPECT_FALSE(cancel->IsEnabled());
}

TEST(Sheet, CloseBoxAndCloseButtonEndTheModalRun)
{
    struct Case {
        const char* what;
        bool cancelToClose;
        bool closeBox;  // else the OK ("Close") button
        int result;     // 0: anything but the guard's wxID_ABORT
    } cases[] = {
        {"close box", false, true, wxID_CANCEL},
        {"close box with Cancel disabled", true, true, 0},
        {"Close button", true, false, wxID_OK},
    };
    for (const Case& c : cases) {
        CVextSheet sheet(kSheetCaption);
        sheet.AddPage(new CSystemInfo);
        sheet.AddPage(new CAbout);
        sheet.Prepare();
        if (c.cancelToClose) sheet.CancelToClose();
        ModalGuard guard(sheet);
        sheet.CallAfter([&] {
            if (c.closeBox) {
                wxCloseEvent close(wxEVT_CLOSE_WINDOW, sheet.GetId());
                close.SetEventObject(&sheet);
                close.SetCanVeto(true);
                sheet.GetEventHandler()->ProcessEvent(close);
            } else {
                wxCommandEvent press(wxEVT_BUTTON, wxID_OK);
                press.SetEventObject(sheet.FindWindow(wxID_OK));
                sheet.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(press);
            }
        });
        int result = sheet.ShowModal();
        EXPECT_FALSE(guard.fired) << c.what << " did not end the sheet";
        EXPECT_EQ(result, c.result ? c.result : result) << c.what;
        EXPECT_NE(result, wxID_ABORT) << c.what;
        EXPECT_FALSE(sheet.IsModal()) << c.what;
    }
}

TEST(Sheet, NoLabelIsClipped)
{
    CVextSheet sheet(kSheetCaption);
    AddSheetPages(sheet);
    sheet.Prepare();
    for (size_t p = 0; p < sheet.PageCount(); ++p) {
        CTemplatePage* page = sheet.Page(p);
        for (wxWindow* child : page->GetChildren()) {
            auto* label = wxDynamicCast(child, wxStaticText);
            if (!label) continue;
            wxSize best = label->GetBestSize(), size = label->GetSize();
            EXPECT_TRUE(size.x >= best.x && size.y >= best.y) << page->Caption() << ": \"" << label->GetLabel() << "\"";
        }
    }
}
