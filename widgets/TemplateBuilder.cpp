#include "widgets/TemplateBuilder.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "widgets/AppIcon.h"
#include "widgets/ProgressBar.h"
#include "widgets/ValueBox.h"

namespace widgets {

using res::ControlKind;

namespace {

long TextAlignment(uint32_t style)
{
    if (style & res::kCentre) return wxALIGN_CENTRE_HORIZONTAL;
    if (style & res::kRight) return wxALIGN_RIGHT;
    return wxALIGN_LEFT;
}

wxWindowID WxId(int id) { return id == res::kNoId ? wxID_ANY : id; }

}  // namespace

wxSize TemplatePixelSize(wxWindow* window, const res::DialogTemplate& t)
{
    return window->ConvertDialogToPixels(wxSize(t.width, t.height));
}

std::map<int, wxWindow*> BuildFromTemplate(wxWindow* parent, const res::DialogTemplate& t)
{
    std::map<int, wxWindow*> byId;
    for (const res::ControlTemplate& c : t.controls) {
        wxPoint pos = parent->ConvertDialogToPixels(wxPoint(c.x, c.y));
        wxSize size = parent->ConvertDialogToPixels(wxSize(c.width, c.height));
        wxWindow* w = nullptr;
        switch (c.kind) {
        case ControlKind::Label: {
            auto* label = new wxStaticText(parent, WxId(c.id), wxString::FromUTF8(c.text), pos, size,
                                           TextAlignment(c.style) | wxST_NO_AUTORESIZE);
            wxSize best = label->GetBestSize();
            label->SetSize(wxSize(std::max(size.x, best.x), std::max(size.y, best.y)));
            w = label;
            break;
        }
        case ControlKind::ValueBox:
            w = new CValueBox(parent, WxId(c.id), pos, size, TextAlignment(c.style));
            break;
        case ControlKind::Button:
        case ControlKind::DefButton: {
            auto* button = new wxButton(parent, WxId(c.id), wxString::FromUTF8(c.text), pos, size);
            if (c.kind == ControlKind::DefButton) button->SetDefault();
            w = button;
            break;
        }
        case ControlKind::ListView: {
            long style = wxLC_REPORT | wxBORDER_SUNKEN;
            if (c.style & res::kSingleSel) style |= wxLC_SINGLE_SEL;
            w = new wxListCtrl(parent, WxId(c.id), pos, size, style);
            break;
        }
        case ControlKind::ProgressBar:
            // Always the smooth, continuous bar.
            w = new CProgressBar(parent, WxId(c.id), pos, size);
            break;
        case ControlKind::Icon: {
            auto* frame = new wxPanel(parent, WxId(c.id), pos, size, wxBORDER_SUNKEN);
            auto* bitmap = new wxStaticBitmap(frame, wxID_ANY, AppIconBitmap());
            auto* sizer = new wxBoxSizer(wxVERTICAL);
            sizer->Add(bitmap, 1, wxALIGN_CENTRE);
            frame->SetSizer(sizer);
            frame->Layout();
            w = frame;
            break;
        }
        case ControlKind::EtchedLine:
            w = new wxStaticLine(parent, WxId(c.id), pos, wxSize(size.x, -1), wxLI_HORIZONTAL);
            break;
        case ControlKind::GroupBox:
            w = new wxStaticBox(parent, WxId(c.id), wxString::FromUTF8(c.text), pos, size);
            break;
        }
        if (c.style & res::kDisabled) w->Disable();
        if (c.id != res::kNoId) byId[c.id] = w;
    }
    return byId;
}

}  // namespace widgets
