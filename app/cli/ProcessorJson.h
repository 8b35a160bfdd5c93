#pragma once
// The processor as one JSON object, for `vext-cli processor --json` and the "processor" key of
// `vext-cli report --json`. Items the processor does not tell are null, and so is the measured clock
// when there is none (a recorded processor, or the report, whose own rows carry its clock).
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cpu/ModernProcessor.h"
#include "platform/TextEncoding.h"

nlohmann::json ProcessorJson(const cpu::ModernProcessor& processor, std::optional<int> measuredMHz = std::nullopt);

// Processor texts are 8-bit: read as the Processor Information page shows them.
using platform::Utf8OrLatin1;
