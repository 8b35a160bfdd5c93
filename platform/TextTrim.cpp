#include "platform/TextTrim.h"

namespace platform {

namespace {

std::string_view Trim(std::string_view text, std::string_view blanks)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string TrimBlanks(std::string_view text) { return std::string(Trim(text, " ")); }

std::string TrimTrailingBlanks(std::string_view text) { return std::string(text.substr(0, text.find_last_not_of(' ') + 1)); }

std::string_view TrimWhiteSpace(std::string_view text) { return Trim(text, " \t\n\v\f\r"); }

std::string BareLabel(std::string_view label)
{
    std::string_view name = Trim(label, " \n");
    if (name.ends_with(':')) name = Trim(name.substr(0, name.size() - 1), " \n");
    return std::string(name);
}

}  // namespace platform
