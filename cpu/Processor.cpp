#include "cpu/Processor.h"

#include <algorithm>

#include "cpu/Clock.h"
#include "cpu/NameTable.h"
#include "platform/TextFormat.h"

namespace cpu {

using cpu_detail::Bits;

namespace {

constexpr uint32_t kExtendedBase = 0x80000000u;

struct VendorRow {
    const char* vendorString;
    int32_t code;
    const char* labelFormat;
};

// Compared in this order; three blanks before the parenthesis.
constexpr VendorRow kVendors[] = {
    {"GenuineIntel", VendorIntel, "Intel   (%s)"},
    {"AuthenticAMD", VendorAmd, "AMD   (%s)"},
    {"CyrixInstead", VendorCyrix, "Cyrix   (%s)"},
};
constexpr const char* kOtherLabelFormat = "Other   (%s)";

// A register's four bytes as the processor stores them, lowest first.
void PutRegister(char* to, uint32_t value)
{
    const std::string bytes = platform::RegisterBytes(value);
    std::copy(bytes.begin(), bytes.end(), to);
}

}  // namespace

DetectedVendor DetectVendor(const platform::Machine& machine)
{
    platform::CpuidRegs r = machine.Cpuid(0);
    char text[13] = {};
    PutRegister(text + 0, r.ebx);
    PutRegister(text + 4, r.edx);
    PutRegister(text + 8, r.ecx);
    // The string ends at its first NUL, as the processor's bytes are taken as a C string.
    const std::string vendor(text);
    for (const VendorRow& row : kVendors) {
        if (vendor == row.vendorString) {
            return {row.code, platform::TextFormat(row.labelFormat, vendor)};
        }
    }
    return {VendorOther, platform::TextFormat(kOtherLabelFormat, vendor)};
}

void GetFamilyModelStepping(const platform::Machine& machine, int32_t vendor, CpuSignature& signature)
{
    if (vendor == VendorOther) {
        signature = {kNotDetermined, kNotDetermined, kNotDetermined};
        return;
    }
    const uint32_t eax = machine.Cpuid(1).eax;
    signature.stepping = static_cast<int32_t>(Bits(eax, 0, 3));
    signature.model = static_cast<int32_t>(Bits(eax, 4, 7));
    signature.family = static_cast<int32_t>(Bits(eax, 8, 11));
}

StandardFeatureFlags::StandardFeatureFlags(const platform::Machine& machine) : flags(machine.Cpuid(1).edx) {}

AmdFeatureFlags::AmdFeatureFlags(const platform::Machine& machine)
{
    if (machine.Cpuid(kExtendedBase).eax < kExtendedBase + 1) return;
    flags = machine.Cpuid(kExtendedBase + 1).edx;
}

std::unique_ptr<CProcessor> CreateProcessor(const platform::Machine& machine, int32_t vendor)
{
    switch (vendor) {
    case VendorAmd: return std::make_unique<CAmdProcessor>(machine);
    case VendorIntel: return std::make_unique<CIntelProcessor>(machine);
    case VendorCyrix: return std::make_unique<CCyrixProcessor>(machine);
    default: return std::make_unique<CProcessor>(machine);
    }
}

CProcessor::CProcessor(const platform::Machine& machine, int32_t vendorCode)
    : machine(machine), maxStandardLeaf(machine.Cpuid(0).eax), vendor(vendorCode)
{
}

int32_t CProcessor::MeasureMHz() { return MeasureClockMHz(machine); }

int32_t CProcessor::MatchStandardMHz(int32_t mhz) { return mhz; }

std::string CProcessor::GetName() { return "N/D"; }

void CProcessor::FormatCacheSizes(std::string& l1Code, std::string& l1Data, std::string& l2)
{
    CacheSizes sizes;
    GetCacheSizes(sizes);
    // Both L1 texts follow the instruction-cache size alone.
    if (sizes.l1CodeKb == kNotAvailable) {
        l1Code = l1Data = "N/A";
    } else if (sizes.l1CodeKb == kNotDetermined) {
        l1Code = l1Data = "N/D";
    } else {
        l1Code = platform::TextFormat("%d Kb", sizes.l1CodeKb);
        l1Data = platform::TextFormat("%d Kb", sizes.l1DataKb);
    }
    if (sizes.l2Kb == kNotAvailable)
        l2 = "N/A";
    else if (sizes.l2Kb == kNotDetermined)
        l2 = "N/D";
    else
        l2 = platform::TextFormat("%d Kb", sizes.l2Kb);
}

void CProcessor::GetCacheSizes(CacheSizes& sizes) { sizes = {kNotDetermined, kNotDetermined, kNotDetermined}; }

std::string CProcessor::GetProcessorType() { return "N/D"; }
std::string CProcessor::GetBrandName() { return "N/D"; }
std::string CProcessor::DescribeL2Cache() { return "N/D"; }
std::string CProcessor::DescribeL1CodeCache() { return "N/D"; }
std::string CProcessor::DescribeL1DataCache() { return "N/D"; }

void CProcessor::DescribeInstructionTlb(std::string& pages4Mb, std::string& pages4Kb)
{
    pages4Mb = pages4Kb = "N/D";
}

void CProcessor::DescribeDataTlb(std::string& pages4Mb, std::string& pages4Kb) { pages4Mb = pages4Kb = "N/D"; }

void CProcessor::GetExtendedFamilyModel(CpuSignature& signature)
{
    signature = {kNotDetermined, kNotDetermined, kNotDetermined};
}

int32_t CProcessor::GetGeneration() { return kNotDetermined; }

void CProcessor::GetSerialNumber(SerialNumber& serial)
{
    serial = {kNotDetermined, kNotDetermined, kNotDetermined};
}

std::string CProcessor::GetBrandString()
{
    if (vendor == VendorOther) return "N/D";
    char area[49] = "N/A";
    // Any extended leaf above the base counts as offering the brand leaves.
    if (machine.Cpuid(kExtendedBase).eax > kExtendedBase) {
        for (uint32_t i = 0; i < 3; ++i) {
            const platform::CpuidRegs r = machine.Cpuid(kExtendedBase + 2 + i);
            PutRegister(area + 16 * i + 0, r.eax);
            PutRegister(area + 16 * i + 4, r.ebx);
            PutRegister(area + 16 * i + 8, r.ecx);
            PutRegister(area + 16 * i + 12, r.edx);
        }
    }
    area[48] = '\0';
    return std::string(area);
}

std::string CProcessor::DescribeL2Tlb() { return "N/D"; }

}  // namespace cpu
