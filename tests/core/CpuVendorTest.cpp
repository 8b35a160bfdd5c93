#include <gtest/gtest.h>

#include <string>

#include "cpu/Processor.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"

namespace {

struct InstalledDump {
    explicit InstalledDump(const std::string& text)
        : dump(platform::ParseCpuidDump(text)),
          scope([this](uint32_t leaf, uint32_t subleaf) { return dump.Query(leaf, subleaf); })
    {
    }
    platform::CpuidDump dump;
    platform::ScopedCpuid scope;
};

// Leaf 0 with the vendor string spread over EBX, EDX, ECX as the processor returns it.
std::string Leaf0(uint32_t maxLeaf, const char vendor[13])
{
    auto word = [&](int at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(vendor[at + i]);
        return v;
    };
    char line[80];
    std::snprintf(line, sizeof line, "0 0 %x %x %x %x\n", maxLeaf, word(0), word(8), word(4));
    return line;
}

}  // namespace

TEST(CpuVendor, KnownVendorStringsGiveTheirCodeAndLabel)
{
    struct Case {
        const char* vendor;
        int32_t code;
        const char* label;
    } cases[] = {
        {"GenuineIntel", VendorIntel, "Intel   (GenuineIntel)"},
        {"AuthenticAMD", VendorAmd, "AMD   (AuthenticAMD)"},
        {"CyrixInstead", VendorCyrix, "Cyrix   (CyrixInstead)"},
        {"CentaurHauls", VendorOther, "Other   (CentaurHauls)"},
        // Case matters, and a near miss is another vendor.
        {"genuineintel", VendorOther, "Other   (genuineintel)"},
        {"GenuineIotel", VendorOther, "Other   (GenuineIotel)"},
    };
    for (const Case& c : cases) {
        InstalledDump d(Leaf0(1, c.vendor));
        EXPECT_EQ(DetectVendor(), c.label) << c.vendor;
        EXPECT_EQ(VendorCode, c.code) << c.vendor;
    }
}
