#pragma once
// Labels and texts without the blanks that line them up on a page or in a report.
#include <string>
#include <string_view>

namespace platform {

// The text without its leading and trailing blanks (spaces only: other bytes are the text's own).
std::string TrimBlanks(std::string_view text);

// The text without its trailing spaces: a printed row ends at its last character, not its last column.
std::string TrimTrailingBlanks(std::string_view text);

// The text without the white space around it (what isspace calls white space), as a value read from a
// file or the system.
std::string_view TrimWhiteSpace(std::string_view text);

// A page or report label as a bare name: line ends, blanks and a final colon go, so
// "\n   L1 Data Cache          : " and "   L1 Data Cache :" both give "L1 Data Cache".
std::string BareLabel(std::string_view label);

}  // namespace platform
