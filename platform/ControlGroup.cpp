#include "platform/ControlGroup.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/SystemQueries.h"
#include "platform/TextTrim.h"

namespace platform {

namespace {

// v1 writes "no limit" as the largest page-aligned signed 64-bit number; nothing real comes near 2^62.
constexpr uint64_t kNoLimit = 1ull << 62;

template <typename T>
std::optional<T> WholeNumber(std::string_view text)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

bool HasWord(std::string_view list, std::string_view word)
{
    for (std::string_view item : Split(list, ','))
        if (item == word) return true;
    return false;
}

// mountinfo writes a blank, tab, line end and backslash in a path as \040, \011, \012, \134.
std::string Unescape(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string_view digits = text.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                out += static_cast<char>(((digits[0] - '0') << 6) | ((digits[1] - '0') << 3) | (digits[2] - '0'));
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::optional<uint64_t> Least(std::optional<uint64_t> a, std::optional<uint64_t> b)
{
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

std::optional<double> Least(std::optional<double> a, std::optional<double> b)
{
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

// What one group's memory files allow: its limit less what it uses, less the file cache it could drop.
std::optional<uint64_t> MemoryLeft(const ReadTextFile& read, const std::string& folder, bool v2)
{
    const std::optional<std::string> limitText = read(folder + (v2 ? "/memory.max" : "/memory.limit_in_bytes"));
    const std::optional<uint64_t> limit = limitText ? ParseMemoryLimit(*limitText) : std::nullopt;
    if (!limit) return std::nullopt;
    const std::optional<std::string> usageText = read(folder + (v2 ? "/memory.current" : "/memory.usage_in_bytes"));
    uint64_t used = usageText ? ParseByteCount(*usageText).value_or(0) : 0;
    const std::optional<std::string> stat = read(folder + "/memory.stat");
    used -= std::min(used, stat ? InactiveFileBytes(*stat) : 0);
    return *limit > used ? *limit - used : 0;
}

std::optional<double> CpuQuota(const ReadTextFile& read, const std::string& folder, bool v2)
{
    if (v2) {
        const std::optional<std::string> max = read(folder + "/cpu.max");
        return max ? ParseCpuMax(*max) : std::nullopt;
    }
    const std::optional<std::string> quota = read(folder + "/cpu.cfs_quota_us");
    const std::optional<std::string> period = read(folder + "/cpu.cfs_period_us");
    return quota && period ? ParseCfsQuota(*quota, *period) : std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::optional<uint64_t> ParseMemoryLimit(std::string_view text)
{
    const std::optional<uint64_t> bytes = ParseByteCount(text);
    return bytes && *bytes < kNoLimit ? bytes : std::nullopt;
}

std::optional<uint64_t> ParseByteCount(std::string_view text) { return WholeNumber<uint64_t>(TrimWhiteSpace(text)); }

uint64_t InactiveFileBytes(std::string_view memoryStat)
{
    std::optional<uint64_t> local, total;
    for (std::string_view line : Split(memoryStat, '\n')) {
        const size_t blank = line.find(' ');
        if (blank == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, blank);
        if (key == "inactive_file") local = ParseByteCount(line.substr(blank + 1));
        if (key == "total_inactive_file") total = ParseByteCount(line.substr(blank + 1));
    }
    return total.value_or(local.value_or(0));
}

std::optional<double> ParseCpuMax(std::string_view text)
{
    const std::vector<std::string_view> words = Split(TrimWhiteSpace(text), ' ');
    if (words.size() != 2) return std::nullopt;
    const std::optional<uint64_t> quota = WholeNumber<uint64_t>(words[0]);
    const std::optional<uint64_t> period = WholeNumber<uint64_t>(words[1]);
    if (!quota || !period || *quota == 0 || *period == 0) return std::nullopt;
    return static_cast<double>(*quota) / static_cast<double>(*period);
}

std::optional<double> ParseCfsQuota(std::string_view quota, std::string_view period)
{
    const std::optional<int64_t> q = WholeNumber<int64_t>(TrimWhiteSpace(quota));
    const std::optional<int64_t> p = WholeNumber<int64_t>(TrimWhiteSpace(period));
    if (!q || !p || *q <= 0 || *p <= 0) return std::nullopt;
    return static_cast<double>(*q) / static_cast<double>(*p);
}

CgroupPaths ParseProcCgroup(std::string_view text)
{
    CgroupPaths paths;
    for (std::string_view line : Split(text, '\n')) {
        const size_t first = line.find(':');
        const size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) continue;
        const std::string_view id = line.substr(0, first);
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const std::string path(line.substr(second + 1));
        if (id == "0" && controllers.empty()) paths.unified = path;
        if (HasWord(controllers, "memory")) paths.memory = path;
        if (HasWord(controllers, "cpu")) paths.cpu = path;
    }
    return paths;
}

CgroupMounts ParseCgroupMounts(std::string_view mountinfo)
{
    CgroupMounts mounts;
    for (std::string_view line : Split(mountinfo, '\n')) {
        const size_t dash = line.find(" - ");
        if (dash == std::string_view::npos) continue;
        const std::vector<std::string_view> fields = Split(line.substr(0, dash), ' ');
        const std::vector<std::string_view> tail = Split(line.substr(dash + 3), ' ');
        if (fields.size() < 5 || tail.size() < 3) continue;
        const CgroupMount mount{Unescape(fields[3]), Unescape(fields[4])};
        // The first mount of each counts: later ones are usually the same hierarchy again.
        if (tail[0] == "cgroup2" && !mounts.unified) mounts.unified = mount;
        if (tail[0] == "cgroup" && HasWord(tail[2], "memory") && !mounts.memory) mounts.memory = mount;
        if (tail[0] == "cgroup" && HasWord(tail[2], "cpu") && !mounts.cpu) mounts.cpu = mount;
    }
    return mounts;
}

std::vector<std::string> GroupFolders(const CgroupMount& mount, std::string_view group)
{
    std::string_view relative = group;
    const std::string_view root = mount.root == "/" ? std::string_view() : std::string_view(mount.root);
    if (!root.empty() && relative.substr(0, root.size()) == root &&
        (relative.size() == root.size() || relative[root.size()] == '/'))
        relative.remove_prefix(root.size());
    // A group outside the namespace's view ("/../..") has no folder here: only the mount's own counts.
    if (relative.find("..") != std::string_view::npos) relative = {};
    std::vector<std::string> folders;
    std::string path(relative);
    while (!path.empty() && path.back() == '/') path.pop_back();
    for (;;) {
        folders.push_back(mount.point + path);
        if (path.empty()) return folders;
        const size_t slash = path.rfind('/');
        path.resize(slash == std::string::npos ? 0 : slash);
    }
}

CgroupLimits ReadCgroupLimits(const ReadTextFile& read)
{
    CgroupLimits limits;
    const std::optional<std::string> mountinfo = read("/proc/self/mountinfo");
    const std::optional<std::string> cgroup = read("/proc/self/cgroup");
    if (!mountinfo || !cgroup) return limits;
    const CgroupMounts mounts = ParseCgroupMounts(*mountinfo);
    const CgroupPaths paths = ParseProcCgroup(*cgroup);
    const auto each = [](const std::optional<CgroupMount>& mount, const std::optional<std::string>& path,
                         const std::function<void(const std::string&)>& use) {
        if (mount && path)
            for (const std::string& folder : GroupFolders(*mount, *path)) use(folder);
    };
    each(mounts.unified, paths.unified, [&](const std::string& folder) {
        limits.memoryLeft = Least(limits.memoryLeft, MemoryLeft(read, folder, true));
        limits.cpuQuota = Least(limits.cpuQuota, CpuQuota(read, folder, true));
    });
    each(mounts.memory, paths.memory,
         [&](const std::string& folder) { limits.memoryLeft = Least(limits.memoryLeft, MemoryLeft(read, folder, false)); });
    each(mounts.cpu, paths.cpu,
         [&](const std::string& folder) { limits.cpuQuota = Least(limits.cpuQuota, CpuQuota(read, folder, false)); });
    return limits;
}

CgroupLimits LiveCgroupLimits() { return ReadCgroupLimits(ReadWholeFile); }


}  // namespace platform
