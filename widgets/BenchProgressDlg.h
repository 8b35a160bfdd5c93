#pragma once
// The small window a benchmark run shows while it blocks the sheet, and the opening and closing
// sequences around every run of the three benchmark pages.
#include <wx/dialog.h>
#include <wx/weakref.h>

#include <memory>

#include "widgets/RunCursor.h"
#include "res/ControlIds.h"
#include "widgets/ProgressBar.h"

class wxPanel;
class wxWindowDisabler;

namespace widgets {

class CBusyInput;

// Built on template 132: three lines of text and the progress bar 1001. It has no caption, no system
// menu and no buttons, and the user cannot close it; the run destroys it.
class CBenchProgressDlg : public wxDialog {
public:
    static constexpr int kProgressId = res::IDC_PROGRESS_BAR;

    CBenchProgressDlg() = default;

    // Modeless creation from the template. With no owner the application's top window (the sheet)
    // owns it. Runs OnInitDialog before returning, so the window is centred and the bar set up.
    bool Create(wxWindow* owner = nullptr);

    // One step of the bar (33 by default): three advances stand at 99, never 100.
    void AdvanceProgress();
    void SetStep(int step) { step_ = step; }
    int Step() const { return step_; }
    int Position() const;

    CProgressBar* ProgressBar() const { return progress_; }
    // The sunken client-edge frame inside the window that holds the controls.
    wxPanel* ClientFrame() const { return frame_; }
    // How often the window's face has been painted; the opening sequence waits for the first paint.
    int PaintCount() const { return paints_; }

protected:
    virtual bool OnInitDialog();

private:
    CProgressBar* progress_ = nullptr;
    wxPanel* frame_ = nullptr;
    int step_ = 10;  // a progress bar's own default until OnInitDialog sets the run's step
    int paints_ = 0;

    wxDECLARE_DYNAMIC_CLASS(CBenchProgressDlg);
};

// One benchmark run of a page. Construction is the opening sequence: the progress window is created,
// shown and painted before the first kernel starts, `cursor` is set to wait, and every other window
// ignores the user's input until Close; input given meanwhile is
// dropped, never replayed after the run. Between kernels (never inside a timed region) the page calls
// ShowProgress so the rows it has written and the bar are painted at once. Close is the closing
// sequence, which gives the keyboard focus back to the control that held it as the run began; the destructor closes a run that was left without it (the save button then stays as it was).
class CBenchRun {
public:
    explicit CBenchRun(CRunCursor& cursor, wxWindow* owner = nullptr);
    ~CBenchRun();
    CBenchRun(const CBenchRun&) = delete;
    CBenchRun& operator=(const CBenchRun&) = delete;

    CBenchProgressDlg& Progress() { return *dialog_; }

    // Advances the bar one step and paints it.
    void AdvanceProgress();
    // Paints what changed since the last call without handling the user's input.
    void ShowProgress();
    // Destroys the progress window, sets the cross cursor and enables `saveButton` (may be null).
    void Close(wxWindow* saveButton);

private:
    CRunCursor& cursor_;
    std::unique_ptr<CBusyInput> busy_;
    CBenchProgressDlg* dialog_ = nullptr;
    std::unique_ptr<wxWindowDisabler> disabler_;
    // Disabling the sheet takes its focus away; without it back, Escape does nothing until Tab or a click.
    wxWeakRef<wxWindow> focus_;
};

}  // namespace widgets
