#include "widgets/RunCursor.h"

#include <wx/app.h>
#include <wx/cursor.h>
#include <wx/event.h>
#include <wx/eventfilter.h>
#include <wx/utils.h>

namespace widgets {

// After a run the cross cursor stays until the mouse moves; then the window under the pointer shows
// its own cursor again. The filter watches for that first movement. It is an event handler too: its
// removal waits until the filter list is no longer being walked, and a removal still waiting when the
// owner goes is dropped with it.
class CRunCursor::MotionWatch : public wxEventFilter, public wxEvtHandler {
public:
    explicit MotionWatch(CRunCursor& owner) : owner_(owner) {}

    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_MOTION && owner_.Current() == RunCursor::Cross) owner_.Release();
        return Event_Skip;
    }

private:
    CRunCursor& owner_;
};

CRunCursor::CRunCursor() : watch_(std::make_unique<MotionWatch>(*this)) {}

CRunCursor::~CRunCursor()
{
    if (watching_) wxEvtHandler::RemoveFilter(watch_.get());
}

void CRunCursor::Set(RunCursor cursor)
{
    current_ = cursor;
    switch (cursor) {
    case RunCursor::Wait:
        wxSetCursor(wxCursor(wxCURSOR_WAIT));
        break;
    case RunCursor::Cross:
        wxSetCursor(wxCursor(wxCURSOR_CROSS));
        if (!watching_) wxEvtHandler::AddFilter(watch_.get());
        watching_ = true;
        break;
    case RunCursor::Normal:
        wxSetCursor(wxNullCursor);
        break;
    }
}

void CRunCursor::Release()
{
    if (current_ != RunCursor::Normal) Set(RunCursor::Normal);
    if (watching_ && wxTheApp) {
        // Not from inside the filter's own call: the filter list is being walked then.
        watch_->CallAfter([this] {
            if (watching_ && current_ != RunCursor::Cross) {
                wxEvtHandler::RemoveFilter(watch_.get());
                watching_ = false;  // added again at the next cross cursor
            }
        });
    }
}

}  // namespace widgets
