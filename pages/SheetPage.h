#pragma once
// A page of the sheet: a panel the sheet creates on its book control, captions on its tab and fills
// when it is first shown. The design's pages are built from dialog templates (CTemplatePage); the
// pages Vext adds lay themselves out with sizers.
#include <wx/panel.h>
#include <wx/string.h>

#include "bench/BenchContext.h"
#include "widgets/UserPrompt.h"

namespace widgets {
class CRunCursor;
}

namespace pages {

class CSheetButtons;

class CSheetPage : public wxPanel {
public:
    // Creates the page window and its controls on `parent` (the sheet's book control). The page asks
    // the user through `prompt`, measures the machine of `context` and shows the run cursor through
    // `cursor`; all three outlive it.
    bool CreatePage(wxWindow* parent, widgets::CUserPrompt& prompt, const bench::Context& context, widgets::CRunCursor& cursor);

    // Runs OnInitDialog the first time only.
    void Initialise();

    // The text of the page's tab.
    virtual wxString Caption() const = 0;
    // The buttons of the sheet holding this page, or nullptr outside a sheet.
    CSheetButtons* Sheet() const;
    // Whether the page holds results of a run that have not been saved since: closing asks first.
    virtual bool HasUnsavedResults() const { return false; }

protected:
    // Makes the page's controls, once the page window exists.
    virtual void BuildControls() = 0;
    virtual bool OnInitDialog() { return true; }
    widgets::CUserPrompt& Prompt() const { return *prompt_; }
    const bench::Context& Context() const { return *context_; }
    widgets::CRunCursor& Cursor() const { return *cursor_; }

private:
    widgets::CUserPrompt* prompt_ = nullptr;
    const bench::Context* context_ = nullptr;
    widgets::CRunCursor* cursor_ = nullptr;
    bool initialised_ = false;

    wxDECLARE_ABSTRACT_CLASS(CSheetPage);
};

}  // namespace pages
