// The control groups' limits, read from recorded files of a v1-hybrid host and of a v2 container.
#include <gtest/gtest.h>

#include <map>

#include "platform/ControlGroup.h"

using platform::CgroupLimits;

namespace {

CgroupLimits LimitsOf(const std::map<std::string, std::string>& files)
{
    return platform::ReadCgroupLimits([&files](const std::string& path) -> std::optional<std::string> {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    });
}

// As on the build machine: v1 controllers, v2 mounted on the side, the process in memory:/process_api/x.
const char kHybridMountinfo[] =
    "31 23 0:28 / /sys/fs/cgroup rw,relatime - tmpfs tmpfs rw,mode=755\n"
    "32 31 0:29 / /sys/fs/cgroup/cpu rw,relatime - cgroup cgroup rw,cpu\n"
    "33 31 0:30 / /sys/fs/cgroup/cpuacct rw,relatime - cgroup cgroup rw,cpuacct\n"
    "35 31 0:32 / /sys/fs/cgroup/memory rw,relatime - cgroup cgroup rw,memory\n"
    "41 31 0:38 / /sys/fs/cgroup/unified rw,relatime - cgroup2 cgroup2 rw\n";
const char kHybridCgroup[] = "9:name=systemd:/\n4:memory:/process_api/x\n2:cpuacct:/\n1:cpu:/\n0::/\n";
const char kNoLimit[] = "9223372036854771712\n";

}  // namespace

TEST(ControlGroup, TheLeastAllowanceOfTheGroupAndItsAncestorsCounts)
{
    // Hybrid host: the limit is set on the parent; the group's own file says none. Its usage less the
    // file cache it could drop is what the parent's limit has left.
    const std::string memory = "/sys/fs/cgroup/memory";
    std::map<std::string, std::string> host = {
        {"/proc/self/mountinfo", kHybridMountinfo},
        {"/proc/self/cgroup", kHybridCgroup},
        {memory + "/memory.limit_in_bytes", kNoLimit},
        {memory + "/memory.usage_in_bytes", "1091526656\n"},
        {memory + "/process_api/memory.limit_in_bytes", "268435456\n"},
        {memory + "/process_api/memory.usage_in_bytes", "117440512\n"},
        {memory + "/process_api/memory.stat", "cache 9\ninactive_file 4096\ntotal_inactive_file 16777216\n"},
        {memory + "/process_api/x/memory.limit_in_bytes", kNoLimit},
        {memory + "/process_api/x/memory.usage_in_bytes", "4194304\n"},
        {"/sys/fs/cgroup/cpu/cpu.cfs_quota_us", "-1\n"},
        {"/sys/fs/cgroup/cpu/cpu.cfs_period_us", "100000\n"},
    };
    EXPECT_EQ(LimitsOf(host), (CgroupLimits{268435456 - 117440512 + 16777216, std::nullopt}));
    host["/sys/fs/cgroup/cpu/cpu.cfs_quota_us"] = "150000\n";
    host[memory + "/process_api/x/memory.limit_in_bytes"] = "25165824\n";  // below what the parent has left
    EXPECT_EQ(LimitsOf(host), (CgroupLimits{25165824 - 4194304, 1.5}));

    // A v2 container whose own group is mounted as the root: /proc/self/cgroup names it from the
    // host's root, and a group above it (not visible) sets nothing here.
    const std::map<std::string, std::string> container = {
        {"/proc/self/mountinfo", "700 650 0:40 /docker/abc /sys/fs/cgroup ro,nosuid - cgroup2 cgroup rw\n"},
        {"/proc/self/cgroup", "0::/docker/abc/app\n"},
        {"/sys/fs/cgroup/memory.max", "268435456\n"},
        {"/sys/fs/cgroup/memory.current", "67108864\n"},
        {"/sys/fs/cgroup/app/memory.max", "max\n"},
        {"/sys/fs/cgroup/app/memory.current", "33554432\n"},
        {"/sys/fs/cgroup/app/memory.stat", "anon 1\ninactive_file 1048576\n"},
        {"/sys/fs/cgroup/cpu.max", "max 100000\n"},
        {"/sys/fs/cgroup/app/cpu.max", "50000 100000\n"},
    };
    EXPECT_EQ(LimitsOf(container), (CgroupLimits{201326592, 0.5}));
    // Outside any group, or with files it may not read: no limit.
    EXPECT_EQ(LimitsOf({{"/proc/self/mountinfo", kHybridMountinfo}}), CgroupLimits{});
    EXPECT_EQ(LimitsOf({{"/proc/self/mountinfo", kHybridMountinfo}, {"/proc/self/cgroup", kHybridCgroup}}), CgroupLimits{});
}

TEST(ControlGroup, FilesThatSayNoLimitOrNothingReadable)
{
    using namespace platform;
    EXPECT_EQ(ParseMemoryLimit("max\n"), std::nullopt);
    EXPECT_EQ(ParseMemoryLimit(kNoLimit), std::nullopt);
    EXPECT_EQ(ParseMemoryLimit("268435456\n"), 268435456u);
    EXPECT_EQ(ParseMemoryLimit("12x"), std::nullopt);
    EXPECT_EQ(ParseCpuMax("max 100000\n"), std::nullopt);
    EXPECT_EQ(ParseCpuMax("200000 100000\n"), 2.0);
    EXPECT_EQ(ParseCpuMax("200000 0"), std::nullopt);
    EXPECT_EQ(ParseCpuMax("0 100000"), std::nullopt);
    EXPECT_EQ(ParseCfsQuota("-1", "100000"), std::nullopt);
    EXPECT_EQ(ParseCfsQuota("25000\n", "100000\n"), 0.25);
    // A path with a blank is escaped in mountinfo; a group outside the namespace's view has no folder.
    const CgroupMounts mounts = ParseCgroupMounts("1 0 0:1 / /c\\040g rw - cgroup cg rw,cpu,cpuacct\n");
    ASSERT_TRUE(mounts.cpu);
    EXPECT_EQ(GroupFolders(*mounts.cpu, "/a/b/"), (std::vector<std::string>{"/c g/a/b", "/c g/a", "/c g"}));
    EXPECT_EQ(GroupFolders({"/docker/abc", "/m"}, "/../../x"), (std::vector<std::string>{"/m"}));
    EXPECT_EQ(GroupFolders({"/docker/abc", "/m"}, "/docker/abcd"), (std::vector<std::string>{"/m/docker/abcd", "/m/docker", "/m"}));
}
