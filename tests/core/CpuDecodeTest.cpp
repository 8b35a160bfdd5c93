// What the processor variants decode beyond the recorded and hand-made dumps the report tests read:
// vendor near misses, the name tables' ends and fallbacks, and the brand string's bounds.
#include <gtest/gtest.h>

#include <string>

#include "cpu/Processor.h"
#include "tests/core/FakeCpu.h"
#include "tests/support/Golden.h"

using namespace cpu;

namespace {

std::string NameOf(const char* vendor, uint32_t family, uint32_t model, uint32_t intelL2Byte = 0x43)
{
    FakeCpu cpu(vendor, 2);
    cpu.Signature(family, model).Set(2, 0x03020101, 0, 0, 0x0C040800u | intelL2Byte);
    return cpu.Detected()->GetName();
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
        EXPECT_EQ(DetectVendor(cpu.machine).label, label);
        const char* names[] = {"Intel Pentium Pro", "AMD Athlon", "Unknown Cyrix (Cyrix III?)", "N/D"};
        const int variant = label[0] == 'I' ? 0 : label[0] == 'A' ? 1 : label[0] == 'C' ? 2 : 3;
        EXPECT_EQ(cpu.Detected()->GetName(), names[variant]) << vendor;
    }
}

// Every family and model of every vendor, whole: an entry no recorded processor reaches (a Cyrix III
// model) is still a name a user would see, so a changed entry shows in the golden file's diff.
TEST(CpuVendor, NameTablesWholeAndTheirFallbacks)
{
    std::string names;
    for (const char* vendor : {"GenuineIntel", "AuthenticAMD", "CyrixInstead"})
        for (uint32_t family : {3u, 4u, 5u, 6u, 7u, 15u})
            for (uint32_t model = 0; model < 16; ++model)
                names += std::string(vendor) + " " + std::to_string(family) + "/" + std::to_string(model) + ": " +
                         NameOf(vendor, family, model) + "\n";
    ExpectGolden("golden/processor-names.txt", names);
    // Family 6 model 5 is named by its L2 size: a code not in the size table counts as none.
    EXPECT_EQ(NameOf("GenuineIntel", 6, 5, 0x99), "Intel Celeron [without L2 cache]");
}

TEST(CpuVendor, BrandStringTakesFortyEightBytesWhenAnyExtendedLeafIsOffered)
{
    FakeCpu cpu("AuthenticAMD", 1);
    cpu.Set(0x80000000, 0x80000001);  // strictly above the base is enough
    for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) cpu.Set(leaf, 0x41414141, 0x41414141, 0x41414141, 0x41414141);
    EXPECT_EQ(cpu.Detected()->GetBrandString(), std::string(48, 'A'));  // no terminator of its own
    cpu.Set(0x80000000, 0x80000000);
    EXPECT_EQ(cpu.Detected()->GetBrandString(), "N/A");
}
