#include "widgets/BusyInput.h"

#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <set>

namespace {

bool IsUserInput(wxEventType type)
{
    static const wxEventType kInput[] = {
        wxEVT_KEY_DOWN,     wxEVT_KEY_UP,       wxEVT_CHAR,          wxEVT_CHAR_HOOK,   wxEVT_LEFT_DOWN,
        wxEVT_LEFT_UP,      wxEVT_LEFT_DCLICK,  wxEVT_MIDDLE_DOWN,   wxEVT_MIDDLE_UP,   wxEVT_MIDDLE_DCLICK,
        wxEVT_RIGHT_DOWN,   wxEVT_RIGHT_UP,     wxEVT_RIGHT_DCLICK,  wxEVT_AUX1_DOWN,   wxEVT_AUX1_UP,
        wxEVT_AUX2_DOWN,    wxEVT_AUX2_UP,      wxEVT_MOUSEWHEEL,    wxEVT_CLOSE_WINDOW,
    };
    for (wxEventType t : kInput)
        if (type == t) return true;
    return false;
}

class DropInput : public wxEventFilter {
public:
    std::set<wxWindow*> windows;  // the top-level windows open when the busy stretch began

    int FilterEvent(wxEvent& event) override
    {
        if (!IsUserInput(event.GetEventType())) return Event_Skip;
        auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
        if (!window) return Event_Skip;
        wxWindow* top = wxGetTopLevelParent(window);
        // Processed: GTK then does not go on with its own handling of the key or click either.
        return windows.count(top ? top : window) ? Event_Processed : Event_Skip;
    }
};

DropInput* g_filter = nullptr;
int g_depth = 0;

}  // namespace


CBusyInput::CBusyInput()
{
    if (g_depth++ > 0) return;
    g_filter = new DropInput;
    for (wxWindow* top : wxTopLevelWindows) g_filter->windows.insert(top);
    wxEvtHandler::AddFilter(g_filter);
}

CBusyInput::~CBusyInput()
{
    if (--g_depth > 0) return;
    // What the display queued during the stretch arrives now and is dropped here. The display may
    // hand it over in several reads, so let it settle a few times; the wait is bounded.
    if (wxTheApp) {
        for (int round = 0; round < 5; ++round) {
            wxTheApp->Yield(true);
            wxMilliSleep(2);
        }
    }
    wxEvtHandler::RemoveFilter(g_filter);
    delete g_filter;
    g_filter = nullptr;
}
