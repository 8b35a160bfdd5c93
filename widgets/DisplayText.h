#pragma once
#include <wx/string.h>

#include <string>

namespace widgets {

// An 8-bit text as a control shows it: UTF-8 when it is, otherwise Latin-1 (a brand string holds
// whatever bytes the processor has; a file saved on another machine holds that machine's code page).
wxString DisplayText(const std::string& bytes);

}  // namespace widgets
