// The property sheet: caption, tabs, buttons, dynamic creation of the pages, closing, labels.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/VextApp.h"
#include "app/VextSheet.h"
#include "pages/About.h"
#include "pages/SystemInfo.h"
#include "pages/TemplateBuilder.h"

namespace {

const std::vector<std::string> kTabOrder{"Processor Information", "Windows Information", "CPU Benchmark",
                                         "FPU Benchmark",         "Cache Benchmark",     "About"};
const std::vector<std::string> kPageClasses{"CProcInfo",     "CSystemInfo",     "CCPUBenchPage",
                                            "CFPUBenchPage", "CCacheBenchPage", "CAbout"};

std::vector<std::string> TabCaptions(CVextSheet& sheet)
{
    std::vector<std::string> captions;
    wxBookCtrlBase* book = sheet.GetBookCtrl();
    for (size_t i = 0; i < book->GetPageCount(); ++i) captions.push_back(book->GetPageText(i).utf8_string());
    return captions;
}

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

void SendCloseBox(wxDialog& dialog)
{
    wxCloseEvent close(wxEVT_CLOSE_WINDOW, dialog.GetId());
    close.SetEventObject(&dialog);
    close.SetCanVeto(true);
    dialog.GetEventHandler()->ProcessEvent(close);
}

}  // namespace

TEST(Sheet, OpensWithItsCaptionTabsInOrderAndOkCancelWithoutApply)
{
    CVextSheet sheet(kSheetCaption);
    AddSheetPages(sheet);
    EXPECT_EQ(sheet.GetTitle(), "Vext v1.0");
    EXPECT_EQ(sheet.GetParent(), nullptr);

    // Processor Information first, About last.
    EXPECT_EQ(TabCaptions(sheet), kTabOrder);
    EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 0);
    ASSERT_EQ(sheet.PageCount(), kPageClasses.size());
    for (size_t i = 0; i < sheet.PageCount(); ++i)
        EXPECT_EQ(wxString(sheet.Page(i)->GetClassInfo()->GetClassName()).utf8_string(), kPageClasses[i]);

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

TEST(Sheet, PagesAreDynamicallyCreatableByClassName)
{
    for (const std::string& name : kPageClasses) {
        std::unique_ptr<wxObject> object(wxCreateDynamicObject(name));
        ASSERT_NE(object, nullptr) << name;
        EXPECT_TRUE(object->IsKindOf(wxCLASSINFO(CTemplatePage))) << name;
        EXPECT_EQ(wxString(object->GetClassInfo()->GetClassName()).utf8_string(), name);
    }
    std::unique_ptr<wxObject> about(wxCreateDynamicObject("CAbout"));
    EXPECT_NE(wxDynamicCast(about.get(), CAbout), nullptr);
    EXPECT_EQ(static_cast<CTemplatePage*>(wxDynamicCast(about.get(), CAbout))->TemplateId(), 107);
    std::unique_ptr<wxObject> info(wxCreateDynamicObject("CSystemInfo"));
    ASSERT_NE(wxDynamicCast(info.get(), CSystemInfo), nullptr);
    EXPECT_EQ(static_cast<CTemplatePage*>(wxDynamicCast(info.get(), CSystemInfo))->TemplateId(), 130);
}

TEST(Sheet, CloseBoxEndsTheModalRun)
{
    CVextSheet sheet(kSheetCaption);
    sheet.AddPage(new CSystemInfo);
    sheet.AddPage(new CAbout);
    sheet.Prepare();
    ModalGuard guard(sheet);
    sheet.CallAfter([&] { SendCloseBox(sheet); });
    int result = sheet.ShowModal();
    EXPECT_FALSE(guard.fired) << "the close box did not end the sheet";
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_FALSE(sheet.IsModal());
}

TEST(Sheet, CloseBoxEndsTheModalRunAlsoWhenCancelIsDisabled)
{
    CVextSheet sheet(kSheetCaption);
    sheet.AddPage(new CAbout);
    sheet.Prepare();
    sheet.CancelToClose();
    ModalGuard guard(sheet);
    sheet.CallAfter([&] { SendCloseBox(sheet); });
    int result = sheet.ShowModal();
    EXPECT_FALSE(guard.fired) << "the close box did not end the sheet";
    EXPECT_NE(result, wxID_ABORT);
    EXPECT_FALSE(sheet.IsModal());
}

TEST(Sheet, CloseButtonEndsTheModalRun)
{
    CVextSheet sheet(kSheetCaption);
    sheet.AddPage(new CAbout);
    sheet.Prepare();
    sheet.CancelToClose();
    ModalGuard guard(sheet);
    sheet.CallAfter([&] {
        wxCommandEvent press(wxEVT_BUTTON, wxID_OK);
        press.SetEventObject(sheet.FindWindow(wxID_OK));
        sheet.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(press);
    });
    EXPECT_EQ(sheet.ShowModal(), wxID_OK);
    EXPECT_FALSE(guard.fired);
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
            wxSize best = label->GetBestSize();
            wxSize size = label->GetSize();
            EXPECT_GE(size.x, best.x) << page->Caption() << ": \"" << label->GetLabel() << "\"";
            EXPECT_GE(size.y, best.y) << page->Caption() << ": \"" << label->GetLabel() << "\"";
        }
    }
}
