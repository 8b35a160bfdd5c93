#pragma once
// The processor as one JSON object, for `vext-cli processor --json` and the "processor" key of
// `vext-cli report --json`. Items the processor does not tell are null.
#include <string>

#include <nlohmann/json.hpp>

#include "cpu/ModernProcessor.h"

nlohmann::json ProcessorJson(const cpu::ModernProcessor& processor);

// Processor texts are 8-bit: kept when they are UTF-8 already, otherwise read as Latin-1, as the
// Processor Information page shows them.
std::string Utf8OrLatin1(const std::string& bytes);
