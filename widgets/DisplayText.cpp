#include "widgets/DisplayText.h"

#include "platform/TextEncoding.h"

namespace widgets {

wxString DisplayText(const std::string& bytes) { return wxString::FromUTF8(platform::Utf8OrLatin1(bytes)); }

}  // namespace widgets
