// The processor decoded by today's rules, against recorded dumps of real processors whose expected
// facts were worked out by hand from the registers and the vendors' manuals (tests/data/modern), and
// against small made-up dumps for the rules' edges. VEXT_UPDATE_GOLDEN=1 rewrites the expectations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "platform/TextEncoding.h"
#include "results/ProcessorJson.h"
#include "cpu/ModernProcessor.h"
#include "cpu/RecordedCpuid.h"
#include "platform/CpuidDump.h"
#include "platform/SysfsCache.h"
#include "tests/support/FakeMachine.h"
#include "tests/support/Golden.h"

using namespace cpu;

using namespace results;

namespace fs = std::filesystem;

namespace {

const fs::path kDumps = VEXT_SHARED_DUMPS;
const fs::path kGoldens = fs::path(VEXT_TEST_DATA) / "modern";

cpu::ModernProcessor Decode(platform::CCpuidDump dump)
{
    return cpu::DecodeModernProcessor(cpu::WithRecordedCpuid(platform::FakeMachine(), std::move(dump)));
}

std::vector<std::string> Goldens()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kGoldens)) names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ModernGolden : public testing::TestWithParam<std::string> {};

TEST_P(ModernGolden, MatchesTheHandCheckedFacts)
{
    const auto actual = ProcessorJson(Decode(platform::LoadCpuidDump((kDumps / (GetParam() + ".txt")).string())));
    ExpectGolden("modern/" + GetParam() + ".json", actual.dump(2) + "\n");
}

// One processor of each cache source: leaf 4, leaf 2 only, 0x8000001D, 0x80000005/6 only, a
// hypervisor, and a vendor with none of these leaves.
INSTANTIATE_TEST_SUITE_P(Dumps, ModernGolden, testing::ValuesIn(Goldens()));

// Every recorded processor gives JSON that parses and caches in order; the flags of all of them are one
// golden file (tests/data/modern-flags.txt), a line per dump.
TEST(ModernSweep, EveryRecordedProcessor)
{
    std::vector<fs::path> dumps;
    for (const auto& entry : fs::directory_iterator(kDumps))
        if (entry.path().extension() == ".txt") dumps.push_back(entry.path());
    std::sort(dumps.begin(), dumps.end());
    std::string flags;
    for (const fs::path& path : dumps) {
        const cpu::ModernProcessor p = Decode(platform::LoadCpuidDump(path.string()));
        EXPECT_EQ(nlohmann::json::parse(ProcessorJson(p).dump()).size(), 12u) << path;
        for (size_t i = 1; i < p.caches.size(); ++i)
            EXPECT_LT(std::pair(p.caches[i - 1].level, p.caches[i - 1].type), std::pair(p.caches[i].level, p.caches[i].type))
                << path;
        flags += path.stem().string() + ":";
        for (const std::string& name : p.features) flags += " " + name;
        flags += "\n";
    }
    EXPECT_EQ(dumps.size(), 111u);
    ExpectGolden("modern-flags.txt", flags);
}

// Caches as "L<level><d|i|u> <Kb>K <ways>w <sets>s", '?' where the processor does not say, then
// " <n>x" when it says how many logical processors share the cache.
std::string Caches(const cpu::ModernProcessor& p)
{
    std::string text;
    for (const auto& c : p.caches)
        text += "L" + std::to_string(c.level) + cpu::CacheTypeName(c.type)[0] + " " + std::to_string(c.sizeBytes / 1024) +
                "K " + (c.ways ? std::to_string(*c.ways) : "?") + "w " + (c.sets ? std::to_string(*c.sets) : "?") + "s" +
                (c.sharedBy ? " " + std::to_string(*c.sharedBy) + "x;" : ";");
    return text;
}

struct EdgeCase {
    const char* what;
    const char* dump;
    const char* caches;
};

// Highest leaf 2, and the vendor words: "Genu" "ineI" "ntel" and "Auth" "enti" "cAMD".
#define INTEL "0 0 2 756e6547 6c65746e 49656e69\n"
#define AMD "0 0 2 68747541 444d4163 69746e65\n"
const EdgeCase kEdges[] = {
    {"49H is an L3 on family 15 model 6", INTEL "1 0 f60 0 0 0\n2 0 49000001 0 0 0\n", "L3u 4096K 16w 4096s;"},
    {"49H is an L2 elsewhere", INTEL "1 0 f50 0 0 0\n2 0 49000001 0 0 0\n", "L2u 4096K 16w 4096s;"},
    {"AL, registers with bit 31, TLB and trace entries", INTEL "1 0 f24 0 0 0\n2 0 0000002c 80000030 00007050 0\n", ""},
    {"leaf 2 of another vendor", AMD "1 0 f24 0 0 0\n2 0 0000002c 00000030 0 0\n", ""},
    {"leaf 4 above the highest leaf", INTEL "4 0 121 1c0003f 3f 0\n", ""},
    {"sharing in bits 25-14", "0 0 4 756e6547 6c65746e 49656e69\n4 0 fc0fc121 1c0003f 3f 0\n", "L1d 32K 8w 64s 64x;"},
    {"AMD code 9 without 0x8000001D", AMD "80000000 0 80000006 0 0 0\n80000006 0 0 0 02009140 00049140\n",
     "L2u 512K ?w ?s;L3u 512K ?w ?s;"},
    {"AMD fully associative and reserved L1", AMD "80000000 0 80000005 0 0 0\n80000005 0 0 0 40ff0140 40000140\n",
     "L1d 64K 0w 1s;L1i 64K ?w ?s;"},
    {"AMD L2 disabled", AMD "80000000 0 80000006 0 0 0\n80000006 0 0 0 02000140 0\n", ""},
};

TEST(ModernEdges, CacheSourcesAtTheirEdges)
{
    for (const EdgeCase& e : kEdges) EXPECT_EQ(Caches(Decode(platform::ParseCpuidDump(e.dump))), e.caches) << e.what;
}

// A feature word is read only within the highest leaf, and subleaf, that the processor states; bits the
// kernel does not show stay hidden. Highest leaves 6, 7, 0x80000007 and 0x80000021; "CentaurHauls".
#define CENTAUR "0 0 1 746e6543 736c7561 48727561\nc0000001 0 0 0 0 4\n"
TEST(ModernEdges, FeatureWordsWithinTheStatedLeaves)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0 0 6 0 0 0\n6 0 4 0 0 0\n7 0 0 1 0 0\nd 1 1 0 0 0\n", "arat;"},
        {"0 0 7 0 0 0\n7 0 0 0 0 0\n7 1 20 0 0 0\n", ""},
        {"0 0 7 0 0 0\n7 0 0 0 0 3400000\n", "amx_bf16;amx_tile;amx_int8;"},  // no recorded processor has AMX
        {"0 0 d 0 0 0\n7 0 1 1 0 0\n7 1 20 0 0 0\nd 1 1 0 0 0\n", "fsgsbase;xsaveopt;avx512_bf16;"},
        {"80000000 0 80000007 0 0 0\n80000007 0 0 1 0 0\n80000008 0 0 1 0 0\n", "overflow_recov;"},
        {"80000000 0 80000021 0 0 0\n80000008 0 0 1001 0 0\n80000021 0 ffffffff 0 0 0\n", "clzero;"},
        {CENTAUR "c0000000 0 c0000001 0 0 0\n1 0 585 0 0 0\n", ""},
        {CENTAUR "c0000000 0 c0000001 0 0 0\n1 0 6a9 0 0 0\n", "rng;"},
        {CENTAUR "c0000000 0 c0000000 0 0 0\n1 0 6a9 0 0 0\n", ""},
    };
    for (const auto& [dump, expected] : cases) {
        std::string flags;
        for (const std::string& name : Decode(platform::ParseCpuidDump(dump)).features) flags += name + ";";
        EXPECT_EQ(flags, expected) << dump;
    }
}

TEST(ModernEdges, MissingLeavesAreAbsentNotGuessed)
{
    const cpu::ModernProcessor bare = Decode(platform::ParseCpuidDump("0 0 0 756e6547 6c65746e 49656e69\n"));
    EXPECT_EQ(ProcessorJson(bare), nlohmann::json::parse(R"({"vendor":"GenuineIntel","brand":null,"family":null,
        "model":null,"stepping":null,"hypervisor":null,"caches":[],"features":[],"tsc_mhz":null,"base_mhz":null,
        "max_mhz":null,"measured_mhz":null})"));
    // A zero denominator in leaf 0x15 and a hypervisor bit with no hypervisor leaf.
    const auto odd = Decode(platform::ParseCpuidDump("0 0 16 0 0 0\n1 0 0 0 80000000 0\n15 0 0 3 5 0\n"));
    EXPECT_FALSE(odd.tscMHz);
    EXPECT_EQ(odd.hypervisor, "");
    const auto tsc = Decode(platform::ParseCpuidDump("0 0 15 0 0 0\n15 0 2 a8 16e3600 0\n"));
    EXPECT_DOUBLE_EQ(tsc.tscMHz.value_or(0), 2016.0);
}

TEST(ModernJson, BrandBytesAboveAsciiAreLatin1AndValidUtf8Stays)
{
    EXPECT_EQ(platform::Utf8OrLatin1("Intel\xae"), "Intel\xc2\xae");
    EXPECT_EQ(platform::Utf8OrLatin1("Intel\xc2\xae"), "Intel\xc2\xae");
}

TEST(SysfsCache, SizeTexts)
{
    const std::pair<const char*, std::optional<uint64_t>> cases[] = {
        {"32K\n", 32768}, {"16M", 16u << 20}, {"512", 512}, {"", std::nullopt}, {"K", std::nullopt},
        {"12Q", std::nullopt}, {"17179869184G", std::nullopt}, {"-1K", std::nullopt}};
    for (const auto& [text, bytes] : cases) EXPECT_EQ(platform::ParseCacheSizeText(text), bytes) << text;
}

TEST(SysfsCache, LargestOfTheIndexFolders)
{
    const fs::path dir = fs::temp_directory_path() / ("vext-cache-" + std::to_string(::getpid()));
    for (auto [index, size] : {std::pair{"index0", "48K"}, {"index3", "32M"}, {"index2", "1024K"}, {"other", "64M"}}) {
        fs::create_directories(dir / index);
        std::ofstream(dir / index / "size") << size << "\n";
    }
    EXPECT_EQ(platform::LargestSysfsCacheBytes(dir.string()), uint64_t{32} << 20);
    fs::remove_all(dir);
    EXPECT_EQ(platform::LargestSysfsCacheBytes(dir.string()), std::nullopt);
}


}  // namespace
