#include "platform/SysfsCache.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {

std::optional<uint64_t> ParseCacheSizeText(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end == text.data()) return std::nullopt;
    const std::string_view unit(end, text.data() + text.size() - end);
    const int shift = unit.empty() ? 0 : unit == "K" ? 10 : unit == "M" ? 20 : unit == "G" ? 30 : -1;
    if (shift < 0 || value > (UINT64_MAX >> shift)) return std::nullopt;
    return value << shift;
}

std::optional<uint64_t> LargestSysfsCacheBytes(const std::string& dir)
{
    std::optional<uint64_t> largest;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.path().filename().string().rfind("index", 0) != 0) continue;
        std::ifstream file(entry.path() / "size");
        std::string text;
        if (!std::getline(file, text)) continue;
        const auto bytes = ParseCacheSizeText(text);
        if (bytes && (!largest || *bytes > *largest)) largest = bytes;
    }
    return largest;
}

}  // namespace platform
