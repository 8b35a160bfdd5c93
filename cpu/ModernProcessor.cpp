#include "cpu/ModernProcessor.h"

#include <algorithm>

#include "cpu/ModernLeaves.h"
#include "platform/SysfsCache.h"
#include "platform/TextTrim.h"

namespace cpu {

namespace {

constexpr uint32_t kHypervisorBit = 1u << 31;

std::optional<std::string> Brand(const CModernLeaves& leaves)
{
    std::string text;
    for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
        const auto r = leaves.Read(leaf);
        if (!r) return std::nullopt;
        // Every byte counts, NULs included: the first NUL of all 48 ends the text.
        for (uint32_t word : {r->eax, r->ebx, r->ecx, r->edx}) text += platform::RegisterBytes(word);
    }
    text = platform::TrimBlanks(text.substr(0, text.find('\0')));
    if (text.empty()) return std::nullopt;
    return text;
}

// The highest leaf of the range that starts at `base`; 0 when the processor has no such range: it then
// answers with some other leaf's registers.
uint32_t HighestLeaf(const platform::Machine& machine, uint32_t base)
{
    const uint32_t highest = machine.Cpuid(base).eax;
    return highest >= base && highest <= base + 0xFFFF ? highest : 0;
}

}  // namespace

const char* CacheTypeName(CacheType type)
{
    switch (type) {
    case CacheType::Data: return "data";
    case CacheType::Instruction: return "instruction";
    default: return "unified";
    }
}

std::string RegisterText(uint32_t a, uint32_t b, uint32_t c)
{
    std::string text;
    for (uint32_t word : {a, b, c}) text += platform::RegisterBytes(word);
    return text.substr(0, text.find('\0'));
}

CModernLeaves::CModernLeaves(const platform::Machine& machine) : machine_(machine)
{
    const platform::CpuidRegs zero = machine.Cpuid(0);
    maxStandard_ = zero.eax;
    vendor_ = RegisterText(zero.ebx, zero.edx, zero.ecx);
    maxExtended_ = HighestLeaf(machine, 0x80000000);
    maxCentaur_ = HighestLeaf(machine, 0xC0000000);
}

std::optional<platform::CpuidRegs> CModernLeaves::Read(uint32_t leaf, uint32_t subleaf) const
{
    const uint32_t range = leaf & 0xFFFF0000;
    const uint32_t highest = range == 0            ? maxStandard_
                             : range == 0x80000000 ? maxExtended_
                             : range == 0xC0000000 ? maxCentaur_
                                                   : 0;
    if (leaf > highest) return std::nullopt;
    return machine_.Cpuid(leaf, subleaf);
}

ModernProcessor DecodeModernProcessor(const platform::Machine& machine)
{
    const CModernLeaves leaves(machine);
    ModernProcessor p;
    p.vendor = leaves.Vendor();
    p.brand = Brand(leaves);
    if (const auto one = leaves.Read(1)) {
        const uint32_t baseFamily = (one->eax >> 8) & 0xF;
        const uint32_t baseModel = (one->eax >> 4) & 0xF;
        p.family = baseFamily + (baseFamily == 15 ? (one->eax >> 20) & 0xFF : 0);
        p.model = baseModel + (baseFamily >= 6 ? ((one->eax >> 16) & 0xF) << 4 : 0);
        p.stepping = one->eax & 0xF;
        if (one->ecx & kHypervisorBit) {
            // The hypervisor's leaves lie outside both ranges the processor states.
            const platform::CpuidRegs hv = machine.Cpuid(0x40000000);
            p.hypervisor = RegisterText(hv.ebx, hv.ecx, hv.edx);
        }
    }
    p.caches = DecodeCaches(leaves, p.family, p.model);
    p.features = DecodeFeatures(leaves, p.family);
    p.topology = DecodeTopology(leaves);
    if (const auto tsc = leaves.Read(0x15); tsc && tsc->eax && tsc->ebx && tsc->ecx)
        p.tscMHz = static_cast<double>(tsc->ecx) * tsc->ebx / tsc->eax / 1e6;
    if (const auto clocks = leaves.Read(0x16)) {
        if (clocks->eax & 0xFFFF) p.baseMHz = clocks->eax & 0xFFFF;
        if (clocks->ebx & 0xFFFF) p.maxMHz = clocks->ebx & 0xFFFF;
    }
    return p;
}

std::optional<uint64_t> LargestCacheBytes(const platform::Machine& machine)
{
    const ModernProcessor p = DecodeModernProcessor(machine);
    if (p.caches.empty()) return platform::LargestSysfsCacheBytes();
    return std::max_element(p.caches.begin(), p.caches.end(),
                            [](const CacheLevel& a, const CacheLevel& b) { return a.sizeBytes < b.sizeBytes; })
        ->sizeBytes;
}

}  // namespace cpu
