#include "pages/TemplatePage.h"

#include <algorithm>

#include "widgets/DisplayText.h"
#include "widgets/TemplateBuilder.h"

namespace pages {

using namespace widgets;

wxIMPLEMENT_ABSTRACT_CLASS(CTemplatePage, CSheetPage);

void CTemplatePage::BuildControls()
{
    templateSize_ = TemplatePixelSize(this, Template());
    SetMinSize(templateSize_);
    controls_ = BuildFromTemplate(this, Template());
    Bind(wxEVT_SIZE, &CTemplatePage::OnSize, this);
}

void CTemplatePage::OnSize(wxSizeEvent& event)
{
    event.Skip();
    // The sheet is wider than the templates so that all six tabs fit: the template's content moves as
    // one block to the middle of the page, each control keeping its place within it.
    const wxSize free = GetClientSize() - templateSize_;
    const wxPoint offset(std::max(0, free.x / 2), std::max(0, free.y / 2));
    if (offset == offset_) return;
    const wxPoint shift = offset - offset_;
    for (wxWindow* child : GetChildren()) child->Move(child->GetPosition() + shift);
    offset_ = offset;
    Refresh();
}

wxWindow* CTemplatePage::Control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void CTemplatePage::SetControlText(int id, const std::string& text)
{
    if (wxWindow* w = Control(id)) w->SetLabel(DisplayText(text));
}

std::string CTemplatePage::ControlText(int id) const
{
    wxWindow* w = Control(id);
    return w ? std::string(w->GetLabel().utf8_str()) : std::string();
}

}  // namespace pages
