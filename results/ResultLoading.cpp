#include "results/ResultLoading.h"

#include <array>

#include "files/ResultFiles.h"
#include "files/ResultPlausibility.h"
#include "bench/ResultTables.h"
#include "results/ResultJson.h"

using namespace files;

using namespace bench;

namespace results {

namespace {

template <std::size_t Size, typename Decode, typename Make>
std::optional<ResultSheet> Load(const std::string& path, std::string& error, Decode decode, Make make)
{
    std::array<uint8_t, Size> bytes{};
    switch (ReadResultFile(path, bytes, &error)) {
    case ResultFileStatus::Ok: {
        auto loaded = decode(bytes);
        if (const std::optional<int> bad = ImplausibleValue(loaded->results)) {
            const std::size_t offset = kSummaryFieldSize + static_cast<std::size_t>(*bad) * (Size == kCpuRecordSize ? 4 : 8);
            error = "'" + path + "' holds a value that no benchmark run can produce (at byte " + std::to_string(offset) +
                    "): it is not a ." + ResultFileExtension(path) + " result file";
            return std::nullopt;
        }
        return make(loaded->summary, loaded->results);
    }
    case ResultFileStatus::TooShort:
        error = "'" + path + "' is too short for a ." + ResultFileExtension(path) + " result file (" + std::to_string(Size) +
                " bytes needed)";
        return std::nullopt;
    default: return std::nullopt;  // the reader said why
    }
}

}  // namespace

std::optional<ResultSheet> LoadResultSheet(const std::string& path, std::string& error)
{
    const std::string extension = ResultFileExtension(path);
    const ResultFileKind* kind = FindResultFileKind(extension);
    if (kind == &kCpuResultFile) return Load<kCpuRecordSize>(path, error, DecodeCpuRecord, CpuSheet);
    if (kind == &kFpuResultFile) return Load<kFpuRecordSize>(path, error, DecodeFpuRecord, FpuSheet);
    if (kind == &kCacheResultFile) return Load<kCacheRecordSize>(path, error, DecodeCacheRecord, CacheSheet);
    if (extension == "json") return LoadResultJson(path, error);
    error = "'" + path + "' is not a result file: the name must end in .cpu, .fpu, .cache or .json";
    return std::nullopt;
}

}  // namespace results
