#include "pages/TemplatePage.h"

#include "app/VextSheet.h"
#include "pages/TemplateBuilder.h"

wxIMPLEMENT_ABSTRACT_CLASS(CTemplatePage, wxPanel);

bool CTemplatePage::CreatePage(wxWindow* parent)
{
    if (!Create(parent, wxID_ANY)) return false;
    wxWindow* top = wxGetTopLevelParent(parent);
    if (top && top->GetFont().IsOk()) SetFont(top->GetFont());
    SetMinSize(TemplatePixelSize(this, Template()));
    controls_ = BuildFromTemplate(this, Template());
    return true;
}

void CTemplatePage::Initialise()
{
    if (initialised_) return;
    initialised_ = true;
    OnInitDialog();
}

wxWindow* CTemplatePage::Control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void CTemplatePage::SetControlText(int id, const std::string& text)
{
    if (wxWindow* w = Control(id)) w->SetLabel(wxString::FromUTF8(text));
}

std::string CTemplatePage::ControlText(int id) const
{
    wxWindow* w = Control(id);
    return w ? std::string(w->GetLabel().utf8_str()) : std::string();
}

CVextSheet* CTemplatePage::Sheet() const { return wxDynamicCast(wxGetTopLevelParent(const_cast<CTemplatePage*>(this)), CVextSheet); }
