#include <cstdint>

#include "cpu/Clock.h"
#include "cpu/NameTable.h"
#include "cpu/Processor.h"
#include "platform/Cpuid.h"
#include "platform/TextFormat.h"

namespace cpu {

using cpu_detail::Bits;
using cpu_detail::kAnyCode;
using cpu_detail::ModelName;

namespace {

constexpr uint32_t kL1Leaf = 0x80000005u;
constexpr uint32_t kL2Leaf = 0x80000006u;

constexpr ModelName kAmdNames[] = {
    {4, kAnyCode, "AMD 486 or AMD 5x86"},
    {5, 0, "AMD K5 "},
    {5, 1, "AMD K5 "},
    {5, 2, "AMD K5 "},
    {5, 3, "AMD K5 "},
    {5, 6, "AMD K6 [166-233 MHz]"},
    {5, 7, "AMD K6 [233-300 MHz]"},
    {5, 8, "AMD K6-2"},
    {5, 9, "AMD K6-III"},
    {5, 13, "AMD K6-2+ or K6-III+"},
    {5, kAnyCode, "Unknown AMD K5 or K6 class"},
    {6, 1, "AMD Athlon"},
    {6, 2, "AMD Athlon"},
    {6, 3, "AMD Duron"},
    {6, 4, "AMD Athlon [integrated full-speed L2 cache]"},
    {6, kAnyCode, "Unknown AMD Athlon or Duron"},
    {kAnyCode, kAnyCode, "Unknown AMD"},
};

int32_t Field(uint32_t value, int low, int high) { return static_cast<int32_t>(Bits(value, low, high)); }

// Leaf 0x80000005 ECX (data) or EDX (instruction): size, associativity, lines per tag, line size.
std::string L1Text(uint32_t reg)
{
    std::string text = platform::TextFormat("%d byte line size, ", Field(reg, 0, 7));
    const int32_t ways = Field(reg, 16, 23);
    text += ways == 0xFF ? std::string("full associative, ") : platform::TextFormat("%d-way associative, ", ways);
    text += platform::TextFormat("%d lines/tag, %d Kb", Field(reg, 8, 15), Field(reg, 24, 31));
    return text;
}

// One 16-bit half of a TLB register: associativity in the high byte, entries in the low byte.
std::string TlbAssociativity(uint32_t half)
{
    const int32_t ways = Field(half, 8, 15);
    return ways == 0xFF ? std::string("fully") : platform::TextFormat("%d-way", ways);
}

void TlbTexts(uint32_t eaxHalf, uint32_t ebxHalf, uint32_t eax, std::string& pages4Mb, std::string& pages4Kb)
{
    pages4Kb = platform::TextFormat("4 Kb pages, %s associative, %d entries", TlbAssociativity(ebxHalf),
                                    Field(ebxHalf, 0, 7));
    if (eax == 0) {
        pages4Mb = "N/A";
        return;
    }
    // The count is given for 2 Mb pages; a 4 Mb page takes two entries.
    const std::string ways = TlbAssociativity(eaxHalf);
    const int32_t entries2Mb = Field(eaxHalf, 0, 7);
    pages4Mb = platform::TextFormat("4 Mb pages, %s associative, %d entries", ways, entries2Mb / 2);
    pages4Mb += platform::TextFormat("  || 2 Mb pages : %s associative, %d entries", ways, entries2Mb);
}

// Leaf 0x80000005 holds the instruction TLB in the low halves of EAX and EBX, the data TLB in the high.
void L1TlbTexts(const platform::Machine& machine, uint32_t maxExtendedLeaf, int lowBit, std::string& pages4Mb, std::string& pages4Kb)
{
    if (maxExtendedLeaf < kL1Leaf) {
        pages4Mb = pages4Kb = "N/A";
        return;
    }
    const platform::CpuidRegs r = machine.Cpuid(kL1Leaf);
    TlbTexts(Bits(r.eax, lowBit, lowBit + 15), Bits(r.ebx, lowBit, lowBit + 15), r.eax, pages4Mb, pages4Kb);
}

}  // namespace

CAmdProcessor::CAmdProcessor(const platform::Machine& machine)
    : CProcessor(machine, VendorAmd), maxExtendedLeaf(machine.Cpuid(0x80000000u).eax)
{
}

int32_t CAmdProcessor::MatchStandardMHz(int32_t mhz) { return MatchClockTable(kAmdStandardClocks, mhz); }

std::string CAmdProcessor::GetName()
{
    CpuSignature sig;
    GetFamilyModelStepping(machine, vendor, sig);
    return cpu_detail::FindModelName(kAmdNames, sig.family, sig.model);
}

void CAmdProcessor::GetCacheSizes(CacheSizes& sizes)
{
    if (maxExtendedLeaf < kL1Leaf) {
        sizes = {kNotAvailable, kNotAvailable, kNotAvailable};
        return;
    }
    const platform::CpuidRegs l1 = machine.Cpuid(kL1Leaf);
    sizes.l1DataKb = Field(l1.ecx, 24, 31);
    sizes.l1CodeKb = Field(l1.edx, 24, 31);
    sizes.l2Kb = maxExtendedLeaf < kL2Leaf ? kNotAvailable : Field(machine.Cpuid(kL2Leaf).ecx, 16, 31);
}

std::string CAmdProcessor::DescribeL2Cache()
{
    if (maxExtendedLeaf < kL2Leaf) return "N/A";
    const uint32_t ecx = machine.Cpuid(kL2Leaf).ecx;
    std::string text = platform::TextFormat("%d byte line size, ", Field(ecx, 0, 7));
    // The code is printed as it stands, not turned into a number of ways.
    const int32_t code = Field(ecx, 12, 15);
    switch (code) {
    case 0: text += "L2 off, "; break;
    case 1: text += "direct mapped, "; break;
    case 15: text += "full associative, "; break;
    default: text += platform::TextFormat("%d-way associative, ", code); break;
    }
    text += platform::TextFormat("%d lines/tag, %d Kb", Field(ecx, 8, 11), Field(ecx, 16, 31));
    return text;
}

std::string CAmdProcessor::DescribeL1CodeCache()
{
    if (maxExtendedLeaf < kL1Leaf) return "N/A";
    return L1Text(machine.Cpuid(kL1Leaf).edx);
}

std::string CAmdProcessor::DescribeL1DataCache()
{
    if (maxExtendedLeaf < kL1Leaf) return "N/A";
    return L1Text(machine.Cpuid(kL1Leaf).ecx);
}

void CAmdProcessor::DescribeInstructionTlb(std::string& pages4Mb, std::string& pages4Kb)
{
    L1TlbTexts(machine, maxExtendedLeaf, 0, pages4Mb, pages4Kb);
}

void CAmdProcessor::DescribeDataTlb(std::string& pages4Mb, std::string& pages4Kb)
{
    L1TlbTexts(machine, maxExtendedLeaf, 16, pages4Mb, pages4Kb);
}

// Read without asking whether the leaf is offered.
int32_t CAmdProcessor::GetGeneration() { return Field(machine.Cpuid(0x80000001u).eax, 8, 11); }

std::string CAmdProcessor::DescribeL2Tlb()
{
    if (maxExtendedLeaf < kL2Leaf) return "N/A";
    const platform::CpuidRegs r = machine.Cpuid(kL2Leaf);
    if (Bits(r.eax, 16, 31) != 0) return "L2 TLB is not unified";
    return platform::TextFormat("%d-way associative, %d entries", Field(r.ebx, 12, 15), Field(r.ebx, 0, 11));
}

}  // namespace cpu
