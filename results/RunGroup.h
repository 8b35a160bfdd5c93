#pragma once
// What compare --summary groups a fleet's results by: the processor (vendor, family, model, stepping,
// brand) and Vext's version, as the run object of a JSON result states them. Results of different
// processors or versions measure different things: each group is summarised on its own.
#include <compare>
#include <string>

#include <nlohmann/json.hpp>

namespace results {

struct RunGroupKey {
    bool known = false;  // false: the result states no run (a .cpu, .fpu or .cache file)
    std::string vendor, family, model, stepping, brand, version;  // as the run writes them; "" when absent
    auto operator<=>(const RunGroupKey&) const = default;
};

// The key of a JSON result's "run" object; what is missing or not of its type counts as absent, so
// that a run written by an older version still groups.
RunGroupKey ReadRunGroup(const nlohmann::json& run);

// AuthenticAMD "AMD EPYC 7763", family 25, model 1, stepping 1; Vext 1.0 (texts as read: escape them
// before they reach a terminal).
std::string RunGroupText(const RunGroupKey& key);
// The same without the version.
std::string ProcessorText(const RunGroupKey& key);

// {"processor": {"vendor", "brand", "family", "model", "stepping"}, "vext_version"}; nulls when unknown.
nlohmann::json RunGroupJson(const RunGroupKey& key);

}  // namespace results
