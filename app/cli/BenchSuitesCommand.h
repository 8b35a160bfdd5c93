#pragma once
// vext-cli bench fpu | bench cache: the FPU and Cache page runs on the terminal.
#include <string>
#include <vector>

// Each takes the arguments after the suite's name ([-o FILE]) and returns the exit status.
int RunFpuBenchCommand(const std::vector<std::string>& args);
int RunCacheBenchCommand(const std::vector<std::string>& args);
