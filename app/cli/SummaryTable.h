#pragma once
// compare --summary as vext-cli prints it: a table, or one JSON object.
#include <string>
#include <vector>

#include "results/ResultSheet.h"

namespace cli {

// Prints the summary of `sheets` (as a table, or one JSON object); returns the exit status.
int PrintSummary(const std::vector<results::ResultSheet>& sheets, const std::vector<std::string>& paths, bool json);

}  // namespace cli
