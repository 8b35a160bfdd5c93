#include "platform/SysfsTopology.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <set>
#include <utility>

namespace platform {

namespace {

std::string FirstLine(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// Calls `each` for every number of a "0-3,8" list; false for text that is no such list.
template <typename Each>
bool ForEachInList(std::string_view list, Each each)
{
    while (!list.empty() && (list.back() == '\n' || list.back() == ' ')) list.remove_suffix(1);
    if (list.empty() || list.back() == ',') return false;
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view range = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        const size_t dash = range.find('-');
        const std::string_view firstText = range.substr(0, dash);
        const std::string_view lastText = dash == std::string_view::npos ? firstText : range.substr(dash + 1);
        int first = 0, last = 0;
        const auto a = std::from_chars(firstText.data(), firstText.data() + firstText.size(), first);
        const auto b = std::from_chars(lastText.data(), lastText.data() + lastText.size(), last);
        if (firstText.empty() || lastText.empty() || a.ec != std::errc() || a.ptr != firstText.data() + firstText.size() ||
            b.ec != std::errc() || b.ptr != lastText.data() + lastText.size() || first < 0 || last < first || last - first > (1 << 20))
            return false;
        for (int n = first; n <= last; ++n) each(n);
    }
    return true;
}

}  // namespace

int CountCpuList(std::string_view list)
{
    int count = 0;
    return ForEachInList(list, [&count](int) { ++count; }) ? count : 0;
}

SysfsTopology LiveSysfsTopology(const std::string& root)
{
    SysfsTopology topology;
    topology.numaNodes = CountCpuList(FirstLine(root + "/node/online"));
    std::vector<int> cpus;
    ForEachInList(FirstLine(root + "/cpu/online"), [&cpus](int cpu) { cpus.push_back(cpu); });
    // One instance per distinct list of sharers.
    std::map<std::pair<uint32_t, std::string>, std::set<std::string>> sharers;
    for (int cpu : cpus)
        for (int index = 0;; ++index) {
            const std::string dir = root + "/cpu/cpu" + std::to_string(cpu) + "/cache/index" + std::to_string(index);
            const std::string level = FirstLine(dir + "/level"), type = FirstLine(dir + "/type");
            if (level.empty() || type.empty()) break;
            uint32_t n = 0;
            if (std::from_chars(level.data(), level.data() + level.size(), n).ec != std::errc()) break;
            sharers[{n, type}].insert(FirstLine(dir + "/shared_cpu_list"));
        }
    for (const auto& [key, lists] : sharers)
        topology.caches.push_back({key.first, key.second, static_cast<int>(lists.size())});
    // Data before instruction before unified within a level, as the decoded caches are ordered.
    std::stable_sort(topology.caches.begin(), topology.caches.end(),
                     [](const CacheInstances& a, const CacheInstances& b) { return a.level < b.level; });
    return topology;
}

}  // namespace platform
