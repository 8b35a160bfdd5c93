#pragma once
// The mouse cursor as a benchmark run leaves it: the wait cursor during the run, the cross cursor
// after it until the mouse next moves, then each window's own cursor again. The sheet owns one and
// hands it to its pages; each run of a page sets it (CBenchRun).
#include <memory>

namespace widgets {

enum class RunCursor { Normal, Wait, Cross };

class CRunCursor {
public:
    CRunCursor();
    ~CRunCursor();
    CRunCursor(const CRunCursor&) = delete;
    CRunCursor& operator=(const CRunCursor&) = delete;

    RunCursor Current() const { return current_; }
    // Shows `cursor` over every window; the cross cursor waits for the mouse's next movement.
    void Set(RunCursor cursor);
    // Gives the windows their own cursors back at once (as the next mouse movement does).
    void Release();

private:
    class MotionWatch;
    std::unique_ptr<MotionWatch> watch_;
    bool watching_ = false;  // whether watch_ is among the application's event filters
    RunCursor current_ = RunCursor::Normal;
};

}  // namespace widgets
