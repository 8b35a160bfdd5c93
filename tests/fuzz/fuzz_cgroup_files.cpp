// Arbitrary text as the control-group files: the input's parts, split at NUL bytes, are read as
// /proc/self/mountinfo, /proc/self/cgroup and then every group file in turn (the last part answers for
// all that follow). No reading may fail; a quota is a positive, finite number of processors, and every
// folder looked in lies below its mount point.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ControlGroup.h"
#include "tests/fuzz/Require.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        const size_t end = input.find('\0', start);
        parts.emplace_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    size_t next = 0;
    const platform::CgroupLimits limits = platform::ReadCgroupLimits([&](const std::string&) {
        const std::string& text = parts[std::min(next, parts.size() - 1)];
        ++next;
        return std::optional<std::string>(text);
    });
    if (limits.cpuQuota) Require(std::isfinite(*limits.cpuQuota) && *limits.cpuQuota > 0);

    const platform::CgroupMounts mounts = platform::ParseCgroupMounts(parts.front());
    const platform::CgroupPaths paths = platform::ParseProcCgroup(parts.size() > 1 ? parts[1] : "");
    for (const auto& [mount, path] : {std::pair{mounts.unified, paths.unified}, std::pair{mounts.memory, paths.memory},
                                      std::pair{mounts.cpu, paths.cpu}}) {
        if (!mount || !path) continue;
        for (const std::string& folder : platform::GroupFolders(*mount, *path))
            Require(folder.compare(0, mount->point.size(), mount->point) == 0);
    }
    return 0;
}
