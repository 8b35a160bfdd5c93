#include "files/ResultFileDialogs.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "files/ResultPlausibility.h"
#include "platform/UserPrompt.h"

namespace {

bool SaveRecord(const ResultFileKind& kind, std::span<const uint8_t> record)
{
    const auto request = platform::FileDialogRequest::SaveAs(kind.filter, kind.name);
    std::optional<std::string> path = platform::Prompt().AskSavePath(request);
    if (!path) return false;
    ResultFileStatus status = WriteResultFile(*path, record);
    if (status == ResultFileStatus::Ok) return true;
    platform::Prompt().ShowMessage(ResultFileMessage(status), platform::MessageIcon::Stop);
    return false;
}

template <typename Loaded, std::size_t Size>
std::optional<Loaded> LoadRecord(const ResultFileKind& kind,
                                 std::optional<Loaded> (*decode)(std::span<const uint8_t>))
{
    const auto request = platform::FileDialogRequest::Open(kind.filter, kind.name);
    std::optional<std::string> path = platform::Prompt().AskOpenPath(request);
    if (!path) return std::nullopt;
    std::array<uint8_t, Size> bytes{};
    ResultFileStatus status = ReadResultFile(*path, bytes);
    std::optional<Loaded> loaded = decode(bytes);
    // Any file long enough decodes: one that no run could have written (a text file) is refused.
    if (status == ResultFileStatus::Ok && ImplausibleValue(loaded->results)) status = ResultFileStatus::Implausible;
    if (status != ResultFileStatus::Ok) {
        platform::Prompt().ShowMessage(ResultFileMessage(status), platform::MessageIcon::Stop);
        return std::nullopt;
    }
    return loaded;
}

}  // namespace

bool SaveCpuResults(std::string_view summary, const CpuResults& results)
{
    return SaveRecord(kCpuResultFile, EncodeCpuRecord(summary, results));
}

bool SaveFpuResults(std::string_view summary, const WhetstoneResults& results)
{
    return SaveRecord(kFpuResultFile, EncodeFpuRecord(summary, results));
}

bool SaveCacheResults(std::string_view summary, const CacheResults& results)
{
    return SaveRecord(kCacheResultFile, EncodeCacheRecord(summary, results));
}

std::optional<LoadedCpu> LoadCpuResults() { return LoadRecord<LoadedCpu, kCpuRecordSize>(kCpuResultFile, DecodeCpuRecord); }

std::optional<LoadedFpu> LoadFpuResults() { return LoadRecord<LoadedFpu, kFpuRecordSize>(kFpuResultFile, DecodeFpuRecord); }

std::optional<LoadedCache> LoadCacheResults()
{
    return LoadRecord<LoadedCache, kCacheRecordSize>(kCacheResultFile, DecodeCacheRecord);
}
