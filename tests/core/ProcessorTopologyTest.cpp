// The topology as CPUID and the machine tell it, against recorded processors whose counts are known
// (the i5-13600K: 6 two-thread performance and 8 efficiency cores; the 5950X: 16 cores in two
// eight-core dies, each with its L3), and what each feature flag is for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cpu/ModernTopology.h"
#include "cpu/RecordedCpuid.h"
#include "facts/FeatureGroups.h"
#include "platform/CpuidDump.h"
#include "tests/support/FakeMachine.h"
#include "tests/support/HybridMachine.h"
#include "tests/support/ReportTestSupport.h"

using namespace cpu;

namespace {

platform::Machine Recorded(const char* name)
{
    return WithRecordedCpuid(platform::FakeMachine(), platform::LoadCpuidDump((reporttest::SharedDumps() / name).string()));
}

}  // namespace

TEST(Topology, WhatOneProcessorsCpuidSays)
{
    const struct {
        const char* dump;
        std::optional<uint32_t> threads, cores, logical, coreType;
    } cases[] = {
        {"intel-b0671-core-i5-raptor-lake.txt", 2, std::nullopt, 20, 0x40},  // leaf 0xB; hybrid: no one core count
        {"intel-90672-core-i5-alder-lake.txt", 2, 6, 12, std::nullopt},
        {"amd-a20f10-ryzen-9-5950x-zen3.txt", 2, 16, 32, std::nullopt},      // 0x80000008 with 0x8000001E
        {"intel-0f34-pentium-4-prescott.txt", 2, 1, 2, std::nullopt},        // leaf 1's HTT with leaf 4
        {"intel-0480-486dx4.txt", 1, 1, 1, std::nullopt},
    };
    for (const auto& c : cases) {
        const CpuidTopology t = DecodeModernProcessor(Recorded(c.dump)).topology;
        EXPECT_EQ(c.threads, t.threadsPerCore) << c.dump;
        EXPECT_EQ(c.cores, t.coresPerPackage) << c.dump;
        EXPECT_EQ(c.logical, t.logicalPerPackage) << c.dump;
        EXPECT_EQ(c.coreType, t.coreType) << c.dump;
    }
}

// A recorded processor says nothing of the machine; CPUID's cache counts are per package.
TEST(Topology, RecordedAndLiveMachines)
{
    platform::Machine machine = Recorded("amd-a20f10-ryzen-9-5950x-zen3.txt");
    ModernProcessor p = DecodeModernProcessor(machine);
    MachineTopology m = ReadMachineTopology(machine, p);
    EXPECT_FALSE(m.packages || m.cores || m.logicalProcessors || m.numaNodes);
    ASSERT_EQ(4u, m.cacheCounts.size());
    EXPECT_TRUE(m.cacheCounts[3].perPackage && m.cacheCounts[3].count == 2);  // L3
    EXPECT_EQ(16, m.cacheCounts[0].count);

    // Live: four processors of two packages, the kernel's counts; each processor answers leaf 0x1A
    // with its own type, so the sweep has to be pinned where it reads.
    machine = platform::HybridMachine((reporttest::SharedDumps() / "intel-b0671-core-i5-raptor-lake.txt").string(),
                                      {{0, 0, 0}, {1, 0, 0}, {2, 1, 4}, {3, 1, 5}});
    p = DecodeModernProcessor(machine);
    m = ReadMachineTopology(machine, p);
    EXPECT_EQ(std::make_tuple(2, 3, 4, 1), std::make_tuple(*m.packages, *m.cores, *m.logicalProcessors, *m.numaNodes));
    ASSERT_EQ(2u, m.coreTypes.size());
    EXPECT_EQ(std::make_pair(0x40u, 2), std::make_pair(m.coreTypes[0].type, *m.coreTypes[0].count));
    EXPECT_EQ(std::make_pair(0x20u, 2), std::make_pair(m.coreTypes[1].type, *m.coreTypes[1].count));
    EXPECT_EQ(p.caches, m.coreTypes[1].caches);
    ASSERT_EQ(4u, m.cacheCounts.size());
    EXPECT_TRUE(!m.cacheCounts[1].perPackage && m.cacheCounts[1].count == 2 && m.cacheCounts[3].count == 1);  // the fake kernel's
}

TEST(Topology, KernelListsAndCounts)
{
    EXPECT_EQ(7, platform::CountCpuList("0-3,8,10-11\n"));
    for (const char* bad : {"", "3-1", "a", "1,", "-1", "0-"}) EXPECT_EQ(0, platform::CountCpuList(bad)) << bad;
    reporttest::TempDir root;
    const auto write = [&](const std::string& path, const std::string& text) {
        std::filesystem::create_directories((root.Path() / path).parent_path());
        std::ofstream(root.Path() / path) << text << "\n";
    };
    write("node/online", "0-1");
    write("cpu/online", "0-1");
    for (const std::string cpu : {"0", "1"}) {
        const std::string dir = "cpu/cpu" + cpu + "/cache/";
        write(dir + "index0/level", "1"), write(dir + "index0/type", "Data"), write(dir + "index0/shared_cpu_list", cpu);
        write(dir + "index1/level", "3"), write(dir + "index1/type", "Unified"), write(dir + "index1/shared_cpu_list", "0-1");
    }
    const platform::SysfsTopology t = platform::LiveSysfsTopology(root.Path().string());
    EXPECT_EQ(2, t.numaNodes);
    EXPECT_EQ((std::vector<platform::CacheInstances>{{1, "Data", 2}, {3, "Unified", 1}}), t.caches);
}

// One known flag of each group, the table's first and last names, and a name it does not know.
TEST(FeatureGroups, EachGroupAndAnUnknownName)
{
    using facts::FeatureGroup;
    const std::pair<const char*, FeatureGroup> known[] = {
        {"3dnow", FeatureGroup::Vectors},      {"x2avic", FeatureGroup::Virtualisation}, {"adx", FeatureGroup::Instructions},
        {"aes", FeatureGroup::Cryptography},   {"smep", FeatureGroup::Security},         {"pdpe1gb", FeatureGroup::Memory},
        {"hwp", FeatureGroup::PowerTiming},    {"intel_pt", FeatureGroup::Monitoring},   {"xtpr", FeatureGroup::System},
    };
    for (const auto& [name, group] : known) {
        EXPECT_EQ(group, facts::DescribeFeature(name).group) << name;
        EXPECT_FALSE(facts::DescribeFeature(name).description.empty()) << name;
    }
    EXPECT_EQ(FeatureGroup::Other, facts::DescribeFeature("made_up").group);
    EXPECT_TRUE(facts::DescribeFeature("made_up").description.empty());
    EXPECT_STREQ("Other", facts::FeatureGroupName(FeatureGroup::Other));
    const auto grouped = facts::GroupFeatures({"made_up", "smep", "aes", "adx", "cmov"});
    std::string order;
    for (const auto& f : grouped) order += f.name + " ";
    EXPECT_EQ("adx cmov aes smep made_up ", order);
}
