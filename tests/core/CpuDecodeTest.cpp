// What the processor variants decode beyond the recorded and hand-made dumps the report tests read:
// vendor near misses, the name tables' ends and fallbacks, and the brand string's bounds.
#include <gtest/gtest.h>

#include <string>

#include "cpu/Processor.h"
#include "tests/core/FakeCpu.h"

namespace {

std::unique_ptr<CProcessor> Detected()
{
    return CreateProcessor(DetectVendor().code);
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
        EXPECT_EQ(DetectVendor().label, label);
        const char* names[] = {"Intel Pentium Pro", "AMD Athlon", "Unknown Cyrix (Cyrix III?)", "N/D"};
        const int variant = label[0] == 'I' ? 0 : label[0] == 'A' ? 1 : label[0] == 'C' ? 2 : 3;
        EXPECT_EQ(CreateProcessor(DetectVendor().code)->GetName(), names[variant]) << vendor;
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
    // Family 6 model 5 is named by its L2 size: a code not in the size table counts as none.
    EXPECT_EQ(NameOf("GenuineIntel", 6, 5, 0x99), "Intel Celeron [without L2 cache]");
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
