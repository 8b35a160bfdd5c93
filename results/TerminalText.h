#pragma once
// Texts that come from files (summary lines, brand strings) or from the command line hold whatever
// bytes they hold; a terminal would obey the control characters among them. These are shown as "\x1b".
#include <cstddef>
#include <string>

namespace results {

// `bytes` as UTF-8 (8-bit texts read as Latin-1), every control character, C0, DEL or C1, written as
// "\xNN"; line feeds are kept when `keepLineFeeds`.
std::string TerminalText(const std::string& bytes, bool keepLineFeeds = false);

// `text` (UTF-8) padded with blanks to `width` columns, a character to a column; a longer text is kept whole.
std::string PadColumns(std::string text, std::size_t width);

}  // namespace results
