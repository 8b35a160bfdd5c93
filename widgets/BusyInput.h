#pragma once
// While the program is busy (a clock measurement, a benchmark run) it must not act on the user's
// input later: GTK queues the keys, clicks and close requests given meanwhile and would deliver them
// the moment the busy handler returns, so one Escape pressed during a run closed the sheet afterwards.
// A CBusyInput marks such a stretch. Input to the windows that were open when it began is thrown
// away, both what arrives while it lives and what is still queued when it ends. Windows opened during
// the stretch (a message box about a memory error) take their input as usual. Each guard has its own
// event filter, so guards may nest: input stays dropped until the last of them ends.
#include <memory>

namespace widgets {

class CBusyInput {
public:
    CBusyInput();
    ~CBusyInput();
    CBusyInput(const CBusyInput&) = delete;
    CBusyInput& operator=(const CBusyInput&) = delete;

private:
    class DropInput;
    std::unique_ptr<DropInput> filter_;
};

}  // namespace widgets
