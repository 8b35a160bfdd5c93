// The topology: CPUID's leaves 0x1F and 0xB (each level counts the logical processors up to it), AMD's
// 0x80000008 and 0x8000001E, or the older leaf 1 with leaf 4; the machine's counts from its processors,
// its kernel and, on hybrid processors, the core type each processor states in leaf 0x1A.
#include "cpu/ModernTopology.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>
#include <utility>

#include "cpu/ModernLeaves.h"
#include "platform/TextFormat.h"

namespace cpu {

namespace {

constexpr uint32_t kHybridBit = 1u << 15;             // leaf 7 EDX
constexpr uint32_t kHttBit = 1u << 28;                // leaf 1 EDX
constexpr uint32_t kTopologyExtensionsBit = 1u << 22;  // 0x80000001 ECX
constexpr uint32_t kSmtLevel = 1;

// {threads per core, logical processors per package} by leaf 0x1F or 0xB; zeros when neither tells.
std::pair<uint32_t, uint32_t> ExtendedLevels(const CModernLeaves& leaves)
{
    for (uint32_t leaf : {0x1Fu, 0xBu}) {
        uint32_t smt = 0, top = 0;
        for (uint32_t sub = 0; sub < 8; ++sub) {
            const auto r = leaves.Read(leaf, sub);
            const uint32_t type = r ? (r->ecx >> 8) & 0xFF : 0;
            if (type == 0) break;
            if (type == kSmtLevel) smt = r->ebx & 0xFFFF;
            top = r->ebx & 0xFFFF;
        }
        if (top) return {smt ? smt : 1, top};
    }
    return {0, 0};
}

std::optional<uint32_t> CoreTypeOf(const platform::Machine& machine)
{
    const CModernLeaves leaves(machine);
    const auto r = leaves.Read(0x1A);
    if (!r || (r->eax >> 24) == 0) return std::nullopt;
    return r->eax >> 24;
}

// Each core type once, with its processors counted and the caches of its first; none when no thread
// can be started. The thread, not the caller, is pinned from one processor to the next.
std::vector<CoreTypeCount> SweepCoreTypes(const platform::Machine& machine, const ModernProcessor& processor)
{
    std::vector<CoreTypeCount> types;
    const std::vector<platform::LogicalCpu> cpus = machine.allowedCpus();
    try {
        std::thread sweep = machine.startThread([&] {
            for (const platform::LogicalCpu& cpu : cpus) {
                if (!machine.pinThread(cpu.id)) continue;
                const std::optional<uint32_t> type = CoreTypeOf(machine);
                if (!type) continue;
                auto known = std::find_if(types.begin(), types.end(), [&](const CoreTypeCount& t) { return t.type == *type; });
                if (known == types.end())
                    known = types.insert(types.end(), {*type, 0, DecodeCaches(CModernLeaves(machine), processor.family, processor.model), cpu.id});
                *known->count += 1;
            }
        });
        sweep.join();
    } catch (const std::system_error& refused) {
        return {};
    }
    // Performance cores first.
    std::sort(types.begin(), types.end(), [](const CoreTypeCount& a, const CoreTypeCount& b) { return a.type > b.type; });
    return types;
}

// Sysfs names the types with a capital: "Data", "Instruction", "Unified".
bool SameType(const std::string& sysfsType, CacheType type)
{
    const std::string name = CacheTypeName(type);
    return sysfsType.size() == name.size() && !sysfsType.empty() && std::tolower(sysfsType[0]) == name[0] &&
           sysfsType.substr(1) == name.substr(1);
}

}  // namespace

CpuidTopology DecodeTopology(const CModernLeaves& leaves)
{
    CpuidTopology t;
    if (const auto seven = leaves.Read(7)) t.hybrid = seven->edx & kHybridBit;
    if (const auto types = leaves.Read(0x1A); t.hybrid && types && (types->eax >> 24)) t.coreType = types->eax >> 24;
    const bool amd = leaves.Vendor() == "AuthenticAMD" || leaves.Vendor() == "HygonGenuine";
    auto [threads, logical] = ExtendedLevels(leaves);
    if (logical == 0 && amd && leaves.Read(0x80000008)) {
        logical = (leaves.Read(0x80000008)->ecx & 0xFF) + 1;
        const auto ext = leaves.Read(0x80000001);
        const auto ids = leaves.Read(0x8000001E);
        threads = ext && (ext->ecx & kTopologyExtensionsBit) && ids ? ((ids->ebx >> 8) & 0xFF) + 1 : 1;
    } else if (logical == 0) {
        const auto one = leaves.Read(1);
        if (!one) return t;
        // Without HTT the package holds one logical processor; with it, leaf 1 counts the IDs set aside
        // for the package and leaf 4 those for its cores.
        logical = one->edx & kHttBit ? std::max<uint32_t>((one->ebx >> 16) & 0xFF, 1) : 1;
        const auto four = leaves.Read(4);
        const uint32_t cores = four && (four->eax & 0x1F) ? (four->eax >> 26) + 1 : 1;
        threads = logical % cores == 0 ? logical / cores : 1;
    }
    t.threadsPerCore = threads;
    t.logicalPerPackage = logical;
    if (!t.hybrid && logical % threads == 0) t.coresPerPackage = logical / threads;
    return t;
}

std::string CoreTypeName(uint32_t type)
{
    if (type == 0x40) return "performance";
    if (type == 0x20) return "efficiency";
    return platform::TextFormat("type 0x%02X", type);
}

MachineTopology ReadMachineTopology(const platform::Machine& machine, const ModernProcessor& processor)
{
    MachineTopology m;
    const CpuidTopology& t = processor.topology;
    platform::SysfsTopology sysfs;
    if (!machine.cpuidRecorded) {
        const std::vector<platform::LogicalCpu> cpus = machine.allowedCpus();
        std::set<int> packages;
        std::set<std::pair<int, int>> cores;
        for (const platform::LogicalCpu& cpu : cpus) packages.insert(cpu.package), cores.insert({cpu.package, cpu.core});
        m.packages = static_cast<int>(packages.size());
        m.cores = static_cast<int>(cores.size());
        m.logicalProcessors = static_cast<int>(cpus.size());
        sysfs = machine.sysfsTopology();
        if (sysfs.numaNodes > 0) m.numaNodes = sysfs.numaNodes;
        if (t.hybrid) m.coreTypes = SweepCoreTypes(machine, processor);
    } else if (t.coreType) {
        m.coreTypes.push_back({*t.coreType, std::nullopt, processor.caches, std::nullopt});
    }
    for (const CacheLevel& c : processor.caches) {
        const auto kernel = std::find_if(sysfs.caches.begin(), sysfs.caches.end(), [&](const platform::CacheInstances& k) {
            return k.level == c.level && SameType(k.type, c.type);
        });
        if (kernel != sysfs.caches.end())
            m.cacheCounts.push_back({kernel->count, false});
        // A hybrid processor's types share their caches differently: one processor's leaves do not tell.
        else if (c.sharedBy && *c.sharedBy && t.logicalPerPackage && !t.hybrid)
            m.cacheCounts.push_back({static_cast<int>((*t.logicalPerPackage + *c.sharedBy - 1) / *c.sharedBy), true});
        else
            m.cacheCounts.push_back({});
    }
    return m;
}

}  // namespace cpu
