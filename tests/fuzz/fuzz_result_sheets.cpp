// A result file as vext-cli shows it: the bytes are read as the largest record they fill (a saved
// .cpu file is 160 bytes, .fpu 308, .cache 316), and the sheet of what was read prints cleanly.
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/ResultFiles.h"
#include "tests/fuzz/PrintableSheet.h"

using namespace files;

using namespace results;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::span<const uint8_t> input(data, size);
    if (size >= kCacheRecordSize) {
        auto cache = DecodeCacheRecord(input);
        RequirePrintable(CacheSheet(cache->summary, cache->results));
    } else if (size >= kFpuRecordSize) {
        auto fpu = DecodeFpuRecord(input);
        RequirePrintable(FpuSheet(fpu->summary, fpu->results));
    } else if (auto cpu = DecodeCpuRecord(input)) {
        RequirePrintable(CpuSheet(cpu->summary, cpu->results));
    }
    return 0;
}
