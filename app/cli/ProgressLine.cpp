#include "app/cli/ProgressLine.h"

#include <unistd.h>

#include <cstdio>

namespace cli {

CProgressLine::CProgressLine() : terminal_(::isatty(STDERR_FILENO)) {}

void CProgressLine::Show(const std::string& text) const
{
    if (terminal_) std::fprintf(stderr, "\r\033[K%s", text.c_str());
}

}  // namespace cli
