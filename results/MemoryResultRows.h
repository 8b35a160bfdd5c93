#pragma once
// The JSON of bench latency and bench bandwidth keeps its figures by block and method rather than as
// the suites' labelled rows; compare reads them as such rows.
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "results/ResultSheet.h"

namespace results {

// latency: "4 Kb block" per block, then a row per level ("L1", ..., "memory"), in ns. bandwidth: "read,
// 16 Kb block" per block and method, then "memory read, 1 thread" and ", all threads", in GB/s.
// Nothing, and the fault in `error`, when a figure is missing or of the wrong type.
std::optional<std::vector<ResultRow>> MemoryResultRows(const nlohmann::json& result, std::string& error);

}  // namespace results
