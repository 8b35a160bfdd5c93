// The processor model run against recorded CPUID dumps of real processors: every operation on every
// dump, and a few dumps checked field by field against values worked out by hand from the tables.
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
        if (fileName.rfind("cyrix-", 0) == 0) {
            EXPECT_EQ(VendorCode, VendorCyrix);
        }
        if (fileName.rfind("amd-", 0) == 0) {
            EXPECT_EQ(VendorCode, VendorAmd);
        }
        // One recorded Intel part answers with a misspelt vendor string.
        if (fileName.rfind("intel-", 0) == 0 && fileName.find("genuineiotel") == std::string::npos) {
            EXPECT_EQ(VendorCode, VendorIntel);
        }

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
    EXPECT_EQ(e.l2Text, "Unified, 32 byte cache line, 4-way set associative, 512 Kb");
    EXPECT_EQ(e.l1CodeText, "32 byte line size, 4-way set associative, 16 Kb");
    EXPECT_EQ(e.l1DataText, "32 byte line size, 4-way set associative, 16 Kb");
    // EAX byte 2 = 0x02, byte 1 = 0x01, byte 3 = 0x03; EDX byte 2 = 0x04.
    EXPECT_EQ(e.itlb4Mb, "4 Mb pages, 2 entries, fully associative");
    EXPECT_EQ(e.itlb4Kb, "4 Kb pages, 32 entries, 4-way set associative");
    EXPECT_EQ(e.dtlb4Mb, "4 Mb pages, 8 entries, 4-way set associative");
    EXPECT_EQ(e.dtlb4Kb, "4 Kb pages, 64 entries, 4-way set associative");
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

TEST(CpuRecordedDumps, AmdAthlonThunderbird)
{
    SKIP_WITHOUT_DUMPS();
    // amd-0644-athlon-thunderbird.txt: leaf 1 EAX 0x644; 0x80000000 EAX 0x80000006;
    // 0x80000001 EAX 0x744 EDX 0xc1c7f9ff; 0x80000005 EAX 0x0408ff08 EBX 0xff18ff10
    // ECX 0x40020140 EDX 0x40020140; 0x80000006 EAX 0 EBX 0x41004100 ECX 0x01008140.
    const Everything e = AskEverything("amd-0644-athlon-thunderbird.txt");
    EXPECT_EQ(e.label, "AMD   (AuthenticAMD)");
    EXPECT_EQ(e.signature, (CpuSignature{4, 4, 6}));
    EXPECT_EQ(e.name, "AMD Athlon [integrated full-speed L2 cache]");  // family 6 model 4
    // ECX/EDX bits 24-31 = 0x40; 0x80000006 ECX bits 16-31 = 0x0100.
    EXPECT_EQ(e.sizes, (CacheSizes{64, 64, 256}));
    EXPECT_EQ(e.l1Code + "|" + e.l1Data + "|" + e.l2, "64 Kb|64 Kb|256 Kb");
    // Line 0x40, lines/tag 0x01, associativity 0x02, size 0x40.
    EXPECT_EQ(e.l1DataText, "64 byte line size, 2-way associative, 1 lines/tag, 64 Kb");
    EXPECT_EQ(e.l1CodeText, "64 byte line size, 2-way associative, 1 lines/tag, 64 Kb");
    // Line 0x40, lines/tag 1, code 8, size 256.
    EXPECT_EQ(e.l2Text, "64 byte line size, 8-way associative, 1 lines/tag, 256 Kb");
    // Low halves: EAX 0xff08 (fully, 8), EBX 0xff10 (fully, 16).
    EXPECT_EQ(e.itlb4Mb, "4 Mb pages, fully associative, 4 entries  || 2 Mb pages : fully associative, 8 entries");
    EXPECT_EQ(e.itlb4Kb, "4 Kb pages, fully associative, 16 entries");
    // High halves: EAX 0x0408 (4-way, 8), EBX 0xff18 (fully, 24).
    EXPECT_EQ(e.dtlb4Mb, "4 Mb pages, 4-way associative, 4 entries  || 2 Mb pages : 4-way associative, 8 entries");
    EXPECT_EQ(e.dtlb4Kb, "4 Kb pages, fully associative, 24 entries");
    // EAX upper half 0, EBX code 4 and 0x100 entries.
    EXPECT_EQ(e.l2Tlb, "4-way associative, 256 entries");
    EXPECT_EQ(e.generation, 7);  // 0x744 bits 8-11
    EXPECT_EQ(e.brandString, "AMD Athlon(tm) Processor");
    EXPECT_EQ(e.type, "N/D");
    EXPECT_EQ(e.brandName, "N/D");
    EXPECT_EQ(e.serial, (SerialNumber{-1, -1, -1}));
    EXPECT_EQ(e.extended, (CpuSignature{-1, -1, -1}));
    EXPECT_EQ(e.amdFlags, 0xc1c7f9ffu);
    EXPECT_EQ(e.clock, "733 MHz (oc)");  // not in the AMD table
}

TEST(CpuRecordedDumps, Cyrix6x86MX)
{
    SKIP_WITHOUT_DUMPS();
    // cyrix-0600-6x86mx-mii.txt: leaf 0 max 1, "CyrixInstead"; leaf 1 EAX 0x600 EDX 0x0080a135.
    const Everything e = AskEverything("cyrix-0600-6x86mx-mii.txt");
    EXPECT_EQ(e.label, "Cyrix   (CyrixInstead)");
    EXPECT_EQ(e.signature, (CpuSignature{0, 0, 6}));
    EXPECT_EQ(e.name, "Cyrix 6x86MX or M II");  // family 6 model 0
    EXPECT_EQ(e.l1Code + "|" + e.l1Data + "|" + e.l2, "N/D|N/D|N/D");
    EXPECT_EQ(e.l2Text, "N/D");
    EXPECT_EQ(e.itlb4Kb, "N/D");
    EXPECT_EQ(e.brandString, "N/A");  // leaf 0x80000000 reads 0
    EXPECT_EQ(e.generation, -1);
    EXPECT_EQ(e.standardFlags, 0x0080a135u);
    EXPECT_EQ(e.clock, "733 MHz");
}

TEST(CpuRecordedDumps, OtherVendorWinChip)
{
    SKIP_WITHOUT_DUMPS();
    // centaur-0541-winchip-c6.txt: "CentaurHauls"; leaf 1 EDX 0x008001b5; 0x80000000 EAX 0x80000000.
    const Everything e = AskEverything("centaur-0541-winchip-c6.txt");
    EXPECT_EQ(e.label, "Other   (CentaurHauls)");
    EXPECT_EQ(VendorCode, VendorOther);
    EXPECT_EQ(e.signature, (CpuSignature{-1, -1, -1}));
    EXPECT_EQ(e.name, "N/D");
    EXPECT_EQ(e.brandString, "N/D");
    EXPECT_EQ(e.dtlb4Mb, "N/D");
    EXPECT_EQ(e.serial, (SerialNumber{-1, -1, -1}));
    EXPECT_EQ(e.standardFlags, 0x008001b5u);
    EXPECT_EQ(e.amdFlags, 0u);  // highest extended leaf below 0x80000001
    EXPECT_EQ(e.clock, "733 MHz");
}
