#pragma once
// A property page built from a dialog template. The sheet calls Initialise() when the page is first
// shown (the dialog-initialisation moment of the pages); OnInitDialog does the page's own filling.
#include <map>
#include <string>

#include "pages/SheetPage.h"
#include "res/DialogTemplate.h"

namespace pages {

class CTemplatePage : public CSheetPage {
public:
    explicit CTemplatePage(int templateId) : templateId_(templateId) {}

    const res::DialogTemplate& Template() const { return res::FindTemplate(templateId_); }
    wxString Caption() const override { return wxString::FromUTF8(Template().caption); }
    int TemplateId() const { return templateId_; }

    wxWindow* Control(int id) const;
    void SetControlText(int id, const std::string& text);
    std::string ControlText(int id) const;

    // Where the template's origin lies in the page: its content is centred in the page.
    wxPoint TemplateOffset() const { return offset_; }

protected:
    void BuildControls() override;

private:
    int templateId_;
    void OnSize(wxSizeEvent& event);

    wxSize templateSize_;
    wxPoint offset_;
    std::map<int, wxWindow*> controls_;

    wxDECLARE_ABSTRACT_CLASS(CTemplatePage);
};

}  // namespace pages
