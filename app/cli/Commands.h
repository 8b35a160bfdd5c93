#pragma once
// vext-cli: the headless companion of Vext. Each command lives in its own file and registers its own
// options; the list of commands is kCommands in CliApp.cpp.
#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "bench/BenchContext.h"

namespace cli {

// What a command leaves behind once its options are parsed: the work, returning the exit status.
using CommandRun = std::function<int()>;

// Each adds its subcommand to `cli`; when that subcommand is the one given, its callback sets `run`.
void AddReportCommand(CLI::App& cli, CommandRun& run, const bench::Context& context);
void AddBenchCommand(CLI::App& cli, CommandRun& run, const bench::Context& context);
// The memory measurements, under bench.
void AddLatencyCommand(CLI::App& benchCommand, CommandRun& run, const bench::Context& context);
void AddBandwidthCommand(CLI::App& benchCommand, CommandRun& run, const bench::Context& context);
void AddShowCommand(CLI::App& cli, CommandRun& run, const bench::Context& context);
void AddCompareCommand(CLI::App& cli, CommandRun& run, const bench::Context& context);
void AddProcessorCommand(CLI::App& cli, CommandRun& run, const bench::Context& context);

// Runs vext-cli with the arguments after the program name on the machine and suites of `context`;
// returns the exit status: 0 done, 2 bad usage or input.
int RunVextCli(const std::vector<std::string>& args, const bench::Context& context);

}  // namespace cli
