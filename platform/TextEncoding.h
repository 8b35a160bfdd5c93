#pragma once
// Texts of 8 bits (a processor's brand string, a summary line saved on another machine) need not be
// UTF-8. Every place that shows or exports one reads it the same way.
#include <string>
#include <string_view>

namespace platform {

// Valid UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view bytes);

// `bytes` unchanged when they are valid UTF-8, otherwise every byte read as Latin-1 and encoded in UTF-8.
std::string Utf8OrLatin1(const std::string& bytes);

}  // namespace platform
