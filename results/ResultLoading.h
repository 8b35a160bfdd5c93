#pragma once
// A result as compare and show take it: a page's result file or a JSON result of vext-cli, the kind
// told by the name.
#include <optional>
#include <string>

#include "results/ResultSheet.h"

namespace results {

// Reads a .cpu, .fpu or .cache file, the kind taken from the name's extension, or a .json result of
// vext-cli. Nothing, and in `error` why (naming the file), when the file is short, unreadable,
// malformed or of no known kind.
std::optional<ResultSheet> LoadResultSheet(const std::string& path, std::string& error);

}  // namespace results
