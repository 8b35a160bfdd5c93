#pragma once
// What the vext-cli commands share: their error line, a check of file names, the recorded CPUID of
// --cpuid, and the failures of a benchmark run.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "bench/BenchFailure.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"
#include "results/TerminalText.h"

// Prints "vext-cli COMMAND: MESSAGE" to standard error and returns the bad-usage status. Messages
// quote file names and arguments: their control characters are shown, never sent.
inline int FailCommand(const char* command, const std::string& message)
{
    std::fprintf(stderr, "vext-cli %s: %s\n", command, results::TerminalText(message).c_str());
    return 2;
}

// While it lives, the dump of --cpuid answers every CPUID instruction. Throws CpuidDumpError saying
// why the dump cannot be used.
class CRecordedCpuid {
public:
    explicit CRecordedCpuid(const std::string& path)
        : dump_(platform::LoadCpuidDump(path)),
          scope_([this](uint32_t leaf, uint32_t subleaf) { return dump_.Query(leaf, subleaf); })
    {
    }

private:
    platform::CpuidDump dump_;
    platform::ScopedCpuid scope_;
};

// Installs the dump of --cpuid DUMP when one is given; false, the failure told for `command`, when
// it cannot be used.
inline bool UseRecordedCpuid(const char* command, const std::optional<std::string>& path,
                             std::optional<CRecordedCpuid>& recorded)
{
    try {
        if (path) recorded.emplace(*path);
        return true;
    } catch (const platform::CpuidDumpError& e) {
        FailCommand(command, std::string("cannot use the CPUID dump: ") + e.what());
        return false;
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
class RunFailures {
public:
    OnBenchFailure Printer()
    {
        return [this](BenchFailure failure) {
            std::fprintf(stderr, "%s\n", results::TerminalText(BenchFailureMessage(failure)).c_str());
            failures_.push_back(failure);
        };
    }
    bool Any() const { return !failures_.empty(); }

private:
    std::vector<BenchFailure> failures_;
};

