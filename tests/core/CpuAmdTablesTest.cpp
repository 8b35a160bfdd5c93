// The AMD variant: names, and the texts built from the fields of leaves 0x80000005 and 0x80000006.
#include <gtest/gtest.h>

#include <string>

#include "FakeCpu.h"
#include "cpu/Processor.h"

namespace {

constexpr uint32_t kL1 = 0x80000005;
constexpr uint32_t kL2 = 0x80000006;

struct Amd {
    explicit Amd(uint32_t maxExtendedLeaf, uint32_t family = 6, uint32_t model = 4) : cpu("AuthenticAMD", 1)
    {
        cpu.Signature(family, model).Set(0x80000000, maxExtendedLeaf);
        DetectVendor();
    }
    // Made after the registers are set: the highest extended leaf is read when the object is made.
    std::unique_ptr<CProcessor> Make() { return CreateProcessor(); }
    CacheSizes Sizes()
    {
        CacheSizes s;
        Make()->GetCacheSizes(s);
        return s;
    }
    std::vector<std::string> Texts() { return DecodedTexts(*Make()); }
    FakeCpu cpu;
};

}  // namespace

TEST(CpuAmdTables, NamesByFamilyAndModel)
{
    struct Case {
        uint32_t family, model;
        const char* name;
    } cases[] = {
        {4, 0, "AMD 486 or AMD 5x86"},
        {4, 15, "AMD 486 or AMD 5x86"},
        {5, 0, "AMD K5 "},
        {5, 3, "AMD K5 "},
        {5, 6, "AMD K6 [166-233 MHz]"},
        {5, 7, "AMD K6 [233-300 MHz]"},
        {5, 8, "AMD K6-2"},
        {5, 9, "AMD K6-III"},
        {5, 13, "AMD K6-2+ or K6-III+"},
        {5, 4, "Unknown AMD K5 or K6 class"},
        {5, 10, "Unknown AMD K5 or K6 class"},
        {5, 15, "Unknown AMD K5 or K6 class"},
        {6, 1, "AMD Athlon"},
        {6, 2, "AMD Athlon"},
        {6, 3, "AMD Duron"},
        {6, 4, "AMD Athlon [integrated full-speed L2 cache]"},
        {6, 0, "Unknown AMD Athlon or Duron"},
        {6, 5, "Unknown AMD Athlon or Duron"},
        {15, 4, "Unknown AMD"},
        {3, 0, "Unknown AMD"},
    };
    for (const Case& c : cases) EXPECT_EQ(Amd(0, c.family, c.model).Make()->GetName(), c.name) << c.family << "/" << c.model;
}

TEST(CpuAmdTables, WithoutTheCacheLeavesEverythingIsNotAvailable)
{
    for (uint32_t maxLeaf : {0x80000004u, 0x80000000u, 0u}) {
        Amd a(maxLeaf);
        // The registers are there; the highest extended leaf says not to read them.
        a.cpu.Set(kL1, 0x0408ff08, 0xff18ff10, 0x40020140, 0x40020140).Set(kL2, 0, 0x41004100, 0x01008140);
        EXPECT_EQ(a.Sizes(), (CacheSizes{-2, -2, -2}));
        EXPECT_EQ(FormattedSizes(*a.Make()), "N/A|N/A|N/A");
        EXPECT_EQ(a.Texts(), std::vector<std::string>(7, "N/A"));
        EXPECT_EQ(a.Make()->DescribeL2Tlb(), "N/A");
        EXPECT_EQ(a.cpu.Calls(kL1) + a.cpu.Calls(kL2), 0);
    }
}

TEST(CpuAmdTables, UpToLeaf80000005TheL1IsDecodedButNotTheL2)
{
    Amd a(0x80000005);
    // Data is ECX and instruction is EDX.
    a.cpu.Set(kL1, 0x0408ff08, 0xff18ff10, 0x40010240, 0x20020140).Set(kL2, 0, 0x41004100, 0x01008140);
    EXPECT_EQ(a.Sizes(), (CacheSizes{32, 64, -2}));
    const auto texts = a.Texts();
    EXPECT_EQ(texts[kL1DataText], "64 byte line size, 1-way associative, 2 lines/tag, 64 Kb");
    EXPECT_EQ(texts[kL1CodeText], "64 byte line size, 2-way associative, 1 lines/tag, 32 Kb");
    EXPECT_EQ(texts[kL2Text], "N/A");
    EXPECT_EQ(a.Make()->DescribeL2Tlb(), "N/A");
    EXPECT_EQ(FormattedSizes(*a.Make()), "32 Kb|64 Kb|N/A");
    EXPECT_EQ(a.cpu.Calls(kL2), 0);
}

TEST(CpuAmdTables, CacheTextsPrintEveryFieldAsItStands)
{
    const std::pair<uint32_t, const char*> l1[] = {
        {0x40020140, "64 byte line size, 2-way associative, 1 lines/tag, 64 Kb"},
        {0x08FF0120, "32 byte line size, full associative, 1 lines/tag, 8 Kb"},
        {0x00000000, "0 byte line size, 0-way associative, 0 lines/tag, 0 Kb"},
        {0xFFFEFFFF, "255 byte line size, 254-way associative, 255 lines/tag, 255 Kb"},
    };
    for (const auto& [reg, text] : l1) {
        Amd a(0x80000006);
        a.cpu.Set(kL1, 0, 0, reg, reg);
        EXPECT_EQ(a.Texts()[kL1DataText], text);
        EXPECT_EQ(a.Texts()[kL1CodeText], text);
        EXPECT_EQ(a.Sizes().l1DataKb, static_cast<int32_t>(reg >> 24));
    }
    // The L2 associativity code is printed untranslated except for its four named values.
    const std::pair<uint32_t, const char*> l2[] = {
        {0x01000140, "64 byte line size, L2 off, 1 lines/tag, 256 Kb"},
        {0x01001140, "64 byte line size, direct mapped, 1 lines/tag, 256 Kb"},
        {0x0100F140, "64 byte line size, full associative, 1 lines/tag, 256 Kb"},
        {0x01004140, "64 byte line size, 4-way associative, 1 lines/tag, 256 Kb"},
        {0x02006140, "64 byte line size, 6-way associative, 1 lines/tag, 512 Kb"},
        {0xFFFFAF20, "32 byte line size, 10-way associative, 15 lines/tag, 65535 Kb"},
    };
    for (const auto& [ecx, text] : l2) {
        Amd a(0x80000006);
        a.cpu.Set(kL2, 0, 0, ecx);
        EXPECT_EQ(a.Texts()[kL2Text], text);
        EXPECT_EQ(a.Sizes().l2Kb, static_cast<int32_t>(ecx >> 16));
    }
}

TEST(CpuAmdTables, TlbTextsGiveFourMegabytePagesHalfTheTwoMegabyteEntries)
{
    Amd a(0x80000005);
    // Instruction halves (low): EAX 0xFF08, EBX 0xFF10. Data halves (high): EAX 0x0409, EBX 0x0218.
    a.cpu.Set(kL1, 0x0409FF08, 0x0218FF10, 0x40020140, 0x40020140);
    auto texts = a.Texts();
    EXPECT_EQ(texts[kItlb4Kb], "4 Kb pages, fully associative, 16 entries");
    EXPECT_EQ(texts[kItlb4Mb], "4 Mb pages, fully associative, 4 entries  || 2 Mb pages : fully associative, 8 entries");
    EXPECT_EQ(texts[kDtlb4Kb], "4 Kb pages, 2-way associative, 24 entries");
    // Nine entries of 2 Mb make four of 4 Mb.
    EXPECT_EQ(texts[kDtlb4Mb], "4 Mb pages, 4-way associative, 4 entries  || 2 Mb pages : 4-way associative, 9 entries");

    // The widest 4 Mb text: 94 characters.
    a.cpu.Set(kL1, 0xFEFFFEFF, 0, 0, 0);
    EXPECT_EQ(a.Texts()[kDtlb4Mb],
              "4 Mb pages, 254-way associative, 127 entries  || 2 Mb pages : 254-way associative, 255 entries");

    // An EAX of zero leaves only the 4 Kb texts.
    a.cpu.Set(kL1, 0, 0x0218FF10, 0, 0);
    texts = a.Texts();
    EXPECT_EQ(texts[kItlb4Mb] + "|" + texts[kDtlb4Mb], "N/A|N/A");
    EXPECT_EQ(texts[kItlb4Kb], "4 Kb pages, fully associative, 16 entries");
    EXPECT_EQ(texts[kDtlb4Kb], "4 Kb pages, 2-way associative, 24 entries");
    // The test is on the whole of EAX: an empty half of a non-zero EAX still prints.
    a.cpu.Set(kL1, 0x00000408, 0, 0, 0);
    EXPECT_EQ(a.Texts()[kDtlb4Mb], "4 Mb pages, 0-way associative, 0 entries  || 2 Mb pages : 0-way associative, 0 entries");
}

TEST(CpuAmdTables, L2TlbIsDecodedOnlyWhenUnified)
{
    Amd a(0x80000006);
    const std::pair<uint32_t, uint32_t> regs[] = {{0, 0x41004100}, {0x0000FFFF, 0xFFFF}, {0x00010000, 0x41004100}, {0, 0}};
    const char* texts[] = {"4-way associative, 256 entries", "15-way associative, 4095 entries",
                           "L2 TLB is not unified", "0-way associative, 0 entries"};
    for (int i = 0; i < 4; ++i) {
        a.cpu.Set(kL2, regs[i].first, regs[i].second, 0x01008140);
        EXPECT_EQ(a.Make()->DescribeL2Tlb(), texts[i]);
    }
}

TEST(CpuAmdTables, GenerationIsReadWithoutAskingAndIntelFieldsAreNotDetermined)
{
    Amd a(0x80000000);
    a.cpu.Set(0x80000001, 0xFFFF'F7FFu);
    EXPECT_EQ(a.Make()->GetGeneration(), 7);
    a.cpu.Set(0x80000001, 0);
    EXPECT_EQ(a.Make()->GetGeneration(), 0);

    a.cpu.Set(1, 0x00000F48, 0x01, 0, 0).Set(0, 3);
    auto p = a.Make();
    EXPECT_EQ(p->GetProcessorType(), "N/D");
    EXPECT_EQ(p->GetBrandName(), "N/D");
    CpuSignature sig{1, 2, 3};
    p->GetExtendedFamilyModel(sig);
    EXPECT_EQ(sig, (CpuSignature{-1, -1, -1}));
    SerialNumber serial;
    p->GetSerialNumber(serial);
    EXPECT_EQ(serial, (SerialNumber{-1, -1, -1}));
}
