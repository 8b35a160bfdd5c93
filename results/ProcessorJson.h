#pragma once
// The processor as one JSON object, for `vext-cli processor --json` and the "processor" key of
// `vext-cli report --json`. Items the processor does not tell are null, and so is the measured clock
// when there is none (a recorded processor, or the report, whose own rows carry its clock).
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cpu/ModernProcessor.h"

namespace results {

nlohmann::json ProcessorJson(const cpu::ModernProcessor& processor, std::optional<int> measuredMHz = std::nullopt);

}  // namespace results
