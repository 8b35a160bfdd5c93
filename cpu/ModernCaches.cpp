// The caches, from the first source that describes them: the deterministic cache leaves (4, or
// 0x8000001D on AMD), AMD's size leaves 0x80000005/6, or Intel's descriptor bytes of leaf 2.
#include <algorithm>
#include <array>

#include "cpu/ModernLeaves.h"

namespace cpu {

namespace {

constexpr uint32_t kTopologyExtensionsBit = 1u << 22;  // 0x80000001 ECX: leaf 0x8000001D is there
constexpr uint32_t kFully = 0;                          // ways of a fully associative cache

struct Descriptor {
    uint8_t code;
    uint8_t level;
    CacheType type;
    uint32_t kb;
    uint8_t ways;
    uint8_t line;
};

// Intel's documented cache descriptors of leaf 2. TLB and trace-cache descriptors have no entry.
constexpr Descriptor kDescriptors[] = {
    {0x06, 1, CacheType::Instruction, 8, 4, 32},   {0x08, 1, CacheType::Instruction, 16, 4, 32},
    {0x09, 1, CacheType::Instruction, 32, 4, 64},  {0x0A, 1, CacheType::Data, 8, 2, 32},
    {0x0C, 1, CacheType::Data, 16, 4, 32},         {0x0D, 1, CacheType::Data, 16, 4, 64},
    {0x0E, 1, CacheType::Data, 24, 6, 64},         {0x1D, 2, CacheType::Unified, 128, 2, 64},
    {0x21, 2, CacheType::Unified, 256, 8, 64},     {0x22, 3, CacheType::Unified, 512, 4, 64},
    {0x23, 3, CacheType::Unified, 1024, 8, 64},    {0x24, 2, CacheType::Unified, 1024, 16, 64},
    {0x25, 3, CacheType::Unified, 2048, 8, 64},    {0x29, 3, CacheType::Unified, 4096, 8, 64},
    {0x2C, 1, CacheType::Data, 32, 8, 64},         {0x30, 1, CacheType::Instruction, 32, 8, 64},
    {0x39, 2, CacheType::Unified, 128, 4, 64},     {0x3A, 2, CacheType::Unified, 192, 6, 64},
    {0x3B, 2, CacheType::Unified, 128, 2, 64},     {0x3C, 2, CacheType::Unified, 256, 4, 64},
    {0x3D, 2, CacheType::Unified, 384, 6, 64},     {0x3E, 2, CacheType::Unified, 512, 4, 64},
    {0x41, 2, CacheType::Unified, 128, 4, 32},     {0x42, 2, CacheType::Unified, 256, 4, 32},
    {0x43, 2, CacheType::Unified, 512, 4, 32},     {0x44, 2, CacheType::Unified, 1024, 4, 32},
    {0x45, 2, CacheType::Unified, 2048, 4, 32},    {0x46, 3, CacheType::Unified, 4096, 4, 64},
    {0x47, 3, CacheType::Unified, 8192, 8, 64},    {0x48, 2, CacheType::Unified, 3072, 12, 64},
    {0x49, 2, CacheType::Unified, 4096, 16, 64},   {0x4A, 3, CacheType::Unified, 6144, 12, 64},
    {0x4B, 3, CacheType::Unified, 8192, 16, 64},   {0x4C, 3, CacheType::Unified, 12288, 12, 64},
    {0x4D, 3, CacheType::Unified, 16384, 16, 64},  {0x4E, 2, CacheType::Unified, 6144, 24, 64},
    {0x60, 1, CacheType::Data, 16, 8, 64},         {0x66, 1, CacheType::Data, 8, 4, 64},
    {0x67, 1, CacheType::Data, 16, 4, 64},         {0x68, 1, CacheType::Data, 32, 4, 64},
    {0x78, 2, CacheType::Unified, 1024, 4, 64},    {0x79, 2, CacheType::Unified, 128, 8, 64},
    {0x7A, 2, CacheType::Unified, 256, 8, 64},     {0x7B, 2, CacheType::Unified, 512, 8, 64},
    {0x7C, 2, CacheType::Unified, 1024, 8, 64},    {0x7D, 2, CacheType::Unified, 2048, 8, 64},
    {0x7F, 2, CacheType::Unified, 512, 2, 64},     {0x80, 2, CacheType::Unified, 512, 8, 64},
    {0x81, 2, CacheType::Unified, 128, 8, 32},     {0x82, 2, CacheType::Unified, 256, 8, 32},
    {0x83, 2, CacheType::Unified, 512, 8, 32},     {0x84, 2, CacheType::Unified, 1024, 8, 32},
    {0x85, 2, CacheType::Unified, 2048, 8, 32},    {0x86, 2, CacheType::Unified, 512, 4, 64},
    {0x87, 2, CacheType::Unified, 1024, 8, 64},    {0xD0, 3, CacheType::Unified, 512, 4, 64},
    {0xD1, 3, CacheType::Unified, 1024, 4, 64},    {0xD2, 3, CacheType::Unified, 2048, 4, 64},
    {0xD6, 3, CacheType::Unified, 1024, 8, 64},    {0xD7, 3, CacheType::Unified, 2048, 8, 64},
    {0xD8, 3, CacheType::Unified, 4096, 8, 64},    {0xDC, 3, CacheType::Unified, 1536, 12, 64},
    {0xDD, 3, CacheType::Unified, 3072, 12, 64},   {0xDE, 3, CacheType::Unified, 6144, 12, 64},
    {0xE2, 3, CacheType::Unified, 2048, 16, 64},   {0xE3, 3, CacheType::Unified, 4096, 16, 64},
    {0xE4, 3, CacheType::Unified, 8192, 16, 64},   {0xEA, 3, CacheType::Unified, 12288, 24, 64},
    {0xEB, 3, CacheType::Unified, 18432, 24, 64},  {0xEC, 3, CacheType::Unified, 24576, 24, 64},
};

CacheLevel SizedCache(uint32_t level, CacheType type, uint64_t bytes, uint32_t line, std::optional<uint32_t> ways)
{
    CacheLevel c{level, type, bytes, line, ways, std::nullopt};
    if (ways && *ways == kFully)
        c.sets = 1;
    else if (ways && line)
        c.sets = bytes / (uint64_t{*ways} * line);
    return c;
}

// Leaf 4 and leaf 0x8000001D share one layout: one subleaf per cache until a type of 0. Only they say
// how many logical processors share a cache.
std::vector<CacheLevel> Deterministic(const CModernLeaves& leaves, uint32_t leaf)
{
    std::vector<CacheLevel> caches;
    for (uint32_t sub = 0; sub < 64; ++sub) {
        const auto r = leaves.Read(leaf, sub);
        if (!r || (r->eax & 0x1F) == 0) break;
        static constexpr CacheType kTypes[] = {CacheType::Data, CacheType::Instruction, CacheType::Unified};
        const uint32_t type = r->eax & 0x1F;
        if (type > 3) continue;
        const uint64_t line = (r->ebx & 0xFFF) + 1, partitions = ((r->ebx >> 12) & 0x3FF) + 1;
        const uint64_t ways = (r->ebx >> 22) + 1, sets = uint64_t{r->ecx} + 1;
        const bool fully = r->eax & (1u << 9);
        caches.push_back({(r->eax >> 5) & 7, kTypes[type - 1], ways * partitions * line * sets,
                          static_cast<uint32_t>(line), fully ? kFully : static_cast<uint32_t>(ways), sets,
                          ((r->eax >> 14) & 0xFFF) + 1});
    }
    return caches;
}

// The 4-bit associativity of AMD's L2 and L3 fields; 9 defers to leaf 0x8000001D.
std::optional<uint32_t> AmdWays(uint32_t code)
{
    static constexpr std::array<int, 16> kWays = {0, 1, 2, 3, 4, 6, 8, -1, 16, -1, 32, 48, 64, 96, 128, kFully};
    return kWays[code] < 0 ? std::nullopt : std::optional<uint32_t>(kWays[code]);
}

std::vector<CacheLevel> AmdSizeLeaves(const CModernLeaves& leaves)
{
    std::vector<CacheLevel> caches;
    if (const auto l1 = leaves.Read(0x80000005)) {
        for (auto [reg, type] : {std::pair{l1->ecx, CacheType::Data}, std::pair{l1->edx, CacheType::Instruction}}) {
            const uint32_t kb = reg >> 24, code = (reg >> 16) & 0xFF;
            if (kb == 0) continue;
            const std::optional<uint32_t> ways =
                code == 0xFF ? std::optional<uint32_t>(kFully) : code ? std::optional<uint32_t>(code) : std::nullopt;
            caches.push_back(SizedCache(1, type, uint64_t{kb} * 1024, reg & 0xFF, ways));
        }
    }
    if (const auto l23 = leaves.Read(0x80000006)) {
        const uint32_t l2Kb = l23->ecx >> 16, l2Code = (l23->ecx >> 12) & 0xF;
        if (l2Kb && l2Code)
            caches.push_back(SizedCache(2, CacheType::Unified, uint64_t{l2Kb} * 1024, l23->ecx & 0xFF, AmdWays(l2Code)));
        const uint32_t l3Kb = (l23->edx >> 18) * 512, l3Code = (l23->edx >> 12) & 0xF;
        if (l3Kb && l3Code)
            caches.push_back(SizedCache(3, CacheType::Unified, uint64_t{l3Kb} * 1024, l23->edx & 0xFF, AmdWays(l3Code)));
    }
    return caches;
}

std::vector<CacheLevel> IntelDescriptors(const CModernLeaves& leaves, std::optional<uint32_t> family,
                                         std::optional<uint32_t> model)
{
    std::vector<CacheLevel> caches;
    const auto r = leaves.Read(2);
    if (!r) return caches;
    const uint32_t regs[] = {r->eax, r->ebx, r->ecx, r->edx};
    for (int i = 0; i < 4; ++i) {
        if (regs[i] & (1u << 31)) continue;  // the register holds no descriptors
        for (int byte = i == 0 ? 1 : 0; byte < 4; ++byte) {
            const uint8_t code = (regs[i] >> (8 * byte)) & 0xFF;
            const auto d = std::find_if(std::begin(kDescriptors), std::end(kDescriptors),
                                        [code](const Descriptor& e) { return e.code == code; });
            if (d == std::end(kDescriptors)) continue;
            const bool l3On0f06 = code == 0x49 && family == 15u && model == 6u;
            caches.push_back(SizedCache(l3On0f06 ? 3 : d->level, d->type, uint64_t{d->kb} * 1024, d->line, d->ways));
        }
    }
    return caches;
}

}  // namespace

std::vector<CacheLevel> DecodeCaches(const CModernLeaves& leaves, std::optional<uint32_t> family,
                                     std::optional<uint32_t> model)
{
    std::vector<CacheLevel> caches = Deterministic(leaves, 4);
    const auto ext = leaves.Read(0x80000001);
    if (caches.empty() && ext && (ext->ecx & kTopologyExtensionsBit)) caches = Deterministic(leaves, 0x8000001D);
    // Intel answers leaf 0x80000006 too, but only about its L2: its descriptors say more.
    const bool intel = leaves.Vendor() == "GenuineIntel";
    if (caches.empty() && !intel) caches = AmdSizeLeaves(leaves);
    if (caches.empty() && intel) caches = IntelDescriptors(leaves, family, model);
    std::stable_sort(caches.begin(), caches.end(), [](const CacheLevel& a, const CacheLevel& b) {
        return a.level != b.level ? a.level < b.level : a.type < b.type;
    });
    return caches;
}

}  // namespace cpu
