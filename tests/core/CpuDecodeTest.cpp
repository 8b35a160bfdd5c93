// What the processor variants decode where the recorded dumps do not reach: vendor near misses, the
// tables' ends and fallbacks, and the fields with a rule of their own.
#include <gtest/gtest.h>

#include <string>

#include "cpu/Processor.h"
#include "tests/core/FakeCpu.h"

namespace {

constexpr uint32_t kL1 = 0x80000005;
constexpr uint32_t kL2 = 0x80000006;

std::unique_ptr<CProcessor> Detected()
{
    DetectVendor();
    return CreateProcessor();
}

std::string NameOf(const char* vendor, uint32_t family, uint32_t model, uint32_t intelL2Byte = 0x43)
{
    FakeCpu cpu(vendor, 2);
    cpu.Signature(family, model).Set(2, 0x03020101, 0, 0, 0x0C040800u | intelL2Byte);
    return Detected()->GetName();
}

}  // namespace

TEST(CpuVendor, ExactVendorStringsChooseTheVariantAndNearMissesAreOther)
{
    const std::pair<const char*, const char*> cases[] = {
        {"GenuineIntel", "Intel   (GenuineIntel)"}, {"AuthenticAMD", "AMD   (AuthenticAMD)"},
        {"CyrixInstead", "Cyrix   (CyrixInstead)"}, {"genuineintel", "Other   (genuineintel)"},
        {"AuthenticAM", "Other   (AuthenticAM)"},   {"", "Other   ()"},
    };
    for (const auto& [vendor, label] : cases) {
        FakeCpu cpu(vendor, 1);
        cpu.Signature(6, 1);
        EXPECT_EQ(DetectVendor(), label);
        const char* names[] = {"Intel Pentium Pro", "AMD Athlon", "Unknown Cyrix (Cyrix III?)", "N/D"};
        const int variant = label[0] == 'I' ? 0 : label[0] == 'A' ? 1 : label[0] == 'C' ? 2 : 3;
        EXPECT_EQ(CreateProcessor()->GetName(), names[variant]) << vendor;
    }
}

TEST(CpuVendor, NameTablesEndInTheirFallbacks)
{
    EXPECT_EQ(NameOf("AuthenticAMD", 4, 15), "AMD 486 or AMD 5x86");
    EXPECT_EQ(NameOf("AuthenticAMD", 5, 14), "Unknown AMD K5 or K6 class");
    EXPECT_EQ(NameOf("AuthenticAMD", 15, 4), "Unknown AMD");
    EXPECT_EQ(NameOf("GenuineIntel", 6, 10), "Intel Pentium III Xeon");
    EXPECT_EQ(NameOf("GenuineIntel", 15, 0), "Unknown Intel Pentium IV class");
    EXPECT_EQ(NameOf("GenuineIntel", 3, 0), "Unknown Intel");
    EXPECT_EQ(NameOf("CyrixInstead", 4, 4), "Cyrix MediaGX");
    EXPECT_EQ(NameOf("CyrixInstead", 7, 0), "Unknown Cyrix (Cyrix III?)");
    // Family 6 model 5 is named by its L2 size: below 512 Kb, or not in the size table, it is small.
    EXPECT_EQ(NameOf("GenuineIntel", 6, 5, 0x43), "Intel Pentium II (Deschutes) or Pentium II Xeon");
    for (uint32_t l2 : {0x42u, 0x40u, 0x99u}) EXPECT_EQ(NameOf("GenuineIntel", 6, 5, l2), "Intel Celeron [without L2 cache]");
}

TEST(CpuVendor, BrandStringTakesFortyEightBytesWhenAnyExtendedLeafIsOffered)
{
    FakeCpu cpu("AuthenticAMD", 1);
    cpu.Set(0x80000000, 0x80000001);  // strictly above the base is enough
    for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) cpu.Set(leaf, 0x41414141, 0x41414141, 0x41414141, 0x41414141);
    EXPECT_EQ(Detected()->GetBrandString(), std::string(48, 'A'));  // no terminator of its own
    cpu.Set(0x80000000, 0x80000000);
    EXPECT_EQ(Detected()->GetBrandString(), "N/A");
}

TEST(CpuAmd, FieldsWithSpecialValues)
{
    FakeCpu cpu("AuthenticAMD", 1);
    cpu.Signature(6, 4).Set(0x80000000, kL2);
    // 0xFF ways is full; an odd count of 2 Mb entries halves downwards for 4 Mb pages.
    cpu.Set(kL1, 0x0409FF08, 0x0218FF10, 0x08FF0120, 0xFFFEFFFF);
    auto texts = DecodedTexts(*Detected());
    EXPECT_EQ(texts[kL1DataText], "32 byte line size, full associative, 1 lines/tag, 8 Kb");
    EXPECT_EQ(texts[kL1CodeText], "255 byte line size, 254-way associative, 255 lines/tag, 255 Kb");
    EXPECT_EQ(texts[kItlb4Mb], "4 Mb pages, fully associative, 4 entries  || 2 Mb pages : fully associative, 8 entries");
    EXPECT_EQ(texts[kDtlb4Kb], "4 Kb pages, 2-way associative, 24 entries");
    EXPECT_EQ(texts[kDtlb4Mb], "4 Mb pages, 4-way associative, 4 entries  || 2 Mb pages : 4-way associative, 9 entries");
    // An EAX of zero has no large pages; an empty half of a non-zero one still prints.
    cpu.Set(kL1, 0, 0x0218FF10);
    texts = DecodedTexts(*Detected());
    EXPECT_EQ(texts[kItlb4Mb] + "|" + texts[kDtlb4Mb], "N/A|N/A");
    cpu.Set(kL1, 0x00000408);
    EXPECT_EQ(DecodedTexts(*Detected())[kDtlb4Mb], "4 Mb pages, 0-way associative, 0 entries  || 2 Mb pages : 0-way associative, 0 entries");

    // The L2 associativity code is printed as it stands except for its three named values.
    const std::pair<uint32_t, const char*> l2[] = {{0x01000140, "L2 off, 1 lines/tag, 256 Kb"},
        {0x01001140, "direct mapped, 1 lines/tag, 256 Kb"}, {0x0100E140, "14-way associative, 1 lines/tag, 256 Kb"},
        {0xFFFFF140, "full associative, 1 lines/tag, 65535 Kb"}};
    for (const auto& [ecx, text] : l2) {
        cpu.Set(kL2, 0x00010000, 0x41004100, ecx);
        EXPECT_EQ(DecodedTexts(*Detected())[kL2Text], std::string("64 byte line size, ") + text);
    }
    EXPECT_EQ(Detected()->DescribeL2Tlb(), "L2 TLB is not unified");
}

TEST(CpuIntel, UnknownAndMissingDescriptors)
{
    FakeCpu cpu("GenuineIntel", 2);
    cpu.Signature(6, 7);
    // A code at another entry's byte, and codes with a size but no text, or a text but no size.
    cpu.Set(2, 0x01030201, 0, 0, 0x66670881u);
    auto p = Detected();
    EXPECT_EQ(FormattedSizes(*p), "16 Kb|8 Kb|128 Kb");
    EXPECT_EQ(DecodedTexts(*p), (std::vector<std::string>{"Unknown", "32 byte line size, 4-way set associative, 16 Kb",
                                                          "Unknown", "Unknown", "Unknown", "Unknown", "Unknown"}));
    // An EDX of zero: no cache texts, sizes zero; the TLBs still read EAX.
    cpu.Set(2, 0x03020101, 0, 0, 0);
    p = Detected();
    EXPECT_EQ(FormattedSizes(*p), "0 Kb|0 Kb|0 Kb");
    EXPECT_EQ(DecodedTexts(*p)[kL1DataText], "N/A");
    EXPECT_EQ(DecodedTexts(*p)[kDtlb4Kb], "4 Kb pages, 64 entries, 4-way set associative");
    // Highest leaf 1: leaf 2 is never read.
    cpu.Set(0, 1, 0x756e6547, 0x6c65746e, 0x49656e69).Set(2, 0x03020101, 0, 0, 0x0C040843);
    const int leafTwoCalls = cpu.Calls(2);
    p = Detected();
    EXPECT_EQ(FormattedSizes(*p), "N/A|N/A|N/A");
    EXPECT_EQ(DecodedTexts(*p), std::vector<std::string>(7, "N/A"));
    EXPECT_EQ(cpu.Calls(2), leafTwoCalls);
}

TEST(CpuIntel, LeafOneAndThreeFields)
{
    FakeCpu cpu("GenuineIntel", 2);
    cpu.Set(1, 0xFFFF'F673u, 0x1234'5608u).Set(3, 0, 0, 0x89AB'CDEFu, 0x0123'4567u);
    auto p = Detected();
    EXPECT_EQ(p->GetProcessorType(), "Unknown");  // type 3: the table's last row
    EXPECT_EQ(p->GetBrandName(), "Pentium IV");   // only the low byte is the index
    cpu.Set(1, 0x0000'0673u, 9);
    EXPECT_EQ(p->GetProcessorType(), "OEM");
    EXPECT_EQ(p->GetBrandName(), "Unknown");
    SerialNumber serial{5, 5, 5};
    p->GetSerialNumber(serial);
    EXPECT_EQ(serial, (SerialNumber{0, 0, 0})) << "leaf 3 not offered";
    cpu.Set(0, 3, 0x756e6547, 0x6c65746e, 0x49656e69);
    Detected()->GetSerialNumber(serial);
    EXPECT_EQ(serial, (SerialNumber{0x0673, 0x0123'4567, static_cast<int32_t>(0x89AB'CDEFu)}));

    // The extended family and model only for family 15; bits 28-31 are not part of the family.
    const std::pair<uint32_t, CpuSignature> cases[] = {{0x0FF6'06A0u, {9, 0, 0}}, {0xF1AF'0F00u, {9, 15, 26}}};
    for (const auto& [eax, expected] : cases) {
        cpu.Set(1, eax);
        CpuSignature sig{9, -1, -1};
        p->GetExtendedFamilyModel(sig);
        EXPECT_EQ(sig, expected) << std::hex << eax;
    }
}
