// vext-cli's JSON result readers on arbitrary bytes refuse with a reason or give what prints: a sheet,
// with the group of its run, or a processor's record as the inventory takes it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/ProcessorInventory.h"
#include "results/ResultJson.h"
#include "tests/fuzz/PrintableSheet.h"

using namespace results;

namespace {

void RequireTerminalSafe(const std::string& text)
{
    for (unsigned char c : TerminalText(text)) Require(c >= 0x20 && c != 0x7F);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (auto sheet = ParseResultJson(bytes, error)) {
        RequirePrintable(*sheet);
        RequireTerminalSafe(RunGroupText(sheet->group));
        JsonText(RunGroupJson(sheet->group));  // throws, and so aborts, on a text that is not UTF-8
    } else
        Require(!error.empty());
    std::string notProcessor;
    if (auto record = ParseProcessorJson(bytes, notProcessor)) {
        const std::vector<ProcessorRecord> records{*record, *record};
        JsonText(InventoryJson(TakeInventory(records), records, {"a", "b"}));
        RequireTerminalSafe(ProcessorText(record->processor));
    } else
        Require(!notProcessor.empty());
    return 0;
}
