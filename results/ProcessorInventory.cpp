#include "results/ProcessorInventory.h"

#include <algorithm>
#include <map>

#include "platform/TextEncoding.h"
#include "platform/TextFormat.h"

namespace results {

using nlohmann::json;

std::optional<ProcessorRecord> ParseProcessorJson(std::string_view bytes, std::string& error)
{
    json document;
    try {
        document = json::parse(bytes.begin(), bytes.end());
    } catch (const json::exception& e) {
        return error = platform::TextFormat("not JSON (%s)", e.what()), std::nullopt;
    }
    if (!document.is_object()) return error = "not a JSON object", std::nullopt;
    const auto vendor = document.find("vendor"), features = document.find("features");
    if (vendor == document.end() || !vendor->is_string()) return error = "no \"vendor\" text", std::nullopt;
    if (features == document.end() || !features->is_array()) return error = "no \"features\" list", std::nullopt;
    ProcessorRecord record;
    record.processor = ReadRunGroup({{"processor", document}});
    for (const json& flag : *features) {
        if (!flag.is_string()) return error = "a feature flag is not a text", std::nullopt;
        record.flags.push_back(flag.get<std::string>());
    }
    if (const auto run = document.find("run"); run != document.end() && run->is_object())
        if (const auto label = run->find("label"); label != run->end() && label->is_string()) record.label = label->get<std::string>();
    return record;
}

Inventory TakeInventory(const std::vector<ProcessorRecord>& records)
{
    Inventory inventory;
    std::map<std::string, std::vector<std::size_t>> flags;
    for (std::size_t n = 0; n < records.size(); ++n) {
        const auto same = [&](const InventoryProcessor& p) { return p.processor == records[n].processor; };
        auto found = std::find_if(inventory.processors.begin(), inventory.processors.end(), same);
        if (found == inventory.processors.end()) found = inventory.processors.insert(found, {records[n].processor, {}});
        found->nodes.push_back(n);
        for (const std::string& flag : records[n].flags) {
            std::vector<std::size_t>& nodes = flags[flag];
            if (nodes.empty() || nodes.back() != n) nodes.push_back(n);  // a flag named twice counts once
        }
    }
    for (auto& [flag, nodes] : flags)
        if (nodes.size() < records.size()) inventory.differing.push_back({flag, std::move(nodes)});
    return inventory;
}

json InventoryJson(const Inventory& inventory, const std::vector<ProcessorRecord>& records, const std::vector<std::string>& paths)
{
    const auto names = [&](const std::vector<std::size_t>& nodes) {
        json list = json::array();
        for (std::size_t n : nodes) list.push_back(platform::Utf8OrLatin1(paths[n]));
        return list;
    };
    json files = json::array(), processors = json::array(), differing = json::array();
    for (std::size_t n = 0; n < records.size(); ++n) {
        files.push_back({{"file", platform::Utf8OrLatin1(paths[n])}});
        if (!records[n].label.empty()) files.back()["label"] = platform::Utf8OrLatin1(records[n].label);
    }
    for (const InventoryProcessor& p : inventory.processors) {
        json entry = RunGroupJson(p.processor)["processor"];
        entry["count"] = p.nodes.size(), entry["files"] = names(p.nodes);
        processors.push_back(entry);
    }
    for (const InventoryFlag& f : inventory.differing)
        differing.push_back({{"flag", platform::Utf8OrLatin1(f.flag)}, {"count", f.nodes.size()}, {"files", names(f.nodes)}});
    return {{"kind", "processor"}, {"files", files}, {"processors", processors}, {"differing_flags", differing}};
}

}  // namespace results
