#pragma once
// The caches as the kernel describes them in sysfs, for processors whose CPUID does not.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// "32K", "8192K", "16M" or a plain number of bytes; empty for anything else.
std::optional<uint64_t> ParseCacheSizeText(std::string_view text);

// The largest size among DIR/index*/size; empty when there is none.
std::optional<uint64_t> LargestSysfsCacheBytes(const std::string& dir = "/sys/devices/system/cpu/cpu0/cache");

}  // namespace platform
