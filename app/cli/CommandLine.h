#pragma once
// What the vext-cli commands share: their error line, a check of file names, the machine of --cpuid,
// and the failures of a benchmark run.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "bench/BenchFailure.h"
#include "cpu/RecordedCpuid.h"
#include "platform/CpuidDump.h"
#include "platform/Machine.h"
#include "results/TerminalText.h"

namespace cli {

// Prints "vext-cli COMMAND: MESSAGE" to standard error and returns the bad-usage status. Messages
// quote file names and arguments: their control characters are shown, never sent.
inline int FailCommand(const char* command, const std::string& message)
{
    std::fprintf(stderr, "vext-cli %s: %s\n", command, results::TerminalText(message).c_str());
    return 2;
}

// The machine a command asks: the context's, or with --cpuid DUMP a copy of it whose CPUID answers
// from the dump. Empty, the failure told for `command`, when the dump cannot be used.
inline std::optional<platform::Machine> CommandMachine(const char* command, const platform::Machine& machine,
                                                       const std::optional<std::string>& dumpPath)
{
    if (!dumpPath) return machine;
    try {
        return cpu::WithRecordedCpuid(machine, platform::LoadCpuidDump(*dumpPath));
    } catch (const platform::CCpuidDumpError& e) {
        FailCommand(command, std::string("cannot use the CPUID dump: ") + e.what());
        return std::nullopt;
    }
}

// Whether a bench run prints its rows as each is measured, as the page fills its list, or prints
// nothing until the end (--json prints the whole run as one document then).
enum class RowPrinting { AsMeasured, AtTheEnd };
inline RowPrinting RowPrintingFor(bool json) { return json ? RowPrinting::AtTheEnd : RowPrinting::AsMeasured; }

// --threads N|all: "all", or N from 1 to kMostThreads written in decimal digits alone (no sign, blank
// or other base), so that what is run is what was typed.
constexpr int kMostThreads = 4096;
inline const CLI::Validator kThreadCount(
    [](std::string& value) {
        // Nine digits at most, so that the number fits an int whatever it is.
        const bool digits = !value.empty() && value.size() <= 9 && value.find_first_not_of("0123456789") == std::string::npos;
        if (value == "all" || (digits && std::stoi(value) >= 1 && std::stoi(value) <= kMostThreads)) return std::string();
        return "a number of threads from 1 to " + std::to_string(kMostThreads) + ", or all";
    },
    "");

// Refuses an empty value ("-o ''", "--output="): a file name is needed.
inline const CLI::Validator kNotEmpty(
    [](std::string& value) { return value.empty() ? std::string("a file name is needed") : std::string(); }, "");

// The failures of a benchmark run: each is printed on standard error with the text of the page's
// message box ("Calculation Error !") the moment the run hands it on, and kept, so that a run that had
// one does not end as a success. Runs hand their failures on from the thread that started them.
class CRunFailures {
public:
    bench::OnBenchFailure Printer()
    {
        return [this](bench::BenchFailure failure) {
            std::fprintf(stderr, "%s\n", results::TerminalText(BenchFailureMessage(failure)).c_str());
            failures_.push_back(failure);
        };
    }
    bool Any() const { return !failures_.empty(); }

private:
    std::vector<bench::BenchFailure> failures_;
};

}  // namespace cli
