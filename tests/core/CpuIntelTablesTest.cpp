// The Intel variant's decoding of leaves 1 and 2: names, sizes and texts at their fixed byte positions.
#include <gtest/gtest.h>

#include <string>

#include "FakeCpu.h"
#include "cpu/Processor.h"

namespace {

// An Intel processor of family 6 model 7 offering leaf 2, with these leaf 2 registers.
struct Intel {
    Intel(uint32_t eax, uint32_t edx, uint32_t maxLeaf = 2, uint32_t family = 6, uint32_t model = 7)
        : cpu("GenuineIntel", maxLeaf)
    {
        cpu.Signature(family, model).Set(2, eax, 0, 0, edx);
        DetectVendor();
        p = CreateProcessor();
    }
    CacheSizes Sizes()
    {
        CacheSizes s;
        p->GetCacheSizes(s);
        return s;
    }
    FakeCpu cpu;
    std::unique_ptr<CProcessor> p;
};

std::string NameOf(uint32_t family, uint32_t model, uint32_t l2Byte = 0x43, uint32_t maxLeaf = 2)
{
    return Intel(0x03020101, 0x0C040800u | l2Byte, maxLeaf, family, model).p->GetName();
}

const std::string kL2_32_4 = "Unified, 32 byte cache line, 4-way set associative, ";

}  // namespace

TEST(CpuIntelTables, NamesByFamilyAndModel)
{
    struct Case {
        uint32_t family, model;
        const char* name;
    } cases[] = {
        {4, 8, "Intel 80486 class"},
        {5, 1, "Intel Pentium [60,66 MHz]"},
        {5, 2, "Intel Pentium [75-200 MHz]"},
        {5, 3, "Intel Pentium OverDrive for 486"},
        {5, 4, "Intel Pentium MMX [166-233 MHz]"},
        {5, 0, "Unknown Intel Pentium class"},
        {5, 9, "Unknown Intel Pentium class"},
        {6, 1, "Intel Pentium Pro"},
        {6, 3, "Intel Pentium II (Klamath) [233-333 MHz]"},
        {6, 6, "Intel Celeron A  [128 Kb full speed L2 cache]"},
        {6, 7, "Intel Pentium III or Pentium III Xeon"},
        {6, 8, "Intel Pentium III or Pentium III Xeon [ATC] or Celeron"},
        {6, 10, "Intel Pentium III Xeon"},
        {6, 0, "Unknown Intel Pentium II or P III class"},
        {6, 9, "Unknown Intel Pentium II or P III class"},
        {6, 15, "Unknown Intel Pentium II or P III class"},
        {15, 1, "Intel Pentium IV"},
        {15, 0, "Unknown Intel Pentium IV class"},
        {7, 0, "Unknown Intel"},
        {3, 0, "Unknown Intel"},
        {14, 1, "Unknown Intel"},
    };
    for (const Case& c : cases) EXPECT_EQ(NameOf(c.family, c.model), c.name) << c.family << "/" << c.model;
}

TEST(CpuIntelTables, FamilySixModelFiveIsNamedByItsL2SizeComparedWith512)
{
    const char* celeron = "Intel Celeron [without L2 cache]";
    const char* deschutes = "Intel Pentium II (Deschutes) or Pentium II Xeon";
    EXPECT_EQ(NameOf(6, 5, 0x43), deschutes);  // 512 Kb
    EXPECT_EQ(NameOf(6, 5, 0x85), deschutes);
    EXPECT_EQ(NameOf(6, 5, 0x42), celeron);  // 256 Kb
    EXPECT_EQ(NameOf(6, 5, 0x40), celeron);  // no L2: size 0
    EXPECT_EQ(NameOf(6, 5, 0x99), celeron);  // not in the size table: 0
    EXPECT_EQ(NameOf(6, 5, 0x43, 1), celeron) << "-2 without leaf 2 counts as small";
}

TEST(CpuIntelTables, TheLeafTwoExampleDecodesEveryPosition)
{
    // EAX bytes 0..3: 01 01 02 03; EDX bytes 0..3: 43 08 04 0C.
    Intel i(0x03020101, 0x0C040843);
    EXPECT_EQ(i.Sizes(), (CacheSizes{16, 16, 512}));
    EXPECT_EQ(FormattedSizes(*i.p), "16 Kb|16 Kb|512 Kb");
    EXPECT_EQ(DecodedTexts(*i.p), (std::vector<std::string>{
                                      kL2_32_4 + "512 Kb",
                                      "32 byte line size, 4-way set associative, 16 Kb",
                                      "32 byte line size, 4-way set associative, 16 Kb",
                                      "4 Mb pages, 2 entries, fully associative",
                                      "4 Kb pages, 32 entries, 4-way set associative",
                                      "4 Mb pages, 8 entries, 4-way set associative",
                                      "4 Kb pages, 64 entries, 4-way set associative",
                                  }));
}

TEST(CpuIntelTables, CacheSizesAndTextsOfTheDescriptors)
{
    // byte: 0 = L2 (EDX byte 0), 1 = L1 code (EDX byte 1), 3 = L1 data (EDX byte 3).
    struct Case {
        int byte;
        uint32_t code;
        int32_t kb;
        std::string text;
    } cases[] = {
        {0, 0x40, 0, "No L2 or L3 cache"},
        {0, 0x41, 128, kL2_32_4 + "128 Kb"},
        {0, 0x45, 2048, kL2_32_4 + "2048 Kb"},
        {0, 0x79, 128, "Unified, sectored, 64 byte cache line, 8-way set associative, 128 Kb"},
        {0, 0x7C, 1024, "Unified, sectored, 64 byte cache line, 8-way set associative, 1024 Kb"},
        {0, 0x81, 128, "Unknown"},  // a size without a text
        {0, 0x82, 256, "Unified, 32 byte cache line, 8-way set associative, 256 Kb"},
        {0, 0x85, 2048, "Unified, 32 byte cache line, 8-way set associative, 2048 Kb"},
        {0, 0x00, 0, "Unknown"},  // the rest of EDX is not zero, so leaf 2 is there
        {0, 0x46, 0, "Unknown"},
        {0, 0x7D, 0, "Unknown"},
        {0, 0x86, 0, "Unknown"},
        {1, 0x06, 8, "32 byte line size, 4-way set associative, 8 Kb"},
        {1, 0x08, 16, "32 byte line size, 4-way set associative, 16 Kb"},
        {1, 0x66, 0, "64 byte cache line, 4-way set associative, sectored, 8 Kb"},  // a text without a size
        {1, 0x67, 0, "64 byte cache line, 4-way set associative, sectored, 16 Kb"},
        {1, 0x68, 0, "64 byte cache line, 4-way set associative, sectored, 32 Kb"},
        {1, 0x0A, 0, "Unknown"},  // a data cache code
        {1, 0x00, 0, "Unknown"},
        {3, 0x0A, 8, "32 byte line size, 2-way set associative, 8 Kb"},
        {3, 0x0C, 16, "32 byte line size, 4-way set associative, 16 Kb"},
        {3, 0x66, 8, "Unknown"},  // a size without a text
        {3, 0x68, 32, "Unknown"},
        {3, 0x08, 0, "Unknown"},  // an instruction cache code
        {3, 0x00, 0, "Unknown"},
    };
    const uint32_t others[] = {0x0C040800, 0x0C040043, 0, 0x00040843};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "byte " << c.byte << " code " << std::hex << c.code);
        Intel i(0x03020101, others[c.byte] | (c.code << (8 * c.byte)));
        const CacheSizes s = i.Sizes();
        const auto texts = DecodedTexts(*i.p);
        const int32_t kb[] = {s.l2Kb, s.l1CodeKb, 0, s.l1DataKb};
        const DecodedText text[] = {kL2Text, kL1CodeText, kL2Text, kL1DataText};
        EXPECT_EQ(kb[c.byte], c.kb);
        EXPECT_EQ(texts[text[c.byte]], c.text);
        EXPECT_EQ(s.l1CodeKb, c.byte == 1 ? c.kb : 16) << "each size comes from its own byte only";
    }
}

TEST(CpuIntelTables, TlbEntriesAreTestedAtTheirOwnBytesOnly)
{
    // Each code sits at a position of another entry.
    Intel swapped(0x01030201, 0x0C020843);
    const auto texts = DecodedTexts(*swapped.p);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + kItlb4Mb, texts.end()), std::vector<std::string>(4, "Unknown"));
    // One entry at a time.
    EXPECT_EQ(DecodedTexts(*Intel(0x00020001, 0).p),
              (std::vector<std::string>{"N/A", "N/A", "N/A", "4 Mb pages, 2 entries, fully associative", "Unknown",
                                        "Unknown", "Unknown"}));
    EXPECT_EQ(DecodedTexts(*Intel(0x03000001, 0).p)[kDtlb4Kb], "4 Kb pages, 64 entries, 4-way set associative");
}

TEST(CpuIntelTables, LeafTwoReadingZeroOrNotOfferedIsNotAvailable)
{
    // Highest standard leaf 1: leaf 2 is not read even though the processor would answer it.
    Intel old(0x03020101, 0x0C040843, 1);
    EXPECT_EQ(old.Sizes(), (CacheSizes{-2, -2, -2}));
    EXPECT_EQ(FormattedSizes(*old.p), "N/A|N/A|N/A");
    EXPECT_EQ(DecodedTexts(*old.p), std::vector<std::string>(7, "N/A"));
    EXPECT_EQ(old.cpu.Calls(2), 0);

    // An EDX of zero: the cache texts are unavailable, the sizes are zero (not in the tables).
    Intel noCaches(0x03020101, 0);
    EXPECT_EQ(noCaches.Sizes(), (CacheSizes{0, 0, 0}));
    EXPECT_EQ(DecodedTexts(*noCaches.p),
              (std::vector<std::string>{"N/A", "N/A", "N/A", "4 Mb pages, 2 entries, fully associative",
                                        "4 Kb pages, 32 entries, 4-way set associative", "Unknown",
                                        "4 Kb pages, 64 entries, 4-way set associative"}));

    // An EAX of zero decides both data TLB texts, though the 4 Mb entry of EDX is there.
    Intel noTlbs(0, 0x0C040843);
    const auto texts = DecodedTexts(*noTlbs.p);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + kItlb4Mb, texts.end()), std::vector<std::string>(4, "N/A"));
    EXPECT_EQ(texts[kL2Text], kL2_32_4 + "512 Kb");
}

TEST(CpuIntelTables, ProcessorTypeAndBrandNameFromLeafOne)
{
    const char* types[] = {"OEM", "OverDrive", "Dual", "Unknown"};
    for (uint32_t t = 0; t < 4; ++t) {
        FakeCpu cpu("GenuineIntel", 1);
        cpu.Set(1, (t << 12) | 0x0673 | 0xFFFF'C000u);  // neighbouring bits set
        DetectVendor();
        EXPECT_EQ(CreateProcessor()->GetProcessorType(), types[t]);
    }
    const std::pair<uint32_t, const char*> brands[] = {{0, "N/A"},       {1, "Celeron"},  {2, "Pentium III"},
                                                       {3, "Pentium III Xeon"}, {8, "Pentium IV"}, {4, "Unknown"},
                                                       {7, "Unknown"},   {9, "Unknown"},  {0xFF, "Unknown"}};
    for (const auto& [index, name] : brands) {
        FakeCpu cpu("GenuineIntel", 1);
        cpu.Set(1, 0x0F22, 0x1234'5600u | index);  // only the low byte is the index
        DetectVendor();
        auto p = CreateProcessor();
        EXPECT_EQ(p->GetBrandName(), name) << index;
        EXPECT_EQ(p->GetName(), "Unknown Intel Pentium IV class") << "the brand never changes the name";
    }
}

TEST(CpuIntelTables, ExtendedFamilyAndModelOnlyForFamilyFifteen)
{
    FakeCpu cpu("GenuineIntel", 1);
    DetectVendor();
    auto p = CreateProcessor();
    const std::pair<uint32_t, CpuSignature> cases[] = {
        {0x0000'0673u, {9, 0, 0}},    // family 6: both 0, stepping untouched
        {0x01AF'0F00u, {9, 15, 26}},  // extended model 0xF, extended family 0x1A
        {0xF0F2'0F29u, {9, 2, 15}},   // bits 28-31 are not part of the family
        {0x0FF6'06A0u, {9, 0, 0}},    // extended fields of a family 6 are ignored
    };
    for (const auto& [eax, expected] : cases) {
        cpu.Set(1, eax);
        CpuSignature sig{9, -1, -1};
        p->GetExtendedFamilyModel(sig);
        EXPECT_EQ(sig, expected) << std::hex << eax;
    }
}

TEST(CpuIntelTables, SerialNumberNeedsLeafThreeAndNothingElseIsDecoded)
{
    FakeCpu cpu("GenuineIntel", 2);
    cpu.Set(1, 0x0000'0673).Set(3, 0, 0, 0x89AB'CDEFu, 0x0123'4567u);
    cpu.Set(0x80000000, 0x80000008).Set(0x80000001, 0x0F00).Set(0x80000006, 0, 0x41004100, 0x01008140);
    DetectVendor();
    SerialNumber serial{5, 5, 5};
    auto p = CreateProcessor();
    p->GetSerialNumber(serial);
    EXPECT_EQ(serial, (SerialNumber{0, 0, 0})) << "serial number switched off";
    EXPECT_EQ(p->GetGeneration(), -1);
    EXPECT_EQ(p->DescribeL2Tlb(), "N/D");

    cpu.Set(0, 3, 0x756e6547, 0x6c65746e, 0x49656e69);
    CreateProcessor()->GetSerialNumber(serial);
    EXPECT_EQ(serial, (SerialNumber{0x0673, 0x0123'4567, static_cast<int32_t>(0x89AB'CDEFu)}));
}
