#include "results/MemoryResultRows.h"

#include <cmath>

#include "bench/MemoryPlans.h"
#include "platform/TextFormat.h"

using namespace bench;

namespace results {

namespace {

using nlohmann::json;

// A figure: a number, or null for one not measured; anything else is a fault.
bool Figure(const json& object, const char* key, double& value)
{
    const auto found = object.is_object() ? object.find(key) : object.end();
    if (found == object.end() || !(found->is_number() || found->is_null())) return false;
    value = found->is_number() ? found->get<double>() : std::nan("");
    return true;
}

ResultRow Row(std::string label, double value, const char* unit, bool isTime)
{
    const std::string text = std::isfinite(value) ? platform::FormatTwoDecimals(value) + " " + unit : "-";
    return {-1, std::move(label), text, value, unit, isTime, std::nullopt, std::nullopt, std::nullopt, {}};
}

bool Block(const json& row, std::string& label)
{
    double kb = 0;
    if (!Figure(row, "block_kb", kb) || !(kb >= 1 && kb <= 1 << 30)) return false;
    label = BlockText(static_cast<uint64_t>(kb) * 1024) + " block";
    return true;
}

const json& List(const json& result, const char* key)
{
    static const json kNone = json::array();
    const auto found = result.find(key);
    return found != result.end() && found->is_array() ? *found : kNone;
}

}  // namespace

std::optional<std::vector<ResultRow>> MemoryResultRows(const json& result, std::string& error)
{
    std::vector<ResultRow> rows;
    const bool latency = result.value("kind", "") == "latency";
    const json& list = List(result, "rows");
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string block;
        double value = 0;
        if (!Block(list[i], block)) return error = platform::TextFormat("row %d has no \"block_kb\"", int(i + 1)), std::nullopt;
        if (latency) {
            if (!Figure(list[i], "ns_per_load", value)) return error = block + " has no \"ns_per_load\"", std::nullopt;
            rows.push_back(Row(block, value, "ns", true));
            continue;
        }
        for (const char* method : {"read", "write", "copy"}) {
            if (!Figure(list[i].value(method, json()), "gb_per_s", value))
                return error = block + " has no " + method + " \"gb_per_s\"", std::nullopt;
            rows.push_back(Row(std::string(method) + ", " + block, value, "GB/s", false));
        }
    }
    for (const json& level : List(result, "levels")) {
        double value = 0;
        if (!level.is_object() || !level.value("name", json()).is_string() || !Figure(level, "ns_per_load", value))
            return error = "a level has no \"name\" or \"ns_per_load\"", std::nullopt;
        rows.push_back(Row(level["name"].get<std::string>(), value, "ns", true));
    }
    if (const auto memory = result.find("memory"); !latency && memory != result.end() && memory->is_object())
        for (const char* method : {"read", "write", "copy"})
            for (const auto& [key, threads] : {std::pair{"single", "1 thread"}, std::pair{"all", "all threads"}}) {
                double value = 0;
                if (!Figure(memory->value(key, json()), method, value))
                    return error = std::string("the memory figures have no ") + key + " " + method, std::nullopt;
                rows.push_back(Row(std::string("memory ") + method + ", " + threads, value, "GB/s", false));
            }
    return rows;
}

}  // namespace results
