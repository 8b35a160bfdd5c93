#pragma once
// compare --summary of `processor --json` results: a fleet's inventory, how many nodes have each
// processor and which feature flags some nodes have and others lack.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "results/RunGroup.h"

namespace results {

// What the inventory reads of one node's processor JSON.
struct ProcessorRecord {
    RunGroupKey processor;  // known, without a version: the processor's own fields
    std::vector<std::string> flags;
    std::string label;  // the run's --label
};

// The bytes as `processor --json` writes them ({"vendor", "brand", "family", "model", "stepping",
// "features": [...], "run": {"label"}}); nothing, with the fault in `error`, for anything else.
std::optional<ProcessorRecord> ParseProcessorJson(std::string_view bytes, std::string& error);

struct InventoryProcessor {
    RunGroupKey processor;
    std::vector<std::size_t> nodes;  // indices into the records
};
struct InventoryFlag {
    std::string flag;
    std::vector<std::size_t> nodes;  // the nodes that state it
};
struct Inventory {
    std::vector<InventoryProcessor> processors;  // in the order they first appear
    std::vector<InventoryFlag> differing;  // flags some nodes lack, by name
    bool Uniform() const { return processors.size() <= 1 && differing.empty(); }
};
Inventory TakeInventory(const std::vector<ProcessorRecord>& records);

// {"kind": "processor", "files": [{"file", "label"}], "processors": [{..., "count", "files"}],
// "differing_flags": [{"flag", "count", "files"}]}; files by name.
nlohmann::json InventoryJson(const Inventory& inventory, const std::vector<ProcessorRecord>& records,
                             const std::vector<std::string>& paths);

}  // namespace results
