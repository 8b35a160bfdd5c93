#pragma once
// A property page built from a dialog template. The sheet calls Initialise() when the page is first
// shown (the dialog-initialisation moment of the pages); OnInitDialog does the page's own filling.
#include <wx/panel.h>

#include <map>
#include <string>

#include "bench/BenchContext.h"
#include "res/DialogTemplate.h"
#include "widgets/UserPrompt.h"

namespace widgets {
class CRunCursor;
}

namespace pages {

class CSheetButtons;

class CTemplatePage : public wxPanel {
public:
    explicit CTemplatePage(int templateId) : templateId_(templateId) {}

    // Creates the page window and its controls on `parent` (the sheet's book control). The page asks
    // the user through `prompt`, measures the machine of `context` and shows the run cursor through
    // `cursor`; all three outlive it.
    bool CreatePage(wxWindow* parent, widgets::CUserPrompt& prompt, const bench::Context& context, widgets::CRunCursor& cursor);

    // Runs OnInitDialog the first time only.
    void Initialise();

    const res::DialogTemplate& Template() const { return res::FindTemplate(templateId_); }
    wxString Caption() const { return wxString::FromUTF8(Template().caption); }
    int TemplateId() const { return templateId_; }

    wxWindow* Control(int id) const;
    void SetControlText(int id, const std::string& text);
    std::string ControlText(int id) const;

    // Where the template's origin lies in the page: its content is centred in the page.
    wxPoint TemplateOffset() const { return offset_; }
    // The buttons of the sheet holding this page, or nullptr outside a sheet.
    CSheetButtons* Sheet() const;
    // Whether the page holds results of a run that have not been saved since: closing asks first.
    virtual bool HasUnsavedResults() const { return false; }

protected:
    virtual bool OnInitDialog() { return true; }
    widgets::CUserPrompt& Prompt() const { return *prompt_; }
    const bench::Context& Context() const { return *context_; }
    widgets::CRunCursor& Cursor() const { return *cursor_; }

private:
    int templateId_;
    widgets::CUserPrompt* prompt_ = nullptr;
    const bench::Context* context_ = nullptr;
    widgets::CRunCursor* cursor_ = nullptr;
    void OnSize(wxSizeEvent& event);

    bool initialised_ = false;
    wxSize templateSize_;
    wxPoint offset_;
    std::map<int, wxWindow*> controls_;

    wxDECLARE_ABSTRACT_CLASS(CTemplatePage);
};

}  // namespace pages
