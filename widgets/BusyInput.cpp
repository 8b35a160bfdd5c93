#include "widgets/BusyInput.h"

#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <set>

namespace widgets {

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

}  // namespace

class CBusyInput::DropInput : public wxEventFilter {
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

CBusyInput::CBusyInput() : filter_(std::make_unique<DropInput>())
{
    for (wxWindow* top : wxTopLevelWindows) filter_->windows.insert(top);
    wxEvtHandler::AddFilter(filter_.get());
}

CBusyInput::~CBusyInput()
{
    // What the display queued during the stretch arrives now and is dropped here. The display may
    // hand it over in several reads, so let it settle a few times; the wait is bounded.
    if (wxTheApp) {
        for (int round = 0; round < 5; ++round) {
            wxTheApp->Yield(true);
            wxMilliSleep(2);
        }
    }
    wxEvtHandler::RemoveFilter(filter_.get());
}

}  // namespace widgets
