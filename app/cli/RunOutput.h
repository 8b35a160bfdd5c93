#pragma once
// What a command says of its run: its JSON; the --label that names the run;
// the note that its threads measure a control group's quota rather than the machine.
#include <cstddef>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "platform/Machine.h"

namespace cli {

// JsonText and a line end on standard output.
void PrintJson(const nlohmann::json& value);

// Says on standard error, as `command`, that a run on `threads` threads measures the quota the
// machine's control groups allow.
void NoteCpuQuota(const platform::Machine& machine, const std::string& command, std::size_t threads);

// The --label option of a command whose JSON carries the run; it needs `json`.
void AddLabelOption(CLI::App& command, std::optional<std::string>& label, CLI::Option* json);

}  // namespace cli
