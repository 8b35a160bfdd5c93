#pragma once
// Texts of 8 bits (a processor's brand string, a summary line saved on another machine) need not be
// UTF-8. Every place that shows or exports one reads it the same way.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Valid UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view bytes);

// A byte that continues a UTF-8 character rather than starting one: text is cut only before a byte
// that is not.
constexpr bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Where `text` may be cut to keep at most `length` bytes without splitting a character.
constexpr std::size_t Utf8CutPoint(std::string_view text, std::size_t length)
{
    if (length >= text.size()) return text.size();
    while (length > 0 && IsUtf8Continuation(text[length])) --length;
    return length;
}

// `bytes` unchanged when they are valid UTF-8, otherwise every byte read as Latin-1 and encoded in UTF-8.
std::string Utf8OrLatin1(const std::string& bytes);

}  // namespace platform
