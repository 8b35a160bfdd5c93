// Vendor detection, the records every variant fills, the base behaviour, and the Cyrix and unknown
// vendors.
#include <gtest/gtest.h>

#include <string>

#include "FakeCpu.h"
#include "cpu/Clock.h"
#include "cpu/Processor.h"

namespace {

// A processor whose CacheSizes are chosen by the test, to exercise the formatting alone.
class FixedSizes : public CProcessor {
public:
    explicit FixedSizes(CacheSizes s) : sizes_(s) {}
    void GetCacheSizes(CacheSizes& s) override { s = sizes_; }

private:
    CacheSizes sizes_;
};

}  // namespace

TEST(CpuVendor, VendorStringsGiveTheirCodeLabelAndVariant)
{
    struct Case {
        const char* vendor;
        int32_t code;
        const char* label;
    } cases[] = {
        {"GenuineIntel", VendorIntel, "Intel   (GenuineIntel)"},
        {"AuthenticAMD", VendorAmd, "AMD   (AuthenticAMD)"},
        {"CyrixInstead", VendorCyrix, "Cyrix   (CyrixInstead)"},
        {"CentaurHauls", VendorOther, "Other   (CentaurHauls)"},
        // Exact and case-sensitive: near misses are other vendors.
        {"genuineintel", VendorOther, "Other   (genuineintel)"},
        {"AuthenticAM", VendorOther, "Other   (AuthenticAM)"},
        // The string ends at the processor's first zero byte.
        {"", VendorOther, "Other   ()"},
    };
    for (const Case& c : cases) {
        FakeCpu cpu(c.vendor, 1);
        VendorCode = 0;
        EXPECT_EQ(DetectVendor(), c.label) << c.vendor;
        EXPECT_EQ(VendorCode, c.code) << c.vendor;
        auto p = CreateProcessor();
        CProcessor& made = *p;
        const std::type_info& expected = c.code == VendorIntel ? typeid(CIntelProcessor)
                                         : c.code == VendorAmd ? typeid(CAmdProcessor)
                                         : c.code == VendorCyrix ? typeid(CCyrixProcessor)
                                                                 : typeid(CProcessor);
        EXPECT_EQ(typeid(made), expected) << c.vendor;
    }
    // A vendor code not yet detected makes the base processor.
    FakeCpu cpu("GenuineIntel", 1);
    VendorCode = 0;
    auto p = CreateProcessor();
    CProcessor& base = *p;
    EXPECT_EQ(typeid(base), typeid(CProcessor));
}

TEST(CpuVendor, FamilyModelSteppingComeFromLeafOneWithoutExtendedFields)
{
    FakeCpu cpu("AuthenticAMD", 1);
    cpu.Set(1, 0x0FFF'F6A3u);  // extended family and model set: they are not folded in
    DetectVendor();
    CpuSignature sig;
    GetFamilyModelStepping(sig);
    EXPECT_EQ(sig, (CpuSignature{3, 10, 6}));
}

TEST(CpuVendor, UnknownVendorReadsNoSignatureAndShowsNotDeterminedEverywhere)
{
    FakeCpu cpu("RiseRiseRise", 2);
    cpu.Signature(5, 0, 4).Set(2, 0x03020101, 0, 0, 0x0C040843);
    cpu.Set(0x80000000, 0x80000004).Set(0x80000002, 0x20202020, 0x20202020, 0x20202020, 0x20202020);
    EXPECT_EQ(DetectVendor(), "Other   (RiseRiseRise)");

    const int before = cpu.Calls(1);
    CpuSignature sig{7, 7, 7};
    GetFamilyModelStepping(sig);
    EXPECT_EQ(sig, (CpuSignature{-1, -1, -1}));
    EXPECT_EQ(cpu.Calls(1), before) << "no CPUID for an unknown vendor's signature";

    auto p = CreateProcessor();
    EXPECT_EQ(p->maxStandardLeaf, 2u);
    EXPECT_EQ(DecodedTexts(*p), std::vector<std::string>(7, "N/D"));
    EXPECT_EQ(FormattedSizes(*p), "N/D|N/D|N/D");
    for (const std::string& text : {p->GetName(), p->GetBrandString(), p->GetProcessorType(), p->GetBrandName(),
                                    p->DescribeL2Tlb()})
        EXPECT_EQ(text, "N/D");
    EXPECT_EQ(p->GetGeneration(), -1);
    CpuSignature ext{5, 5, 5};
    p->GetExtendedFamilyModel(ext);
    EXPECT_EQ(ext, (CpuSignature{-1, -1, -1}));
    SerialNumber serial{5, 5, 5};
    p->GetSerialNumber(serial);
    EXPECT_EQ(serial, (SerialNumber{-1, -1, -1}));
    CacheSizes sizes;
    p->GetCacheSizes(sizes);
    EXPECT_EQ(sizes, (CacheSizes{-1, -1, -1}));
    // Never a standard clock, so never marked as overclocked.
    for (int32_t mhz : {0, 40, 163, 804, 4500})
        EXPECT_EQ(FormatClockText(mhz, p->MatchStandardMHz(mhz)), std::to_string(mhz) + " MHz");
}

TEST(CpuVendor, CyrixNamesByFamilyAndModel)
{
    struct Case {
        uint32_t family, model;
        const char* name;
    } cases[] = {
        {4, 4, "Cyrix MediaGX"},        {4, 0, "Cyrix 5x86"},         {4, 9, "Cyrix 5x86"},
        {5, 4, "Cyrix MediaGxm"},       {5, 2, "Cyrix 6x86"},         {5, 15, "Cyrix 6x86"},
        {6, 0, "Cyrix 6x86MX or M II"}, {6, 5, "VIA Cyrix III"},      {6, 6, "Unknown Cyrix (Cyrix III?)"},
        {7, 0, "Unknown Cyrix (Cyrix III?)"}, {3, 4, "Unknown Cyrix (Cyrix III?)"},
    };
    for (const Case& c : cases) {
        FakeCpu cpu("CyrixInstead", 1);
        cpu.Signature(c.family, c.model);
        DetectVendor();
        EXPECT_EQ(CreateProcessor()->GetName(), c.name) << c.family << "/" << c.model;
    }
}

TEST(CpuVendor, CyrixDecodesNothingButItsNameAndBrandString)
{
    FakeCpu cpu("CyrixInstead", 2);
    cpu.Signature(6, 0).Set(2, 0x03020101, 0, 0, 0x0C040843);
    cpu.Set(0x80000000, 0x80000006).Set(0x80000005, 0x0408ff08, 0xff18ff10, 0x40020140, 0x40020140);
    cpu.Set(0x80000002, 0x69727943, 0x20203378, 0, 0);  // "Cyrix3  "
    DetectVendor();
    auto p = CreateProcessor();
    EXPECT_EQ(FormattedSizes(*p), "N/D|N/D|N/D");
    EXPECT_EQ(DecodedTexts(*p), std::vector<std::string>(7, "N/D"));
    EXPECT_EQ(p->GetProcessorType(), "N/D");
    EXPECT_EQ(p->GetGeneration(), -1);
    EXPECT_EQ(p->GetBrandString(), "Cyrix3  ");
    for (int32_t mhz : {133, 166, 301})
        EXPECT_EQ(FormatClockText(mhz, p->MatchStandardMHz(mhz)), std::to_string(mhz) + " MHz");
}

TEST(CpuVendor, CacheSizeTextsFollowTheInstructionCacheForBothL1Texts)
{
    const std::pair<CacheSizes, const char*> cases[] = {
        {{-1, 16, 256}, "N/D|N/D|256 Kb"},
        {{-2, 16, 256}, "N/A|N/A|256 Kb"},
        {{16, -1, -2}, "16 Kb|-1 Kb|N/A"},
        {{16, -2, -1}, "16 Kb|-2 Kb|N/D"},
        {{0, 0, 0}, "0 Kb|0 Kb|0 Kb"},
        {{64, 32, 65535}, "64 Kb|32 Kb|65535 Kb"},
    };
    FakeCpu cpu("GenuineIntel", 1);
    for (const auto& [sizes, texts] : cases) {
        FixedSizes p(sizes);
        EXPECT_EQ(FormattedSizes(p), texts);
    }
}

TEST(CpuVendor, BrandStringTakesFortyEightBytesWhenAnyExtendedLeafIsOffered)
{
    // "  Intel(R) Pentium(R) 4 CPU 1.50GHz" with its leading blanks: 0x80000002..4 as recorded.
    FakeCpu cpu("GenuineIntel", 2);
    cpu.Set(0x80000000, 0x80000001)  // strictly above the base is enough
        .Set(0x80000002, 0x20202020, 0x20202020, 0x65746e49, 0x2952286c)
        .Set(0x80000003, 0x6e655020, 0x6d756974, 0x20295228, 0x50432034)
        .Set(0x80000004, 0x2e312055, 0x48473035, 0x0000007a, 0);
    DetectVendor();
    EXPECT_EQ(CreateProcessor()->GetBrandString(), "        Intel(R) Pentium(R) 4 CPU 1.50GHz");

    for (uint32_t max : {0x80000000u, 0u}) {
        cpu.Set(0x80000000, max);
        EXPECT_EQ(CreateProcessor()->GetBrandString(), "N/A");
    }
    // Forty-eight characters with no terminator of their own stop at the area's end.
    cpu.Set(0x80000000, 0x80000004);
    for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) cpu.Set(leaf, 0x41414141, 0x41414141, 0x41414141, 0x41414141);
    EXPECT_EQ(CreateProcessor()->GetBrandString(), std::string(48, 'A'));
    // Zero leaves after the test leave nothing of "N/A".
    for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) cpu.Set(leaf, 0, 0, 0, 0);
    EXPECT_EQ(CreateProcessor()->GetBrandString(), "");
}

TEST(CpuVendor, FeatureWordsAreReadWhenMade)
{
    FakeCpu cpu("CentaurHauls", 1);
    cpu.Signature(6, 7, 0, 0, 0x8080'0001u);
    cpu.Set(0x80000000, 0x80000000).Set(0x80000001, 0, 0, 0, 0xC040'0000u);
    EXPECT_EQ(StandardFeatureFlags().flags, 0x8080'0001u);
    EXPECT_EQ(AmdFeatureFlags().flags, 0u) << "the highest extended leaf must reach 0x80000001, whatever the vendor";
    cpu.Set(0x80000000, 0x80000001);
    const auto amd = AmdFeatureFlags();
    EXPECT_EQ(amd.flags, 0xC040'0000u);
    EXPECT_EQ(std::vector<bool>({amd.Bit(-1), amd.Bit(21), amd.Bit(22), amd.Bit(31), amd.Bit(32)}),
              std::vector<bool>({false, false, true, true, false}));
}
