#include <cstdint>
#include <span>

#include "cpu/Clock.h"
#include "cpu/NameTable.h"
#include "cpu/Processor.h"
#include "platform/Cpuid.h"

namespace cpu {

using cpu_detail::Bits;
using cpu_detail::CodeEntry;
using cpu_detail::FindCode;
using cpu_detail::kAnyCode;
using cpu_detail::ModelName;

namespace {

using SizeEntry = CodeEntry<uint32_t, int32_t>;
using TextEntry = CodeEntry<uint32_t, const char*>;

// nullptr marks family 6 model 5, which is named by its L2 size.
constexpr ModelName kIntelNames[] = {
    {4, kAnyCode, "Intel 80486 class"},
    {5, 1, "Intel Pentium [60,66 MHz]"},
    {5, 2, "Intel Pentium [75-200 MHz]"},
    {5, 3, "Intel Pentium OverDrive for 486"},
    {5, 4, "Intel Pentium MMX [166-233 MHz]"},
    {5, kAnyCode, "Unknown Intel Pentium class"},
    {6, 1, "Intel Pentium Pro"},
    {6, 3, "Intel Pentium II (Klamath) [233-333 MHz]"},
    {6, 5, nullptr},
    {6, 6, "Intel Celeron A  [128 Kb full speed L2 cache]"},
    {6, 7, "Intel Pentium III or Pentium III Xeon"},
    {6, 8, "Intel Pentium III or Pentium III Xeon [ATC] or Celeron"},
    {6, 10, "Intel Pentium III Xeon"},
    {6, kAnyCode, "Unknown Intel Pentium II or P III class"},
    {15, 1, "Intel Pentium IV"},
    {15, kAnyCode, "Unknown Intel Pentium IV class"},
    {kAnyCode, kAnyCode, "Unknown Intel"},
};
constexpr const char* kSmallL2Name = "Intel Celeron [without L2 cache]";
constexpr const char* kLargeL2Name = "Intel Pentium II (Deschutes) or Pentium II Xeon";

// Sizes in Kb by descriptor byte. They are not the text tables: each knows bytes the other does not.
constexpr SizeEntry kL1DataSizes[] = {{0x0A, 8}, {0x0C, 16}, {0x66, 8}, {0x67, 16}, {0x68, 32}};
constexpr SizeEntry kL1CodeSizes[] = {{0x06, 8}, {0x08, 16}};
constexpr SizeEntry kL2Sizes[] = {
    {0x41, 128},  {0x79, 128},  {0x81, 128},   // 0x81 has a size but no text
    {0x42, 256},  {0x7A, 256},  {0x82, 256},
    {0x43, 512},  {0x7B, 512},  {0x83, 512},
    {0x44, 1024}, {0x7C, 1024}, {0x84, 1024},
    {0x45, 2048}, {0x85, 2048},
};

constexpr TextEntry kL2Texts[] = {
    {0x40, "No L2 or L3 cache"},
    {0x41, "Unified, 32 byte cache line, 4-way set associative, 128 Kb"},
    {0x42, "Unified, 32 byte cache line, 4-way set associative, 256 Kb"},
    {0x43, "Unified, 32 byte cache line, 4-way set associative, 512 Kb"},
    {0x44, "Unified, 32 byte cache line, 4-way set associative, 1024 Kb"},
    {0x45, "Unified, 32 byte cache line, 4-way set associative, 2048 Kb"},
    {0x79, "Unified, sectored, 64 byte cache line, 8-way set associative, 128 Kb"},
    {0x7A, "Unified, sectored, 64 byte cache line, 8-way set associative, 256 Kb"},
    {0x7B, "Unified, sectored, 64 byte cache line, 8-way set associative, 512 Kb"},
    {0x7C, "Unified, sectored, 64 byte cache line, 8-way set associative, 1024 Kb"},
    {0x82, "Unified, 32 byte cache line, 8-way set associative, 256 Kb"},
    {0x83, "Unified, 32 byte cache line, 8-way set associative, 512 Kb"},
    {0x84, "Unified, 32 byte cache line, 8-way set associative, 1024 Kb"},
    {0x85, "Unified, 32 byte cache line, 8-way set associative, 2048 Kb"},
};
constexpr TextEntry kL1CodeTexts[] = {
    {0x06, "32 byte line size, 4-way set associative, 8 Kb"},
    {0x08, "32 byte line size, 4-way set associative, 16 Kb"},
    {0x66, "64 byte cache line, 4-way set associative, sectored, 8 Kb"},
    {0x67, "64 byte cache line, 4-way set associative, sectored, 16 Kb"},
    {0x68, "64 byte cache line, 4-way set associative, sectored, 32 Kb"},
};
constexpr TextEntry kL1DataTexts[] = {
    {0x0A, "32 byte line size, 2-way set associative, 8 Kb"},
    {0x0C, "32 byte line size, 4-way set associative, 16 Kb"},
};

constexpr const char* kProcessorTypes[4] = {"OEM", "OverDrive", "Dual", "Unknown"};
constexpr TextEntry kBrandNames[] = {
    {0, "N/A"}, {1, "Celeron"}, {2, "Pentium III"}, {3, "Pentium III Xeon"}, {8, "Pentium IV"},
};

// Leaf 2 is read at fixed byte positions, one descriptor per position.
struct TlbTest {
    int byte;
    uint32_t code;
    const char* text;
};
constexpr TlbTest kCodeTlb4Mb = {2, 0x02, "4 Mb pages, 2 entries, fully associative"};         // EAX
constexpr TlbTest kCodeTlb4Kb = {1, 0x01, "4 Kb pages, 32 entries, 4-way set associative"};    // EAX
constexpr TlbTest kDataTlb4Kb = {3, 0x03, "4 Kb pages, 64 entries, 4-way set associative"};    // EAX
constexpr TlbTest kDataTlb4Mb = {2, 0x04, "4 Mb pages, 8 entries, 4-way set associative"};     // EDX

uint32_t Byte(uint32_t value, int index) { return Bits(value, 8 * index, 8 * index + 7); }

const char* TlbText(const TlbTest& test, uint32_t reg)
{
    return Byte(reg, test.byte) == test.code ? test.text : "Unknown";
}

}  // namespace

int32_t CIntelProcessor::MatchStandardMHz(int32_t mhz) { return MatchClockTable(kIntelStandardClocks, mhz); }

std::string CIntelProcessor::GetName()
{
    CpuSignature sig;
    GetFamilyModelStepping(machine, vendor, sig);
    const char* name = cpu_detail::FindModelName(kIntelNames, sig.family, sig.model);
    if (name != nullptr) return name;
    CacheSizes sizes;
    GetCacheSizes(sizes);
    // Signed: the -2 of a processor without leaf 2 counts as small.
    return sizes.l2Kb < 512 ? kSmallL2Name : kLargeL2Name;
}

void CIntelProcessor::GetCacheSizes(CacheSizes& sizes)
{
    if (maxStandardLeaf < 2) {
        sizes = {kNotAvailable, kNotAvailable, kNotAvailable};
        return;
    }
    const uint32_t edx = machine.Cpuid(2).edx;
    sizes.l1DataKb = FindCode<uint32_t, int32_t>(kL1DataSizes, Byte(edx, 3), 0);
    sizes.l1CodeKb = FindCode<uint32_t, int32_t>(kL1CodeSizes, Byte(edx, 1), 0);
    sizes.l2Kb = FindCode<uint32_t, int32_t>(kL2Sizes, Byte(edx, 0), 0);
}

std::string CIntelProcessor::GetProcessorType() { return kProcessorTypes[Bits(machine.Cpuid(1).eax, 12, 13)]; }

std::string CIntelProcessor::GetBrandName()
{
    return FindCode<uint32_t, const char*>(kBrandNames, Bits(machine.Cpuid(1).ebx, 0, 7), "Unknown");
}

namespace {

std::string CacheText(const platform::Machine& machine, uint32_t maxStandardLeaf, std::span<const TextEntry> table, int byte)
{
    const uint32_t edx = maxStandardLeaf < 2 ? 0 : machine.Cpuid(2).edx;
    if (edx == 0) return "N/A";
    return FindCode<uint32_t, const char*>(table, Byte(edx, byte), "Unknown");
}

}  // namespace

std::string CIntelProcessor::DescribeL2Cache() { return CacheText(machine, maxStandardLeaf, kL2Texts, 0); }
std::string CIntelProcessor::DescribeL1CodeCache() { return CacheText(machine, maxStandardLeaf, kL1CodeTexts, 1); }
std::string CIntelProcessor::DescribeL1DataCache() { return CacheText(machine, maxStandardLeaf, kL1DataTexts, 3); }

void CIntelProcessor::DescribeInstructionTlb(std::string& pages4Mb, std::string& pages4Kb)
{
    const uint32_t eax = maxStandardLeaf < 2 ? 0 : machine.Cpuid(2).eax;
    if (eax == 0) {
        pages4Mb = pages4Kb = "N/A";
        return;
    }
    pages4Mb = TlbText(kCodeTlb4Mb, eax);
    pages4Kb = TlbText(kCodeTlb4Kb, eax);
}

void CIntelProcessor::DescribeDataTlb(std::string& pages4Mb, std::string& pages4Kb)
{
    // Whether leaf 2 tells anything is decided on EAX alone, though the 4 Mb entry is in EDX.
    const uint32_t eax = maxStandardLeaf < 2 ? 0 : machine.Cpuid(2).eax;
    if (eax == 0) {
        pages4Mb = pages4Kb = "N/A";
        return;
    }
    pages4Kb = TlbText(kDataTlb4Kb, eax);
    pages4Mb = TlbText(kDataTlb4Mb, machine.Cpuid(2).edx);
}

void CIntelProcessor::GetExtendedFamilyModel(CpuSignature& signature)
{
    signature.model = 0;
    signature.family = 0;
    const uint32_t eax = machine.Cpuid(1).eax;
    if (Bits(eax, 8, 11) == 15) {
        signature.model = static_cast<int32_t>(Bits(eax, 16, 19));
        signature.family = static_cast<int32_t>(Bits(eax, 20, 27));
    }
}

void CIntelProcessor::GetSerialNumber(SerialNumber& serial)
{
    // A processor whose serial number is switched off reports a highest standard leaf of 2.
    if (maxStandardLeaf < 3) {
        serial = {0, 0, 0};
        return;
    }
    serial.signature = static_cast<int32_t>(machine.Cpuid(1).eax);
    const platform::CpuidRegs r = machine.Cpuid(3);
    serial.middle = static_cast<int32_t>(r.edx);
    serial.low = static_cast<int32_t>(r.ecx);
}

}  // namespace cpu
