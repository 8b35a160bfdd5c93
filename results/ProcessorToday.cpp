#include "results/ProcessorToday.h"

#include <cctype>
#include <cmath>

#include "bench/RunningClock.h"
#include "cpu/Clock.h"
#include "platform/TextFormat.h"
#include "results/ProcessorJson.h"
#include "results/TerminalText.h"

namespace results {

namespace {

template <typename T>
std::string Number(const std::optional<T>& value)
{
    return value ? platform::TextFormat("%u (0x%X)", static_cast<unsigned>(*value), static_cast<unsigned>(*value)) : "N/A";
}

template <typename T>
std::string Count(const std::optional<T>& value)
{
    return value ? std::to_string(*value) : "N/A";
}

std::string Clock(const std::optional<double>& mhz) { return mhz ? platform::FormatTwoDecimals(*mhz) + " MHz" : "N/A"; }

std::string CacheText(const cpu::CacheLevel& c)
{
    std::string text =
        platform::TextFormat("%u Kb, %u-byte lines, ", static_cast<unsigned>(c.sizeBytes / 1024), c.lineBytes);
    if (!c.ways)
        text += "ways and sets unknown";
    else if (*c.ways == 0)
        text += "fully associative";
    else
        text += platform::TextFormat("%u-way, %u sets", *c.ways, static_cast<unsigned>(*c.sets));
    if (!c.sharedBy) return text + ", sharing not stated";
    return text + platform::TextFormat(", shared by %u logical processor%s", *c.sharedBy, *c.sharedBy == 1 ? "" : "s");
}

std::string RunningClockText(const std::optional<double>& mhz)
{
    return mhz ? platform::TextFormat("%.0f MHz (a chain of dependent additions, best of %d)", *mhz, bench::runningclock::kRepeat)
               : "N/A";
}

std::string CoreTypeText(const cpu::CoreTypeCount& type)
{
    std::string text = "count " + Count(type.count) + "; caches";
    for (size_t i = 0; i < type.caches.size(); ++i)
        text += (i ? ", " : " ") + CacheLabel(type.caches[i]) +
                platform::TextFormat(" %u Kb", static_cast<unsigned>(type.caches[i].sizeBytes / 1024));
    return type.caches.empty() ? text + " N/A" : text;
}

template <typename T>
nlohmann::json OrNull(const std::optional<T>& value)
{
    return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

nlohmann::json CachesJson(const std::vector<cpu::CacheLevel>& caches)
{
    cpu::ModernProcessor only;
    only.caches = caches;
    return ProcessorJson(only)["caches"];
}

}  // namespace

ProcessorToday ReadProcessorToday(const platform::Machine& machine)
{
    ProcessorToday today{cpu::DecodeModernProcessor(machine), {}, std::nullopt, std::nullopt, {}};
    today.topology = cpu::ReadMachineTopology(machine, today.processor);
    // The time-stamp counter counts this processor's clock, which says nothing about a recorded one.
    if (machine.cpuidRecorded) return today;
    today.measuredMHz = cpu::MeasureClockMHz(machine);
    today.runningMHz = bench::runningclock::MeasureRunningClockMHz(machine, *today.measuredMHz);
    for (const cpu::CoreTypeCount& type : today.topology.coreTypes)
        today.coreTypeRunningMHz.push_back(type.firstCpu ? bench::runningclock::MeasureRunningClockMHz(machine, *today.measuredMHz, type.firstCpu)
                                                         : std::nullopt);
    return today;
}

std::string CacheLabel(const cpu::CacheLevel& cache)
{
    return platform::TextFormat("L%u %s", cache.level, cpu::CacheTypeName(cache.type));
}

std::string CacheCountText(const cpu::CacheCount& count)
{
    return count.count ? std::to_string(*count.count) + (count.perPackage ? " per package" : "") : "N/A";
}

std::vector<FactLine> ProcessorLines(const ProcessorToday& today, bool unmeasuredClocks)
{
    const cpu::ModernProcessor& p = today.processor;
    const cpu::CpuidTopology& t = p.topology;
    const cpu::MachineTopology& m = today.topology;
    std::vector<FactLine> lines = {
        {"Vendor", p.vendor, FactKind::Identity},
        {"Brand", p.brand.value_or("N/A"), FactKind::Identity},
        {"Family", Number(p.family), FactKind::Identity},
        {"Model", Number(p.model), FactKind::Identity},
        {"Stepping", Number(p.stepping), FactKind::Identity},
        {"Hypervisor", p.hypervisor.value_or("none"), FactKind::Identity},
        {"Threads per core", Count(t.threadsPerCore), FactKind::Topology},
        {"Cores per package", t.hybrid ? "N/A (hybrid: cores of several types)" : Count(t.coresPerPackage), FactKind::Topology},
        {"Logical/package", Count(t.logicalPerPackage), FactKind::Topology},
    };
    if (t.coreType)
        lines.push_back({"Core type", cpu::CoreTypeName(*t.coreType) + platform::TextFormat(" (0x%02X)", *t.coreType), FactKind::Topology});
    lines.push_back({"Packages", Count(m.packages), FactKind::Topology});
    lines.push_back({"Cores", Count(m.cores), FactKind::Topology});
    lines.push_back({"Logical processors", Count(m.logicalProcessors), FactKind::Topology});
    lines.push_back({"NUMA nodes", Count(m.numaNodes), FactKind::Topology});
    for (const cpu::CoreTypeCount& type : m.coreTypes) {
        std::string name = cpu::CoreTypeName(type.type);
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        lines.push_back({name + " cores", CoreTypeText(type), FactKind::Topology});
    }
    for (const cpu::CacheLevel& c : p.caches) lines.push_back({CacheLabel(c), CacheText(c), FactKind::Cache});
    if (p.caches.empty()) lines.push_back({"Caches", "N/A", FactKind::Cache});
    std::string counts;
    for (size_t i = 0; i < p.caches.size() && i < m.cacheCounts.size(); ++i)
        counts += (i ? ", " : "") + CacheLabel(p.caches[i]) + " " + CacheCountText(m.cacheCounts[i]);
    if (!counts.empty()) lines.push_back({"Cache instances", counts, FactKind::Cache});
    std::string features;
    for (const std::string& name : p.features) features += (features.empty() ? "" : " ") + name;
    lines.push_back({"Features", features, FactKind::Features});
    lines.push_back({"TSC clock", Clock(p.tscMHz), FactKind::Clock});
    lines.push_back({"Base clock", Clock(p.baseMHz ? std::optional<double>(*p.baseMHz) : std::nullopt), FactKind::Clock});
    lines.push_back({"Maximum clock", Clock(p.maxMHz ? std::optional<double>(*p.maxMHz) : std::nullopt), FactKind::Clock});
    if (today.measuredMHz || unmeasuredClocks) {
        lines.push_back({"Measured clock", today.measuredMHz ? platform::TextFormat("%d MHz", *today.measuredMHz) : "N/A", FactKind::Clock});
        lines.push_back({"Running clock", RunningClockText(today.runningMHz), FactKind::Clock});
        for (size_t i = 0; i < today.coreTypeRunningMHz.size() && i < m.coreTypes.size(); ++i)
            lines.push_back({"Running clock, " + cpu::CoreTypeName(m.coreTypes[i].type) + " cores", RunningClockText(today.coreTypeRunningMHz[i]), FactKind::Clock});
    }
    return lines;
}

std::string ProcessorListText(const ProcessorToday& today)
{
    std::string text;
    for (const FactLine& line : ProcessorLines(today)) text += platform::TextFormat("%-18s: %s\n", line.label, TerminalText(line.value));
    return text;
}

nlohmann::json ProcessorTodayJson(const ProcessorToday& today, nlohmann::json run)
{
    nlohmann::json object = ProcessorJson(today.processor, today.measuredMHz);
    // Only where it was measured: a recorded processor's object has no running clock.
    if (today.measuredMHz) object["running_clock_mhz"] = today.runningMHz ? nlohmann::json(std::lround(*today.runningMHz)) : nlohmann::json(nullptr);
    const cpu::CpuidTopology& t = today.processor.topology;
    const cpu::MachineTopology& m = today.topology;
    nlohmann::json coreTypes = nlohmann::json::array();
    for (size_t i = 0; i < m.coreTypes.size(); ++i) {
        const cpu::CoreTypeCount& type = m.coreTypes[i];
        coreTypes.push_back({{"type", type.type}, {"name", cpu::CoreTypeName(type.type)}, {"count", OrNull(type.count)}, {"caches", CachesJson(type.caches)}});
        if (i < today.coreTypeRunningMHz.size())
            coreTypes.back()["running_clock_mhz"] = today.coreTypeRunningMHz[i] ? nlohmann::json(std::lround(*today.coreTypeRunningMHz[i])) : nlohmann::json(nullptr);
    }
    object["topology"] = {{"threads_per_core", OrNull(t.threadsPerCore)},
                          {"cores_per_package", OrNull(t.coresPerPackage)},
                          {"logical_per_package", OrNull(t.logicalPerPackage)},
                          {"hybrid", t.hybrid},
                          {"core_type", OrNull(t.coreType)},
                          {"packages", OrNull(m.packages)},
                          {"cores", OrNull(m.cores)},
                          {"logical_processors", OrNull(m.logicalProcessors)},
                          {"numa_nodes", OrNull(m.numaNodes)},
                          {"core_types", coreTypes}};
    nlohmann::json instances = nlohmann::json::array();
    for (size_t i = 0; i < today.processor.caches.size() && i < m.cacheCounts.size(); ++i) {
        const cpu::CacheLevel& c = today.processor.caches[i];
        instances.push_back({{"level", c.level}, {"type", cpu::CacheTypeName(c.type)}, {"count", OrNull(m.cacheCounts[i].count)},
                             {"per_package", m.cacheCounts[i].perPackage}});
    }
    object["cache_instances"] = instances;
    object["run"] = std::move(run);
    return object;
}

}  // namespace results
