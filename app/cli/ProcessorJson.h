#pragma once
// The processor as one JSON object, for `vext-cli processor --json` and the "processor" key of
// `vext-cli report --json`. Items the processor does not tell are null.
#include <string>

#include <nlohmann/json.hpp>

#include "cpu/ModernProcessor.h"
#include "platform/TextEncoding.h"

nlohmann::json ProcessorJson(const cpu::ModernProcessor& processor);

// Processor texts are 8-bit: read as the Processor Information page shows them.
using platform::Utf8OrLatin1;
