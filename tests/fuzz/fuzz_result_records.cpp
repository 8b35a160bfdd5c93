// Every result-file decoder on arbitrary bytes: never reads outside the input, refuses input shorter
// than its record, and what it accepts encodes back to the same numbers and text. A record the
// plausibility check lets through prints as a run's results do, no cell longer than a list column holds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "files/ResultFiles.h"
#include "files/ResultPlausibility.h"
#include "bench/ResultTables.h"
#include "tests/fuzz/Require.h"

using namespace files;

using namespace bench;

namespace {

template <typename Loaded, std::size_t Size, typename Decode, typename Encode, typename Cells>
void Check(std::span<const uint8_t> input, Decode decode, Encode encode, Cells cells)
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
    if (ImplausibleValue(loaded->results)) return;
    for (const ResultCell& cell : cells(loaded->results)) Require(cell.text.size() <= 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::span<const uint8_t> input(data, size);
    Check<LoadedCpu, kCpuRecordSize>(input, DecodeCpuRecord, EncodeCpuRecord, CpuResultCells);
    Check<LoadedFpu, kFpuRecordSize>(input, DecodeFpuRecord, EncodeFpuRecord, FpuResultCells);
    Check<LoadedCache, kCacheRecordSize>(input, DecodeCacheRecord, EncodeCacheRecord, CacheResultCells);
    return 0;
}
