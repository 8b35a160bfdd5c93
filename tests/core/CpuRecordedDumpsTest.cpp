// The processor model run against recorded CPUID dumps of real processors: every operation on every
// dump, and one dump checked field by field against values worked out by hand from the tables (the
// hand-written reports check more of them byte for byte).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpu/Clock.h"
#include "cpu/Processor.h"
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"
#include "tests/core/FakeCpu.h"
#include "tests/core/ReportTestSupport.h"

using namespace reporttest;

namespace {

// Everything the Processor Information page and the report ask for, of a recorded processor.
struct Everything {
    std::string label, name, sizes, type, brandName, brandString, l2Tlb, clock;
    std::vector<std::string> texts;
    CpuSignature signature, extended;
    SerialNumber serial;
    int32_t generation = 0, mhz = 0;
    uint32_t standardFlags = 0, amdFlags = 0;
};

Everything AskEverything(const fs::path& path)
{
    const platform::CpuidDump dump = platform::LoadCpuidDump(path.string());
    platform::ScopedCpuid cpuid([&](uint32_t leaf, uint32_t subleaf) { return dump.Query(leaf, subleaf); });
    platform::ScopedTimeGetTime timer(platform::SteppingClock(0xFFFF'FF00u, 1));
    platform::ScopedTsc tsc(platform::SteppingTsc(0, 733'000'000));
    Everything e;
    e.label = DetectVendor();
    GetFamilyModelStepping(e.signature);
    auto p = CreateProcessor();
    e.name = p->GetName();
    e.mhz = p->MeasureMHz();
    e.clock = FormatClockText(e.mhz, p->MatchStandardMHz(e.mhz));
    e.sizes = FormattedSizes(*p);
    e.texts = DecodedTexts(*p);
    e.type = p->GetProcessorType();
    e.brandName = p->GetBrandName();
    e.brandString = p->GetBrandString();
    e.l2Tlb = p->DescribeL2Tlb();
    p->GetExtendedFamilyModel(e.extended);
    e.generation = p->GetGeneration();
    p->GetSerialNumber(e.serial);
    e.standardFlags = StandardFeatureFlags().flags;
    e.amdFlags = AmdFeatureFlags().flags;
    return e;
}

}  // namespace

TEST(CpuRecordedDumps, EveryOperationAnswersOnEveryDump)
{
    SKIP_WITHOUT_SHARED_DUMPS();
    const std::vector<fs::path> files = AllDumps();
    ASSERT_GT(files.size(), 100u);
    for (const fs::path& file : files) {
        const std::string fileName = file.filename().string();
        SCOPED_TRACE(fileName);
        const Everything e = AskEverything(file);

        // The label names the vendor class that VendorCode holds.
        const char* prefix = VendorCode == VendorIntel ? "Intel   (" : VendorCode == VendorAmd ? "AMD   ("
                             : VendorCode == VendorCyrix                                    ? "Cyrix   ("
                                                                                            : "Other   (";
        EXPECT_TRUE(e.label.starts_with(prefix)) << e.label;
        EXPECT_LE(e.label.size(), 22u);
        // One recorded Intel part answers with a misspelt vendor string.
        const int32_t named = fileName.starts_with("cyrix-") ? VendorCyrix
                              : fileName.starts_with("amd-") ? VendorAmd
                              : fileName.starts_with("intel-") && fileName.find("genuineiotel") == std::string::npos
                                  ? VendorIntel
                                  : VendorCode;
        EXPECT_EQ(VendorCode, named);

        for (const std::string& text : e.texts) EXPECT_FALSE(text.empty());
        for (const std::string* text : {&e.name, &e.type, &e.brandName, &e.l2Tlb, &e.clock}) EXPECT_FALSE(text->empty());
        EXPECT_LE(e.name.size(), 54u);
        EXPECT_LE(e.brandString.size(), 48u);
        EXPECT_EQ(e.mhz, 733);
        EXPECT_EQ(e.name == "N/D", VendorCode == VendorOther);
        if (VendorCode == VendorOther) {
            EXPECT_EQ(e.brandString, "N/D");
            EXPECT_EQ(e.signature, (CpuSignature{-1, -1, -1}));
        } else {
            EXPECT_GE(e.signature.family, 0);
            EXPECT_LE(e.signature.family, 15);
        }
        if (VendorCode == VendorIntel) {
            for (const std::string& text : e.texts) EXPECT_LE(text.size(), 69u);
            EXPECT_EQ(e.generation, -1);
        }
        if (VendorCode == VendorAmd) {
            // Every field is printed: this variant never answers "Unknown".
            for (const std::string& text : e.texts) {
                EXPECT_EQ(text.find("Unknown"), std::string::npos) << text;
                EXPECT_LE(text.size(), 94u);
            }
            EXPECT_LE(e.l2Tlb.size(), 31u);
            EXPECT_EQ(e.type, "N/D");
        }
        if (VendorCode == VendorCyrix || VendorCode == VendorOther) {
            EXPECT_EQ(e.sizes, "N/D|N/D|N/D");
            EXPECT_EQ(e.clock, "733 MHz");
        }
    }
}

TEST(CpuRecordedDumps, IntelPentiumIIDeschutes)
{
    SKIP_WITHOUT_SHARED_DUMPS();
    // leaf 0 max 2; leaf 1 EAX 0x651 EBX 0 EDX 0x0183fbff; leaf 2 EAX 0x03020101 EDX 0x0c040843;
    // no extended leaves.
    const Everything e = AskEverything(SharedDumps() / "intel-0651-pentium-ii-deschutes.txt");
    EXPECT_EQ(e.label, "Intel   (GenuineIntel)");
    EXPECT_EQ(e.signature, (CpuSignature{1, 5, 6}));
    // Family 6 model 5, L2 byte 0x43 = 512 Kb, not below 512.
    EXPECT_EQ(e.name, "Intel Pentium II (Deschutes) or Pentium II Xeon");
    // L1 code byte 1 = 0x08: 16; L1 data byte 3 = 0x0C: 16; L2 byte 0 = 0x43: 512.
    EXPECT_EQ(e.sizes, "16 Kb|16 Kb|512 Kb");
    // EAX byte 2 = 0x02, byte 1 = 0x01, byte 3 = 0x03; EDX byte 2 = 0x04.
    EXPECT_EQ(e.texts, (std::vector<std::string>{"Unified, 32 byte cache line, 4-way set associative, 512 Kb",
                                                 "32 byte line size, 4-way set associative, 16 Kb",
                                                 "32 byte line size, 4-way set associative, 16 Kb",
                                                 "4 Mb pages, 2 entries, fully associative",
                                                 "4 Kb pages, 32 entries, 4-way set associative",
                                                 "4 Mb pages, 8 entries, 4-way set associative",
                                                 "4 Kb pages, 64 entries, 4-way set associative"}));
    EXPECT_EQ(e.type, "OEM");         // EAX bits 12-13 = 0
    EXPECT_EQ(e.brandName, "N/A");    // brand index 0
    EXPECT_EQ(e.brandString, "N/A");  // leaf 0x80000000 reads 0
    EXPECT_EQ(e.serial, (SerialNumber{0, 0, 0}));  // highest leaf 2
    EXPECT_EQ(e.extended.family, 0);
    EXPECT_EQ(e.extended.model, 0);
    EXPECT_EQ(e.l2Tlb, "N/D");
    EXPECT_EQ(e.standardFlags, 0x0183fbffu);
    EXPECT_EQ(e.amdFlags, 0u);
    EXPECT_EQ(e.clock, "733 MHz");  // in the Intel table
}
