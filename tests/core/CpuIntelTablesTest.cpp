// The Intel variant's decoding of leaves 1 and 2: names, sizes and texts at their fixed byte positions.
#include <gtest/gtest.h>

#include <string>

#include "FakeCpu.h"
#include "cpu/Processor.h"

namespace {

// An Intel processor of family 6 model 7 offering leaf 2, with these leaf 2 registers.
struct Intel {
    Intel(uint32_t eax, uint32_t edx, uint32_t maxLeaf = 2) : cpu("GenuineIntel", maxLeaf)
    {
        cpu.Signature(6, 7).Set(2, eax, 0, 0, edx);
        DetectVendor();
        p = CreateProcessor();
    }
    CacheSizes Sizes()
    {
        CacheSizes s;
        p->GetCacheSizes(s);
        return s;
    }
    Tlb InstructionTlb()
    {
        Tlb t;
        p->DescribeInstructionTlb(t.pages4Mb, t.pages4Kb);
        return t;
    }
    Tlb DataTlb()
    {
        Tlb t;
        p->DescribeDataTlb(t.pages4Mb, t.pages4Kb);
        return t;
    }
    FakeCpu cpu;
    std::unique_ptr<CProcessor> p;
};

std::string NameOf(uint32_t family, uint32_t model, uint32_t l2Byte = 0x43, uint32_t maxLeaf = 2)
{
    FakeCpu cpu("GenuineIntel", maxLeaf);
    cpu.Signature(family, model).Set(2, 0x03020101, 0, 0, 0x0C040800u | l2Byte);
    DetectVendor();
    return CreateProcessor()->GetName();
}

}  // namespace

TEST(CpuIntelTables, NamesByFamilyAndModel)
{
    struct Case {
        uint32_t family, model;
        const char* name;
    } cases[] = {
        {4, 0, "Intel 80486 class"},
        {4, 8, "Intel 80486 class"},
        {5, 1, "Intel Pentium [60,66 MHz]"},
        {5, 2, "Intel Pentium [75-200 MHz]"},
        {5, 3, "Intel Pentium OverDrive for 486"},
        {5, 4, "Intel Pentium MMX [166-233 MHz]"},
        {5, 0, "Unknown Intel Pentium class"},
        {5, 7, "Unknown Intel Pentium class"},
        {5, 9, "Unknown Intel Pentium class"},
        {6, 1, "Intel Pentium Pro"},
        {6, 3, "Intel Pentium II (Klamath) [233-333 MHz]"},
        {6, 6, "Intel Celeron A  [128 Kb full speed L2 cache]"},
        {6, 7, "Intel Pentium III or Pentium III Xeon"},
        {6, 8, "Intel Pentium III or Pentium III Xeon [ATC] or Celeron"},
        {6, 10, "Intel Pentium III Xeon"},
        {15, 1, "Intel Pentium IV"},
        {15, 0, "Unknown Intel Pentium IV class"},
        {15, 2, "Unknown Intel Pentium IV class"},
        {7, 0, "Unknown Intel"},
        {3, 0, "Unknown Intel"},
        {0, 0, "Unknown Intel"},
        {14, 1, "Unknown Intel"},
    };
    for (const Case& c : cases) EXPECT_EQ(NameOf(c.family, c.model), c.name) << c.family << "/" << c.model;
    for (uint32_t model : {0u, 2u, 4u, 9u, 11u, 12u, 13u, 14u, 15u})
        EXPECT_EQ(NameOf(6, model), "Unknown Intel Pentium II or P III class") << model;
}

TEST(CpuIntelTables, FamilySixModelFiveIsNamedByItsL2SizeComparedWith512)
{
    const char* celeron = "Intel Celeron [without L2 cache]";
    const char* deschutes = "Intel Pentium II (Deschutes) or Pentium II Xeon";
    EXPECT_EQ(NameOf(6, 5, 0x43), deschutes);  // 512 Kb
    EXPECT_EQ(NameOf(6, 5, 0x44), deschutes);
    EXPECT_EQ(NameOf(6, 5, 0x85), deschutes);
    EXPECT_EQ(NameOf(6, 5, 0x7B), deschutes);
    EXPECT_EQ(NameOf(6, 5, 0x42), celeron);  // 256 Kb
    EXPECT_EQ(NameOf(6, 5, 0x41), celeron);
    EXPECT_EQ(NameOf(6, 5, 0x40), celeron);  // no L2: size 0
    EXPECT_EQ(NameOf(6, 5, 0x99), celeron);  // not in the size table: 0
    EXPECT_EQ(NameOf(6, 5, 0x43, 1), celeron) << "-2 without leaf 2 counts as small";
}

TEST(CpuIntelTables, TheLeafTwoExampleDecodesEveryPosition)
{
    // EAX bytes 0..3: 01 01 02 03; EDX bytes 0..3: 43 08 04 0C.
    Intel i(0x03020101, 0x0C040843);
    EXPECT_EQ(i.Sizes(), (CacheSizes{16, 16, 512}));
    EXPECT_EQ(i.p->DescribeL2Cache(), "Unified, 32 byte cache line, 4-way set associative, 512 Kb");
    EXPECT_EQ(i.p->DescribeL1CodeCache(), "32 byte line size, 4-way set associative, 16 Kb");
    EXPECT_EQ(i.p->DescribeL1DataCache(), "32 byte line size, 4-way set associative, 16 Kb");
    EXPECT_EQ(i.InstructionTlb().pages4Mb, "4 Mb pages, 2 entries, fully associative");
    EXPECT_EQ(i.InstructionTlb().pages4Kb, "4 Kb pages, 32 entries, 4-way set associative");
    EXPECT_EQ(i.DataTlb().pages4Mb, "4 Mb pages, 8 entries, 4-way set associative");
    EXPECT_EQ(i.DataTlb().pages4Kb, "4 Kb pages, 64 entries, 4-way set associative");
    std::string a, b, c;
    i.p->FormatCacheSizes(a, b, c);
    EXPECT_EQ(a + "|" + b + "|" + c, "16 Kb|16 Kb|512 Kb");
}

TEST(CpuIntelTables, L2SizeAndTextOfEveryDescriptor)
{
    struct Case {
        uint32_t code;
        int32_t kb;
        const char* text;
    } cases[] = {
        {0x40, 0, "No L2 or L3 cache"},
        {0x41, 128, "Unified, 32 byte cache line, 4-way set associative, 128 Kb"},
        {0x42, 256, "Unified, 32 byte cache line, 4-way set associative, 256 Kb"},
        {0x43, 512, "Unified, 32 byte cache line, 4-way set associative, 512 Kb"},
        {0x44, 1024, "Unified, 32 byte cache line, 4-way set associative, 1024 Kb"},
        {0x45, 2048, "Unified, 32 byte cache line, 4-way set associative, 2048 Kb"},
        {0x79, 128, "Unified, sectored, 64 byte cache line, 8-way set associative, 128 Kb"},
        {0x7A, 256, "Unified, sectored, 64 byte cache line, 8-way set associative, 256 Kb"},
        {0x7B, 512, "Unified, sectored, 64 byte cache line, 8-way set associative, 512 Kb"},
        {0x7C, 1024, "Unified, sectored, 64 byte cache line, 8-way set associative, 1024 Kb"},
        {0x81, 128, "Unknown"},  // a size without a text
        {0x82, 256, "Unified, 32 byte cache line, 8-way set associative, 256 Kb"},
        {0x83, 512, "Unified, 32 byte cache line, 8-way set associative, 512 Kb"},
        {0x84, 1024, "Unified, 32 byte cache line, 8-way set associative, 1024 Kb"},
        {0x85, 2048, "Unified, 32 byte cache line, 8-way set associative, 2048 Kb"},
        {0x00, 0, "Unknown"},  // the rest of EDX is not zero, so leaf 2 is there
        {0x46, 0, "Unknown"},
        {0x7D, 0, "Unknown"},
        {0x86, 0, "Unknown"},
        {0xFF, 0, "Unknown"},
    };
    for (const Case& c : cases) {
        Intel i(0x03020101, 0x0C040800u | c.code);
        EXPECT_EQ(i.Sizes().l2Kb, c.kb) << std::hex << c.code;
        EXPECT_EQ(i.p->DescribeL2Cache(), c.text) << std::hex << c.code;
    }
}

TEST(CpuIntelTables, L1InstructionSizesAndTextsAreSeparateTables)
{
    struct Case {
        uint32_t code;
        int32_t kb;
        const char* text;
    } cases[] = {
        {0x06, 8, "32 byte line size, 4-way set associative, 8 Kb"},
        {0x08, 16, "32 byte line size, 4-way set associative, 16 Kb"},
        {0x66, 0, "64 byte cache line, 4-way set associative, sectored, 8 Kb"},
        {0x67, 0, "64 byte cache line, 4-way set associative, sectored, 16 Kb"},
        {0x68, 0, "64 byte cache line, 4-way set associative, sectored, 32 Kb"},
        {0x0A, 0, "Unknown"},
        {0x0C, 0, "Unknown"},
        {0x00, 0, "Unknown"},
        {0x30, 0, "Unknown"},
    };
    for (const Case& c : cases) {
        Intel i(0x03020101, 0x0C040043u | (c.code << 8));
        EXPECT_EQ(i.Sizes().l1CodeKb, c.kb) << std::hex << c.code;
        EXPECT_EQ(i.p->DescribeL1CodeCache(), c.text) << std::hex << c.code;
    }
}

TEST(CpuIntelTables, L1DataSizesAndTextsAreSeparateTables)
{
    struct Case {
        uint32_t code;
        int32_t kb;
        const char* text;
    } cases[] = {
        {0x0A, 8, "32 byte line size, 2-way set associative, 8 Kb"},
        {0x0C, 16, "32 byte line size, 4-way set associative, 16 Kb"},
        {0x66, 8, "Unknown"},
        {0x67, 16, "Unknown"},
        {0x68, 32, "Unknown"},
        {0x06, 0, "Unknown"},
        {0x08, 0, "Unknown"},
        {0x00, 0, "Unknown"},
        {0x2C, 0, "Unknown"},
    };
    for (const Case& c : cases) {
        Intel i(0x03020101, 0x00040843u | (c.code << 24));
        EXPECT_EQ(i.Sizes().l1DataKb, c.kb) << std::hex << c.code;
        EXPECT_EQ(i.p->DescribeL1DataCache(), c.text) << std::hex << c.code;
        // The data size never leaks into the instruction size read from byte 1.
        EXPECT_EQ(i.Sizes().l1CodeKb, 16);
    }
}

TEST(CpuIntelTables, TlbEntriesAreTestedAtTheirOwnBytesOnly)
{
    // Every test fails: each code sits at a position of another entry.
    Intel swapped(0x01030201, 0x0C020843);
    EXPECT_EQ(swapped.InstructionTlb().pages4Mb, "Unknown");
    EXPECT_EQ(swapped.InstructionTlb().pages4Kb, "Unknown");
    EXPECT_EQ(swapped.DataTlb().pages4Mb, "Unknown");
    EXPECT_EQ(swapped.DataTlb().pages4Kb, "Unknown");

    // One entry at a time.
    Intel codeLarge(0x00020001, 0);
    EXPECT_EQ(codeLarge.InstructionTlb().pages4Mb, "4 Mb pages, 2 entries, fully associative");
    EXPECT_EQ(codeLarge.InstructionTlb().pages4Kb, "Unknown");
    EXPECT_EQ(codeLarge.DataTlb().pages4Kb, "Unknown");
    EXPECT_EQ(codeLarge.DataTlb().pages4Mb, "Unknown");
    Intel dataSmall(0x03000001, 0);
    EXPECT_EQ(dataSmall.DataTlb().pages4Kb, "4 Kb pages, 64 entries, 4-way set associative");
}

TEST(CpuIntelTables, LeafTwoReadingZeroOrNotOfferedIsNotAvailable)
{
    // Highest standard leaf 1: leaf 2 is not read even though the processor would answer it.
    Intel old(0x03020101, 0x0C040843, 1);
    EXPECT_EQ(old.Sizes(), (CacheSizes{-2, -2, -2}));
    std::string a, b, c;
    old.p->FormatCacheSizes(a, b, c);
    EXPECT_EQ(a + "|" + b + "|" + c, "N/A|N/A|N/A");
    EXPECT_EQ(old.p->DescribeL2Cache(), "N/A");
    EXPECT_EQ(old.p->DescribeL1CodeCache(), "N/A");
    EXPECT_EQ(old.p->DescribeL1DataCache(), "N/A");
    EXPECT_EQ(old.InstructionTlb().pages4Mb, "N/A");
    EXPECT_EQ(old.InstructionTlb().pages4Kb, "N/A");
    EXPECT_EQ(old.DataTlb().pages4Mb, "N/A");
    EXPECT_EQ(old.DataTlb().pages4Kb, "N/A");
    EXPECT_EQ(old.cpu.Calls(2), 0);

    // An EDX of zero: the cache texts are unavailable, the sizes are zero (not in the tables).
    Intel noCaches(0x03020101, 0);
    EXPECT_EQ(noCaches.p->DescribeL2Cache(), "N/A");
    EXPECT_EQ(noCaches.p->DescribeL1CodeCache(), "N/A");
    EXPECT_EQ(noCaches.p->DescribeL1DataCache(), "N/A");
    EXPECT_EQ(noCaches.Sizes(), (CacheSizes{0, 0, 0}));
    EXPECT_EQ(noCaches.DataTlb().pages4Kb, "4 Kb pages, 64 entries, 4-way set associative");
    EXPECT_EQ(noCaches.DataTlb().pages4Mb, "Unknown");

    // An EAX of zero decides both data TLB texts, though the 4 Mb entry of EDX is there.
    Intel noTlbs(0, 0x0C040843);
    EXPECT_EQ(noTlbs.DataTlb().pages4Mb, "N/A");
    EXPECT_EQ(noTlbs.DataTlb().pages4Kb, "N/A");
    EXPECT_EQ(noTlbs.InstructionTlb().pages4Mb, "N/A");
    EXPECT_EQ(noTlbs.InstructionTlb().pages4Kb, "N/A");
    EXPECT_EQ(noTlbs.p->DescribeL2Cache(), "Unified, 32 byte cache line, 4-way set associative, 512 Kb");
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
    struct Case {
        uint32_t index;
        const char* name;
    } brands[] = {{0, "N/A"}, {1, "Celeron"}, {2, "Pentium III"}, {3, "Pentium III Xeon"}, {8, "Pentium IV"},
                  {4, "Unknown"}, {7, "Unknown"}, {9, "Unknown"}, {0xFF, "Unknown"}};
    for (const Case& c : brands) {
        FakeCpu cpu("GenuineIntel", 1);
        cpu.Set(1, 0x0F22, 0x1234'5600u | c.index);  // only the low byte is the index
        DetectVendor();
        auto p = CreateProcessor();
        EXPECT_EQ(p->GetBrandName(), c.name) << c.index;
        // The brand never changes the name.
        EXPECT_EQ(p->GetName(), "Unknown Intel Pentium IV class");
    }
}

TEST(CpuIntelTables, ExtendedFamilyAndModelOnlyForFamilyFifteen)
{
    FakeCpu cpu("GenuineIntel", 1);
    DetectVendor();
    auto p = CreateProcessor();
    struct Case {
        uint32_t eax;
        CpuSignature expected;
    } cases[] = {
        {0x0000'0673u, {9, 0, 0}},          // family 6: both 0, stepping untouched
        {0x01AF'0F00u, {9, 15, 26}},        // extended model 0xF, extended family 0x1A
        {0xF0F2'0F29u, {9, 2, 15}},         // bits 28-31 are not part of the family
        {0x0000'0F24u, {9, 0, 0}},          // family 15 without extended fields
        {0x0FF6'06A0u, {9, 0, 0}},          // extended fields of a family 6 are ignored
    };
    for (const Case& c : cases) {
        cpu.Set(1, c.eax);
        CpuSignature sig{9, -1, -1};
        p->GetExtendedFamilyModel(sig);
        EXPECT_EQ(sig, c.expected) << std::hex << c.eax;
    }
}

TEST(CpuIntelTables, SerialNumberNeedsLeafThree)
{
    FakeCpu cpu("GenuineIntel", 2);
    cpu.Set(1, 0x0000'0673).Set(3, 0, 0, 0x89AB'CDEFu, 0x0123'4567u);
    DetectVendor();
    SerialNumber serial{5, 5, 5};
    CreateProcessor()->GetSerialNumber(serial);
    EXPECT_EQ(serial, (SerialNumber{0, 0, 0})) << "serial number switched off";

    cpu.Set(0, 3, 0x756e6547, 0x6c65746e, 0x49656e69);
    CreateProcessor()->GetSerialNumber(serial);
    EXPECT_EQ(serial.signature, 0x0673);
    EXPECT_EQ(serial.middle, 0x0123'4567);
    EXPECT_EQ(static_cast<uint32_t>(serial.low), 0x89AB'CDEFu);
}

TEST(CpuIntelTables, GenerationAndL2TlbAreNotDecoded)
{
    FakeCpu cpu("GenuineIntel", 2);
    cpu.Set(0x80000000, 0x80000008).Set(0x80000001, 0x0F00).Set(0x80000006, 0, 0x41004100, 0x01008140);
    DetectVendor();
    auto p = CreateProcessor();
    EXPECT_EQ(p->GetGeneration(), -1);
    EXPECT_EQ(p->DescribeL2Tlb(), "N/D");
}
