// The processor model run against recorded CPUID dumps of real processors: every operation on every
// dump, and two dumps checked field by field against values worked out by hand from the tables (the
// hand-written reports check more of them byte for byte).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cpu/Clock.h"
#include "cpu/Processor.h"
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"

namespace fs = std::filesystem;

namespace {

fs::path DumpFolder() { return fs::path(VEXT_SHARED_DUMPS); }

std::vector<fs::path> AllDumps()
{
    std::vector<fs::path> files;
    if (!fs::is_directory(DumpFolder())) return files;
    for (const auto& entry : fs::directory_iterator(DumpFolder()))
        if (entry.path().extension() == ".txt" && entry.path().filename() != "README.md") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Installs a recorded dump as the processor for the scope.
class RecordedCpu {
public:
    explicit RecordedCpu(const fs::path& path)
        : dump_(platform::LoadCpuidDump(path.string())),
          scope_([this](uint32_t leaf, uint32_t subleaf) { return dump_.Query(leaf, subleaf); })
    {
    }

private:
    platform::CpuidDump dump_;
    platform::ScopedCpuid scope_;
};

#define SKIP_WITHOUT_DUMPS()                                                                     \
    if (!fs::is_directory(DumpFolder()))                                                         \
    GTEST_SKIP() << "no recorded CPUID dumps at " << DumpFolder() << " (the shared folder is absent)"

// Everything the Processor Information page and the report ask for.
struct Everything {
    std::string label, name, l1Code, l1Data, l2, type, brandName, brandString, l2Text, l1CodeText,
        l1DataText, itlb4Mb, itlb4Kb, dtlb4Mb, dtlb4Kb, l2Tlb, clock;
    CpuSignature signature, extended;
    CacheSizes sizes;
    SerialNumber serial;
    int32_t generation = 0;
    int32_t mhz = 0;
    uint32_t standardFlags = 0, amdFlags = 0;
};

Everything AskEverything()
{
    platform::ScopedTimeGetTime timer(platform::SteppingClock(0xFFFF'FF00u, 1));
    platform::ScopedTsc tsc(platform::SteppingTsc(0, 733'000'000));
    Everything e;
    e.label = DetectVendor();
    GetFamilyModelStepping(e.signature);
    auto p = CreateProcessor();
    e.name = p->GetName();
    e.mhz = p->MeasureMHz();
    e.clock = FormatClockText(e.mhz, p->MatchStandardMHz(e.mhz));
    p->FormatCacheSizes(e.l1Code, e.l1Data, e.l2);
    p->GetCacheSizes(e.sizes);
    e.type = p->GetProcessorType();
    e.brandName = p->GetBrandName();
    e.brandString = p->GetBrandString();
    e.l2Text = p->DescribeL2Cache();
    e.l1CodeText = p->DescribeL1CodeCache();
    e.l1DataText = p->DescribeL1DataCache();
    p->DescribeInstructionTlb(e.itlb4Mb, e.itlb4Kb);
    p->DescribeDataTlb(e.dtlb4Mb, e.dtlb4Kb);
    e.l2Tlb = p->DescribeL2Tlb();
    p->GetExtendedFamilyModel(e.extended);
    e.generation = p->GetGeneration();
    p->GetSerialNumber(e.serial);
    e.standardFlags = StandardFeatureFlags().flags;
    e.amdFlags = AmdFeatureFlags().flags;
    return e;
}

Everything AskEverything(const std::string& file)
{
    RecordedCpu cpu(DumpFolder() / file);
    return AskEverything();
}

}  // namespace

TEST(CpuRecordedDumps, EveryOperationAnswersOnEveryDump)
{
    SKIP_WITHOUT_DUMPS();
    const std::vector<fs::path> files = AllDumps();
    ASSERT_GT(files.size(), 100u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        RecordedCpu cpu(file);
        const Everything e = AskEverything();
        const std::string fileName = file.filename().string();

        // The label names the vendor class that VendorCode holds.
        const char* prefix = VendorCode == VendorIntel ? "Intel   (" : VendorCode == VendorAmd ? "AMD   ("
                             : VendorCode == VendorCyrix                                    ? "Cyrix   ("
                                                                                            : "Other   (";
        EXPECT_EQ(e.label.rfind(prefix, 0), 0u) << e.label;
        EXPECT_LE(e.label.size(), 22u);
        // One recorded Intel part answers with a misspelt vendor string.
        const int32_t named = fileName.starts_with("cyrix-") ? VendorCyrix
                              : fileName.starts_with("amd-") ? VendorAmd
                              : fileName.starts_with("intel-") && fileName.find("genuineiotel") == std::string::npos
                                  ? VendorIntel
                                  : VendorCode;
        EXPECT_EQ(VendorCode, named);

        for (const std::string* text : {&e.name, &e.l1Code, &e.l1Data, &e.l2, &e.type, &e.brandName, &e.l2Text,
                                        &e.l1CodeText, &e.l1DataText, &e.itlb4Mb, &e.itlb4Kb, &e.dtlb4Mb,
                                        &e.dtlb4Kb, &e.l2Tlb, &e.clock})
            EXPECT_FALSE(text->empty());
        EXPECT_LE(e.name.size(), 54u);
        EXPECT_LE(e.brandString.size(), 48u);
        EXPECT_EQ(e.mhz, 733);

        if (VendorCode == VendorOther) {
            EXPECT_EQ(e.name, "N/D");
            EXPECT_EQ(e.brandString, "N/D");
            EXPECT_EQ(e.signature, (CpuSignature{-1, -1, -1}));
        } else {
            EXPECT_NE(e.name, "N/D");
            EXPECT_GE(e.signature.family, 0);
            EXPECT_LE(e.signature.family, 15);
        }
        if (VendorCode == VendorIntel) {
            for (const std::string* text : {&e.l2Text, &e.l1CodeText, &e.l1DataText, &e.itlb4Mb, &e.itlb4Kb,
                                            &e.dtlb4Mb, &e.dtlb4Kb})
                EXPECT_LE(text->size(), 69u);
            EXPECT_EQ(e.generation, -1);
        }
        if (VendorCode == VendorAmd) {
            // Every field is printed: this variant never answers "Unknown".
            for (const std::string* text : {&e.l2Text, &e.l1CodeText, &e.l1DataText, &e.itlb4Mb, &e.itlb4Kb,
                                            &e.dtlb4Mb, &e.dtlb4Kb, &e.l2Tlb})
                EXPECT_EQ(text->find("Unknown"), std::string::npos) << *text;
            for (const std::string* text : {&e.l2Text, &e.l1CodeText, &e.l1DataText}) EXPECT_LE(text->size(), 62u);
            for (const std::string* text : {&e.itlb4Mb, &e.itlb4Kb, &e.dtlb4Mb, &e.dtlb4Kb})
                EXPECT_LE(text->size(), 94u);
            EXPECT_LE(e.l2Tlb.size(), 31u);
            EXPECT_EQ(e.type, "N/D");
        }
        if (VendorCode == VendorCyrix || VendorCode == VendorOther) {
            EXPECT_EQ(e.l1Code + e.l1Data + e.l2, "N/DN/DN/D");
            EXPECT_EQ(e.clock, "733 MHz");
        }
    }
}

TEST(CpuRecordedDumps, IntelPentiumIIDeschutes)
{
    SKIP_WITHOUT_DUMPS();
    // intel-0651-pentium-ii-deschutes.txt: leaf 0 max 2; leaf 1 EAX 0x651 EBX 0 EDX 0x0183fbff;
    // leaf 2 EAX 0x03020101 EDX 0x0c040843; no extended leaves.
    const Everything e = AskEverything("intel-0651-pentium-ii-deschutes.txt");
    EXPECT_EQ(e.label, "Intel   (GenuineIntel)");
    EXPECT_EQ(e.signature, (CpuSignature{1, 5, 6}));
    // Family 6 model 5, L2 byte 0x43 = 512 Kb, not below 512.
    EXPECT_EQ(e.name, "Intel Pentium II (Deschutes) or Pentium II Xeon");
    // L1 code byte 1 = 0x08: 16; L1 data byte 3 = 0x0C: 16; L2 byte 0 = 0x43: 512.
    EXPECT_EQ(e.sizes, (CacheSizes{16, 16, 512}));
    EXPECT_EQ(e.l1Code + "|" + e.l1Data + "|" + e.l2, "16 Kb|16 Kb|512 Kb");
    // EAX byte 2 = 0x02, byte 1 = 0x01, byte 3 = 0x03; EDX byte 2 = 0x04.
    EXPECT_EQ((std::vector<std::string>{e.l2Text, e.l1CodeText, e.l1DataText, e.itlb4Mb, e.itlb4Kb, e.dtlb4Mb, e.dtlb4Kb}),
              (std::vector<std::string>{"Unified, 32 byte cache line, 4-way set associative, 512 Kb",
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

TEST(CpuRecordedDumps, IntelCeleronMendocino)
{
    SKIP_WITHOUT_DUMPS();
    // intel-0660-celeron-mendocino.txt: leaf 1 EAX 0x660; leaf 2 EDX 0x0c040841.
    const Everything e = AskEverything("intel-0660-celeron-mendocino.txt");
    EXPECT_EQ(e.name, "Intel Celeron A  [128 Kb full speed L2 cache]");  // family 6 model 6
    EXPECT_EQ(e.sizes.l2Kb, 128);                                        // 0x41
    EXPECT_EQ(e.l2Text, "Unified, 32 byte cache line, 4-way set associative, 128 Kb");
}
