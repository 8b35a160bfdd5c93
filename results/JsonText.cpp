#include "results/JsonText.h"

namespace results {

std::string JsonText(const nlohmann::json& value)
{
    // Outside strings JSON is plain ASCII, and in UTF-8 the byte 0xC2 only ever leads a character: the
    // bytes themselves tell where the controls are.
    const std::string dumped = value.dump(2);
    std::string text;
    text.reserve(dumped.size());
    for (std::size_t i = 0; i < dumped.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(dumped[i]);
        const unsigned char next = i + 1 < dumped.size() ? static_cast<unsigned char>(dumped[i + 1]) : 0;
        if (c == 0x7F) {
            text += "\\u007f";
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            static const char kHex[] = "0123456789abcdef";
            text += "\\u00", text += kHex[next >> 4], text += kHex[next & 0xF];
            ++i;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

}  // namespace results
