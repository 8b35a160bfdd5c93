#include "results/TerminalText.h"

#include "platform/TextEncoding.h"
#include "platform/TextFormat.h"

namespace results {

std::string TerminalText(const std::string& bytes, bool keepLineFeeds)
{
    const std::string text = platform::Utf8OrLatin1(bytes);
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // C1 controls are U+0080 ... U+009F, in UTF-8 0xC2 followed by 0x80 ... 0x9F.
        const bool c1 = c == 0xC2 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
        if (c1)
            shown += platform::TextFormat("\\x%02x", static_cast<unsigned>(static_cast<unsigned char>(text[++i])));
        else if ((c < 0x20 && !(keepLineFeeds && c == '\n')) || c == 0x7F)
            shown += platform::TextFormat("\\x%02x", static_cast<unsigned>(c));
        else
            shown += static_cast<char>(c);
    }
    return shown;
}

std::string PadColumns(std::string text, std::size_t width)
{
    std::size_t shown = 0;
    for (char c : text) shown += !platform::IsUtf8Continuation(c);
    if (shown < width) text.append(width - shown, ' ');
    return text;
}

}  // namespace results
