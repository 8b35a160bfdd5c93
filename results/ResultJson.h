#pragma once
// vext-cli's JSON results read back, so that compare takes the JSON of a fleet's runs as it takes
// result files. The bytes come from anywhere: every fault is refused with its reason.
#include <optional>
#include <string>
#include <string_view>

#include "results/ResultSheet.h"

namespace results {

// {"kind", "system", "rows": [{"label", "text", "value", "unit", "lower_is_better"}], "run": {"label"}}
// as a sheet; other keys are ignored. Nothing, and in `error` the fault, when the bytes are not such
// an object.
std::optional<ResultSheet> ParseResultJson(std::string_view bytes, std::string& error);

// The bytes of the regular file at `path` (at most kMaxResultJsonBytes); nothing, with the error naming
// the file, when it cannot be read.
std::optional<std::string> ReadResultJsonFile(const std::string& path, std::string& error);

// Reads the regular file at `path` (at most kMaxResultJsonBytes) and parses it; the error names the file.
std::optional<ResultSheet> LoadResultJson(const std::string& path, std::string& error);

inline constexpr std::size_t kMaxResultJsonBytes = 16 << 20;

}  // namespace results
