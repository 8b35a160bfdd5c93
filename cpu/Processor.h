#pragma once
// The processor model: vendor detection, the processor variants with their decoding of CPUID, and the
// records and feature words they fill. Nothing is cached: every answer is read from the machine's CPUID
// when it is asked for, so a fresh object is made for each use.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Machine.h"

namespace cpu {

// Vendor codes, as DetectVendor finds them and CreateProcessor takes them.
enum : int32_t {
    VendorAmd = 1,
    VendorIntel = 2,
    VendorCyrix = 3,
    VendorOther = 4,
};

// What DetectVendor found: the code that selects the processor variant, and the page's label.
struct DetectedVendor {
    int32_t code = VendorOther;
    std::string label;
};

// Integer results use -1 for "cannot be determined for this vendor" ("N/D") and -2 for "the processor
// does not offer the CPUID leaf that would tell" ("N/A").
constexpr int32_t kNotDetermined = -1;
constexpr int32_t kNotAvailable = -2;

struct CacheSizes {
    int32_t l1CodeKb = 0;
    int32_t l1DataKb = 0;
    int32_t l2Kb = 0;
    bool operator==(const CacheSizes&) const = default;
};

struct CpuSignature {
    int32_t stepping = 0;
    int32_t model = 0;
    int32_t family = 0;
    bool operator==(const CpuSignature&) const = default;
};

struct SerialNumber {
    int32_t signature = 0;  // leaf 1 EAX
    int32_t middle = 0;     // leaf 3 EDX
    int32_t low = 0;        // leaf 3 ECX
    bool operator==(const SerialNumber&) const = default;
};

// Leaf 1 EDX, read when the word is made.
struct StandardFeatureFlags {
    explicit StandardFeatureFlags(const platform::Machine& machine);
    bool Bit(int bit) const { return bit >= 0 && bit < 32 && ((flags >> bit) & 1u) != 0; }
    uint32_t flags = 0;
};

// Leaf 0x80000001 EDX when leaf 0x80000000 reports it, else 0; read for every vendor.
struct AmdFeatureFlags {
    explicit AmdFeatureFlags(const platform::Machine& machine);
    bool Bit(int bit) const { return bit >= 0 && bit < 32 && ((flags >> bit) & 1u) != 0; }
    uint32_t flags = 0;
};

// Reads the vendor string of leaf 0: its code and its label, e.g. "Intel   (GenuineIntel)".
DetectedVendor DetectVendor(const platform::Machine& machine);

// Stepping, model and family of leaf 1 (no extended fields), or -1 in all three for VendorOther.
void GetFamilyModelStepping(const platform::Machine& machine, int32_t vendor, CpuSignature& signature);

// The base processor: also the variant for a vendor the program does not know. Asks the machine it is
// made with, which must outlive it.
class CProcessor {
public:
    explicit CProcessor(const platform::Machine& machine, int32_t vendorCode = VendorOther);
    virtual ~CProcessor() = default;
    CProcessor(const CProcessor&) = delete;
    CProcessor& operator=(const CProcessor&) = delete;

    // The clock counted over a little more than a second of the millisecond timer, in MHz.
    virtual int32_t MeasureMHz();
    // The vendor's standard clock within 3 MHz of the measurement, or -1; the base returns its argument.
    virtual int32_t MatchStandardMHz(int32_t mhz);
    virtual std::string GetName();
    // "%d Kb", "N/A" or "N/D" for the L1 instruction, L1 data and L2 caches.
    virtual void FormatCacheSizes(std::string& l1Code, std::string& l1Data, std::string& l2);
    virtual void GetCacheSizes(CacheSizes& sizes);
    virtual std::string GetProcessorType();
    virtual std::string GetBrandName();
    virtual std::string DescribeL2Cache();
    virtual std::string DescribeL1CodeCache();
    virtual std::string DescribeL1DataCache();
    virtual void DescribeInstructionTlb(std::string& pages4Mb, std::string& pages4Kb);
    virtual void DescribeDataTlb(std::string& pages4Mb, std::string& pages4Kb);
    // Only model and family carry meaning; the caller's stepping is left alone by the Intel variant.
    virtual void GetExtendedFamilyModel(CpuSignature& signature);
    virtual int32_t GetGeneration();
    virtual void GetSerialNumber(SerialNumber& serial);
    virtual std::string GetBrandString();
    virtual std::string DescribeL2Tlb();

    const platform::Machine& machine;
    uint32_t maxStandardLeaf = 0;
    // The vendor this object was made for: the brand string and the signature depend on it.
    const int32_t vendor;
};

class CIntelProcessor : public CProcessor {
public:
    explicit CIntelProcessor(const platform::Machine& machine) : CProcessor(machine, VendorIntel) {}
    int32_t MatchStandardMHz(int32_t mhz) override;
    std::string GetName() override;
    void GetCacheSizes(CacheSizes& sizes) override;
    std::string GetProcessorType() override;
    std::string GetBrandName() override;
    std::string DescribeL2Cache() override;
    std::string DescribeL1CodeCache() override;
    std::string DescribeL1DataCache() override;
    void DescribeInstructionTlb(std::string& pages4Mb, std::string& pages4Kb) override;
    void DescribeDataTlb(std::string& pages4Mb, std::string& pages4Kb) override;
    void GetExtendedFamilyModel(CpuSignature& signature) override;
    void GetSerialNumber(SerialNumber& serial) override;
};

class CAmdProcessor : public CProcessor {
public:
    explicit CAmdProcessor(const platform::Machine& machine);
    int32_t MatchStandardMHz(int32_t mhz) override;
    std::string GetName() override;
    void GetCacheSizes(CacheSizes& sizes) override;
    std::string DescribeL2Cache() override;
    std::string DescribeL1CodeCache() override;
    std::string DescribeL1DataCache() override;
    void DescribeInstructionTlb(std::string& pages4Mb, std::string& pages4Kb) override;
    void DescribeDataTlb(std::string& pages4Mb, std::string& pages4Kb) override;
    int32_t GetGeneration() override;
    std::string DescribeL2Tlb() override;

    uint32_t maxExtendedLeaf = 0;
};

class CCyrixProcessor : public CProcessor {
public:
    explicit CCyrixProcessor(const platform::Machine& machine) : CProcessor(machine, VendorCyrix) {}
    std::string GetName() override;
};

// A new object of the variant the vendor selects: AMD, Intel, Cyrix, or the base for anything else.
std::unique_ptr<CProcessor> CreateProcessor(const platform::Machine& machine, int32_t vendor);

}  // namespace cpu
