#pragma once
// The one modal property sheet that is the whole user interface.
#include <wx/bookctrl.h>
#include <wx/propdlg.h>

#include <vector>

#include "bench/BenchContext.h"
#include "widgets/RunCursor.h"
#include "pages/SheetButtons.h"
#include "widgets/UserPrompt.h"

class wxCommandEvent;
namespace pages {
class CSheetPage;
}

namespace app {

// Asked before the sheet closes while a page holds a run's results that have not been saved.
inline constexpr const char* kUnsavedRunQuestion = "The results of this run are not saved. Close Vext?";

class CVextSheet : public wxPropertySheetDialog, public pages::CSheetButtons {
public:
    // `caption` "Vext v1.0"; OK and Cancel, no Apply button. The sheet and its pages ask the user
    // through `prompt` and measure the machine of `context`; both outlive them.
    CVextSheet(const wxString& caption, widgets::CUserPrompt& prompt, const bench::Context& context, wxWindow* parent = nullptr);

    // Creates the page's window on the sheet and adds its tab, captioned by its template.
    void AddPage(pages::CSheetPage* page);
    // Sizes the sheet to its pages and initialises the selected page, as the sheet opens.
    void Prepare();

    void CancelToClose() override;

    pages::CSheetPage* Page(size_t index) const;
    // The cursor the runs of the sheet's pages leave.
    widgets::CRunCursor& Cursor() { return cursor_; }
    size_t PageCount() const;
    void SelectPage(size_t index);  // as a click on the tab does

private:
    void OnPageChanged(wxBookCtrlEvent& event);
    void OnClosingButton(wxCommandEvent& event);
    std::vector<pages::CSheetPage*> pages_;
    widgets::CUserPrompt& prompt_;
    const bench::Context& context_;
    widgets::CRunCursor cursor_;

    wxDECLARE_CLASS(CVextSheet);
};

}  // namespace app
