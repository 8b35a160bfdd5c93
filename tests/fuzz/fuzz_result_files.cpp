// Every result-file decoder on arbitrary bytes: never reads outside the input, refuses input shorter
// than its record, and what it accepts encodes back to the same numbers and text. The JSON reader on
// the same bytes refuses with a reason or gives a sheet that prints.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "app/cli/JsonText.h"
#include "app/cli/ResultJson.h"
#include "app/cli/ResultSheet.h"
#include "app/cli/TerminalText.h"

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

template <typename Loaded, std::size_t Size, typename Decode, typename Encode>
void Check(std::span<const uint8_t> input, Decode decode, Encode encode)
{
    std::optional<Loaded> loaded = decode(input);
    Require(loaded.has_value() == (input.size() >= Size));
    if (!loaded) return;
    Require(loaded->summary.size() <= kSummaryMaxLength);
    Require(loaded->summary.find('\0') == std::string::npos);
    auto again = encode(loaded->summary, loaded->results);
    // The text up to its end and every number come back byte for byte; after the text only zeros.
    std::size_t n = loaded->summary.size();
    Require(std::memcmp(again.data(), input.data(), n) == 0);
    for (std::size_t i = n; i < kSummaryFieldSize; ++i) Require(again[i] == 0);
    Require(std::memcmp(again.data() + kSummaryFieldSize, input.data() + kSummaryFieldSize, Size - kSummaryFieldSize) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::span<const uint8_t> input(data, size);
    Check<LoadedCpu, kCpuRecordSize>(input, DecodeCpuRecord, EncodeCpuRecord);
    Check<LoadedFpu, kFpuRecordSize>(input, DecodeFpuRecord, EncodeFpuRecord);
    Check<LoadedCache, kCacheRecordSize>(input, DecodeCacheRecord, EncodeCacheRecord);

    // What vext-cli prints of whatever was loaded formats without fault (NaN, infinities, huge values):
    // the JSON is valid UTF-8 without DEL or C1 controls, and the terminal text holds no control character.
    std::vector<ResultSheet> sheets;
    if (auto cpu = DecodeCpuRecord(input)) sheets.push_back(CpuSheet(cpu->summary, cpu->results));
    if (auto fpu = DecodeFpuRecord(input)) sheets.push_back(FpuSheet(fpu->summary, fpu->results));
    if (auto cache = DecodeCacheRecord(input)) sheets.push_back(CacheSheet(cache->summary, cache->results));
    std::string error;
    if (auto json = ParseResultJson(std::string_view(reinterpret_cast<const char*>(data), size), error))
        sheets.push_back(*json);
    else
        Require(!error.empty());
    for (const ResultSheet& sheet : sheets) {
        const std::string json = JsonText(SheetJson(sheet));  // throws, and so aborts, on a text that is not UTF-8
        for (std::size_t i = 0; i + 1 < json.size(); ++i)
            Require(json[i] != '\x7f' && !(json[i] == '\xc2' && (json[i + 1] & 0xE0) == 0x80));
        for (unsigned char c : TerminalText(sheet.summary)) Require(c >= 0x20 && c != 0x7F);
        for (const ResultRow& row : sheet.rows)
            for (unsigned char c : RowLabel(sheet, row) + TerminalText(row.text)) Require(c >= 0x20 && c != 0x7F);
    }
    return 0;
}
