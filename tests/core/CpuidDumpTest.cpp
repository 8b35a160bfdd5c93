#include <gtest/gtest.h>

#include <string>

#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"

using platform::CpuidDump;
using platform::CpuidDumpError;
using platform::CpuidRegs;
using platform::ParseCpuidDump;

TEST(CpuidDump, ReadsThePlainFormatWithComments)
{
    CpuidDump dump = ParseCpuidDump(
        "# cpu: Test processor\n"
        "# another comment\n"
        "\n"
        "00000000 00 00000003 756e6547 6c65746e 49656e69   \r\n"
        "0x80000000 0 80000004 0 0 0\n");
    EXPECT_EQ(dump.Description(), "Test processor");
    EXPECT_EQ(dump.Query(0, 0), (CpuidRegs{3, 0x756e6547, 0x6c65746e, 0x49656e69}));
    EXPECT_EQ(dump.Query(0x80000000, 0).eax, 0x80000004u);
    // A leaf the dump does not list answers zeros.
    EXPECT_EQ(dump.Query(2, 0), CpuidRegs{});
    EXPECT_EQ(dump.Query(0, 1), CpuidRegs{});
}

TEST(CpuidDump, ReadsRawCpuidToolOutputTakingTheFirstProcessorOnly)
{
    CpuidDump dump = ParseCpuidDump(
        "CPU 0:\n"
        "   0x00000000 0x00: eax=0x0000000d ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
        "   0x00000004 0x01: eax=0x1c004122 ebx=0x01c0003f ecx=0x0000003f edx=0x00000000\n"
        "CPU 1:\n"
        "   0x00000000 0x00: eax=0x00000001 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n");
    EXPECT_EQ(dump.Query(0, 0).eax, 0xdu);
    EXPECT_EQ(dump.Query(4, 1).eax, 0x1c004122u);
    EXPECT_EQ(dump.Size(), 2u);
}

TEST(CpuidDump, RejectsMalformedInputNamingTheLine)
{
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"00000000 00 00000003 756e6547 6c65746e\n", 1},              // five numbers
        {"# ok\n00000000 00 0000000g 0 0 0\n", 2},                    // not hexadecimal
        {"00000000 00 1 2 3 4\n00000001 00 123456789 0 0 0\n", 2},    // more than 32 bits
        {"CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3\n", 2},     // a register missing
        {"CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3 fdx=0x4\n", 2},
    };
    for (const auto& c : cases) {
        try {
            ParseCpuidDump(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const CpuidDumpError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(std::string(e.what()).find("line " + std::to_string(c.line)), std::string::npos);
        }
    }
    for (std::string_view empty : {std::string_view(""), std::string_view("# only comments\n"),
                                   std::string_view("0 0 1 2 3 4\n\0", 13)})
        EXPECT_THROW(ParseCpuidDump(empty), CpuidDumpError);
}

TEST(CpuidDump, LoadNamesTheFileAndRefusesMissingFiles)
{
    try {
        platform::LoadCpuidDump("/nonexistent/dump.txt");
        ADD_FAILURE() << "a missing file was accepted";
    } catch (const CpuidDumpError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/dump.txt"), std::string::npos);
    }
}

TEST(CpuidSeam, ScopedDumpReplacesTheLiveProcessorAndNests)
{
    CpuidDump outer = ParseCpuidDump("0 0 1 2 3 4\n");
    CpuidDump inner = ParseCpuidDump("0 0 5 6 7 8\n");
    {
        platform::ScopedCpuid a([&](uint32_t l, uint32_t s) { return outer.Query(l, s); });
        EXPECT_EQ(platform::Cpuid(0).eax, 1u);
        {
            platform::ScopedCpuid b([&](uint32_t l, uint32_t s) { return inner.Query(l, s); });
            EXPECT_EQ(platform::Cpuid(0).eax, 5u);
        }
        EXPECT_EQ(platform::Cpuid(0).eax, 1u);
    }
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_GT(platform::Cpuid(0).ebx, 0u);  // the live processor again: a vendor string
#endif
}
