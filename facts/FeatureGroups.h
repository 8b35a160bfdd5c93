#pragma once
// What each feature flag is for: its group and a one-line description, by the name /proc/cpuinfo
// gives it. A name the table does not know goes to the Other group, without a description.
#include <string>
#include <string_view>
#include <vector>

namespace facts {

enum class FeatureGroup {
    Instructions,   // general-purpose instructions
    Vectors,        // floating point and SIMD
    Cryptography,   // ciphers, hashes, random numbers
    Security,
    Virtualisation,
    Memory,         // memory, paging and caches
    PowerTiming,
    Monitoring,     // debugging, performance counters, machine checks
    System,         // what the operating system uses
    Other,
};

// "Instruction sets", "Vector and floating point", ...
const char* FeatureGroupName(FeatureGroup group);

struct FeatureInfo {
    FeatureGroup group = FeatureGroup::Other;
    std::string_view description;  // empty for an unknown name
};

FeatureInfo DescribeFeature(std::string_view name);

struct DescribedFeature {
    std::string name;
    FeatureGroup group;
    std::string_view description;
};

// `names` by group, in the groups' order, each group in the order of `names`.
std::vector<DescribedFeature> GroupFeatures(const std::vector<std::string>& names);

}  // namespace facts
