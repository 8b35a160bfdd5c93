#pragma once
// The processor as `vext-cli processor` and the Processor Today page show it, from one source: the
// decoded CPUID, the machine's topology, the measured clock and the running clock; their lines (the
// terminal's list, the page's facts and its copied text) and their JSON (the command's, the page's file).
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cpu/ModernProcessor.h"
#include "cpu/ModernTopology.h"
#include "platform/Machine.h"

namespace results {

struct ProcessorToday {
    cpu::ModernProcessor processor;
    cpu::MachineTopology topology;
    std::optional<int> measuredMHz;    // the time-stamp counter's rate; empty for a recorded processor
    std::optional<double> runningMHz;  // beside a measured clock: empty when it could not be measured
    // A live hybrid processor's cores of each type run at their own clock: one per topology.coreTypes,
    // measured on the type's first processor.
    std::vector<std::optional<double>> coreTypeRunningMHz;
};

// Decodes the machine's processor and, unless its CPUID is recorded, measures both clocks (about a second).
ProcessorToday ReadProcessorToday(const platform::Machine& machine);

enum class FactKind { Identity, Topology, Cache, Features, Clock };

struct FactLine {
    std::string label;
    std::string value;  // the processor's own bytes, not yet escaped
    FactKind kind;
};

// The list's lines in order. The clocks that were not measured have a line ("N/A") only when
// `unmeasuredClocks` asks for them: the terminal's list of a recorded processor has none.
std::vector<FactLine> ProcessorLines(const ProcessorToday& today, bool unmeasuredClocks = false);

// "Label             : value\n" for each line, control characters escaped: what the terminal shows.
std::string ProcessorListText(const ProcessorToday& today);

// Each cache by the list's label: "L1 data".
std::string CacheLabel(const cpu::CacheLevel& cache);
// "4" for the machine's count, "4 per package" for CPUID's, "N/A".
std::string CacheCountText(const cpu::CacheCount& count);

// The object of `vext-cli processor --json`, with `run` (RunIdentity) as its "run".
nlohmann::json ProcessorTodayJson(const ProcessorToday& today, nlohmann::json run);

}  // namespace results
