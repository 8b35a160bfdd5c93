#pragma once
// The one line on standard error that says how far a run is, when standard error is a terminal: each
// step overwrites the last, and Clear leaves the line empty for the rows printed after it.
#include <string>

namespace cli {

class CProgressLine {
public:
    CProgressLine();
    bool OnTerminal() const { return terminal_; }
    void Show(const std::string& text) const;
    void Clear() const { Show(""); }

private:
    bool terminal_;
};

}  // namespace cli
