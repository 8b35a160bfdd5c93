// vext-cli's JSON result reader on arbitrary bytes refuses with a reason or gives a sheet that prints.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "results/ResultJson.h"
#include "tests/fuzz/PrintableSheet.h"

using namespace results;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string error;
    if (auto sheet = ParseResultJson(std::string_view(reinterpret_cast<const char*>(data), size), error))
        RequirePrintable(*sheet);
    else
        Require(!error.empty());
    return 0;
}
