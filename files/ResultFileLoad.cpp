#include "files/ResultFileLoad.h"

#include <array>
#include <cstdint>
#include <span>

#include "files/ResultPlausibility.h"

namespace files {

namespace {

template <typename Loaded, std::size_t Size>
ResultFileLoad<Loaded> LoadRecord(const std::string& path, std::optional<Loaded> (*decode)(std::span<const uint8_t>))
{
    std::array<uint8_t, Size> bytes{};
    ResultFileLoad<Loaded> load{ReadResultFile(path, bytes), decode(bytes)};
    // Any file long enough decodes: one that no run could have written (a text file) is refused.
    if (load.status == ResultFileStatus::Ok && ImplausibleValue(load.loaded->results)) load.status = ResultFileStatus::Implausible;
    if (load.status != ResultFileStatus::Ok) load.loaded.reset();
    return load;
}

}  // namespace

ResultFileLoad<LoadedCpu> LoadCpuFile(const std::string& path) { return LoadRecord<LoadedCpu, kCpuRecordSize>(path, DecodeCpuRecord); }

ResultFileLoad<LoadedFpu> LoadFpuFile(const std::string& path) { return LoadRecord<LoadedFpu, kFpuRecordSize>(path, DecodeFpuRecord); }

ResultFileLoad<LoadedCache> LoadCacheFile(const std::string& path)
{
    return LoadRecord<LoadedCache, kCacheRecordSize>(path, DecodeCacheRecord);
}

}  // namespace files
