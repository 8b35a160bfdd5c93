#pragma once
// The run's progress bar, drawn by the program itself. GTK's own bar animates a change of position and
// only reaches it while the event loop runs; a benchmark holds the loop for up to a hundred seconds, so
// the bar stood near its old place for the whole FPU run. This one paints its exact position.
#include <wx/panel.h>

namespace widgets {

class CProgressBar : public wxPanel {
public:
    CProgressBar(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size);

    void SetRange(int range);
    int GetRange() const { return range_; }
    void SetValue(int value);
    int GetValue() const { return value_; }

    // Paints the bar as it stands onto `dc`, over a client area of `size`.
    void Draw(wxDC& dc, const wxSize& size) const;

private:
    int range_ = 100;
    int value_ = 0;
};

}  // namespace widgets
