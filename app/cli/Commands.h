#pragma once
// vext-cli: the headless companion of Vext. Each subcommand lives in its own file.
#include <string>
#include <vector>

// Each takes the arguments after its name and returns the exit status: 0 done, 2 bad usage or input.
int RunReportCommand(const std::vector<std::string>& args);
int RunBenchCommand(const std::vector<std::string>& args);
int RunShowCommand(const std::vector<std::string>& args);
int RunProcessorCommand(const std::vector<std::string>& args);
