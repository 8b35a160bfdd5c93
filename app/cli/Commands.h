#pragma once
// vext-cli: the headless companion of Vext. Each command lives in its own file and registers its own
// options; the list of commands is kCommands in CliApp.cpp.
#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

// What a command leaves behind once its options are parsed: the work, returning the exit status.
using CommandRun = std::function<int()>;

// Each adds its subcommand to `cli`; when that subcommand is the one given, its callback sets `run`.
void AddReportCommand(CLI::App& cli, CommandRun& run);
void AddBenchCommand(CLI::App& cli, CommandRun& run);
// The memory measurements, under bench.
void AddLatencyCommand(CLI::App& bench, CommandRun& run);
void AddBandwidthCommand(CLI::App& bench, CommandRun& run);
void AddShowCommand(CLI::App& cli, CommandRun& run);
void AddCompareCommand(CLI::App& cli, CommandRun& run);
void AddProcessorCommand(CLI::App& cli, CommandRun& run);

// Runs vext-cli with the arguments after the program name; returns the exit status: 0 done, 2 bad
// usage or input.
int RunVextCli(const std::vector<std::string>& args);
