#pragma once
// What the GUI tests share: a temporary folder, a click on a
// button, and what windows show, written out for the golden files: the texts of every control, and
// the pixels of a colour in regions of a painting.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/VextApp.h"
#include "app/VextSheet.h"
#include "widgets/BenchProgressDlg.h"
#include "pages/BenchPage.h"
#include "tests/support/FakeMachine.h"
#include "res/ControlIds.h"
#include "tests/support/Golden.h"
#include "tests/support/RecordingPrompt.h"
#include "tests/support/ReportTestSupport.h"

namespace guitest {

struct TempFolder : reporttest::TempDir {
    std::string File(const std::string& name) const { return (Path() / name).string(); }
};

inline std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

inline std::vector<widgets::CBenchProgressDlg*> ShownProgressDialogs()
{
    std::vector<widgets::CBenchProgressDlg*> shown;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* dialog = wxDynamicCast(w, widgets::CBenchProgressDlg); dialog && w->IsShown() && !w->IsBeingDeleted())
            shown.push_back(dialog);
    return shown;
}
inline int ShownProgressWindows() { return static_cast<int>(ShownProgressDialogs().size()); }

// What a click does: the button's own handler chain sees the event.
inline void Press(wxWindow* button)
{
    ASSERT_NE(nullptr, button);
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// What Escape does: the window's key hook sees it first.
inline void PressEscape(wxWindow& window)
{
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_ESCAPE;
    key.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(key);
}

// Answers every modal dialog through `answer` before it can wait for a person: an id ends the dialog at
// once; wxID_NONE lets it run, and whatever `answer` scheduled then has to end it.
class ModalScript : public wxModalDialogHook {
public:
    explicit ModalScript(std::function<int(wxDialog*)> answer) : answer_(std::move(answer)) { Register(); }
    ~ModalScript() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override { return answer_(dialog); }
    void Exit(wxDialog*) override {}

private:
    std::function<int(wxDialog*)> answer_;
};

// Every child of `parent` in tab order: id ("-" for none), class, whether it is disabled, its text and the
// classes of the windows it holds; a list adds its column titles and widths and one line per row.
inline std::string ControlTexts(const wxWindow& parent)
{
    std::ostringstream out;
    for (wxWindow* w : parent.GetChildren()) {
        out << (w->GetId() >= 0 ? std::to_string(w->GetId()) : "-") << ' ' << Utf8(w->GetClassInfo()->GetClassName())
            << (w->IsEnabled() ? "" : " disabled");
        if (auto* list = wxDynamicCast(w, wxListCtrl)) {
            for (int c = 0; c < list->GetColumnCount(); ++c) {
                wxListItem column;
                column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
                list->GetColumn(c, column);
                out << " [" << Utf8(column.GetText()) << ", " << list->GetColumnWidth(c)
                    << (column.GetAlign() == wxLIST_FORMAT_LEFT ? "" : ", not left") << ']';
            }
            for (long row = 0; row < list->GetItemCount(); ++row) {
                out << "\n  " << row << ':';
                for (int c = 0; c < list->GetColumnCount(); ++c) out << (c ? " | " : " ") << Utf8(list->GetItemText(row, c));
            }
        } else {
            out << " \"" << Utf8(w->GetLabel()) << '"';
            for (wxWindow* inner : w->GetChildren()) out << " holding " << Utf8(inner->GetClassInfo()->GetClassName());
        }
        out << '\n';
    }
    return out.str();
}

// What `paint` draws on a bitmap of `size` cleared to `background`.
inline wxImage Painted(wxSize size, const wxColour& background, const std::function<void(wxDC&)>& paint)
{
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(background));
        dc.Clear();
        paint(dc);
    }
    return bitmap.ConvertToImage();
}

// The regions of tests/data/NAME, one a line: "IMAGE X Y WIDTH HEIGHT COLOUR: PIXELS WHAT" (IMAGE an index
// into `images`, COLOUR black, red, blue, white, grey or dark). PIXELS is the expected count, or "+" for
// any number but 0; VEXT_UPDATE_GOLDEN=1 rewrites it from the pictures. Text is only ever "+" or 0: how
// many of its anti-aliased pixels reach a colour depends on the fonts and the rendering libraries, so
// a text is checked for being there, in its colour, with empty regions around it for its bounds.
inline void ExpectPixelCounts(const std::string& name, const std::vector<wxImage>& images)
{
    const std::map<std::string, wxColour> colours{{"black:", *wxBLACK}, {"red:", *wxRED},   {"blue:", *wxBLUE},
                                                  {"white:", *wxWHITE}, {"grey:", wxColour(128, 128, 128)}, {"dark:", wxColour()}};
    std::ifstream in(std::string(VEXT_TEST_DATA) + "/" + name);
    ASSERT_TRUE(in.is_open()) << name << " is missing";
    std::string counted;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        size_t index = images.size();
        int x0 = 0, y0 = 0, width = 0, height = 0, pixels = 0;
        std::string colour, expected;
        fields >> index >> x0 >> y0 >> width >> height >> colour;
        ASSERT_TRUE(index < images.size() && colours.count(colour)) << line;
        const wxImage& image = images[index];
        for (int y = y0; y < y0 + height; ++y)
            for (int x = x0; x < x0 + width; ++x) {
                const wxColour c(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
                pixels += colours.at(colour).IsOk() ? c == colours.at(colour) : c.Red() + c.Green() + c.Blue() < 3 * 80;
            }
        std::string what;
        std::getline(fields >> expected, what);  // past the expected count, which the actual one replaces
        const std::string actual = expected == "+" ? (pixels > 0 ? "+" : "0") : std::to_string(pixels);
        counted += line.substr(0, line.find(':') + 1) + ' ' + actual + what + '\n';
    }
    ExpectGolden(name, counted);
}

}  // namespace guitest
