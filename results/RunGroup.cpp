#include "results/RunGroup.h"

#include "platform/TextEncoding.h"

namespace results {

namespace {

using nlohmann::json;

// A text or a whole number as its text; anything else as absent.
std::string Field(const json& object, const char* key)
{
    if (!object.is_object()) return "";
    const auto found = object.find(key);
    if (found == object.end()) return "";
    if (found->is_string()) return found->get<std::string>();
    return found->is_number_integer() ? found->dump() : "";
}

json TextOrNull(const std::string& text) { return text.empty() ? json(nullptr) : json(platform::Utf8OrLatin1(text)); }

json IntegerOrNull(const std::string& text)
{
    if (text.empty()) return nullptr;
    try {
        return json::parse(text);
    } catch (const json::exception&) {
        return platform::Utf8OrLatin1(text);
    }
}

}  // namespace

RunGroupKey ReadRunGroup(const json& run)
{
    RunGroupKey key;
    // A run that states neither (only a --label, say) tells nothing to group by.
    if (!run.is_object() || (!run.contains("processor") && !run.contains("vext_version"))) return key;
    key.known = true;
    const auto found = run.find("processor");
    const json& p = found == run.end() ? json() : *found;
    key.vendor = Field(p, "vendor"), key.brand = Field(p, "brand");
    key.family = Field(p, "family"), key.model = Field(p, "model"), key.stepping = Field(p, "stepping");
    key.version = Field(run, "vext_version");
    return key;
}

std::string OrUnknown(const std::string& text) { return text.empty() ? std::string("?") : text; }

std::string ProcessorText(const RunGroupKey& key)
{
    return OrUnknown(key.vendor) + " \"" + key.brand + "\", family " + OrUnknown(key.family) + ", model " +
           OrUnknown(key.model) + ", stepping " + OrUnknown(key.stepping);
}

std::string RunGroupText(const RunGroupKey& key)
{
    if (!key.known) return "processor and Vext version not recorded (a result file, or JSON without its run)";
    return ProcessorText(key) + "; Vext " + OrUnknown(key.version);
}

json RunGroupJson(const RunGroupKey& key)
{
    if (!key.known) return {{"processor", nullptr}, {"vext_version", nullptr}};
    return {{"processor",
             {{"vendor", TextOrNull(key.vendor)},
              {"brand", TextOrNull(key.brand)},
              {"family", IntegerOrNull(key.family)},
              {"model", IntegerOrNull(key.model)},
              {"stepping", IntegerOrNull(key.stepping)}}},
            {"vext_version", TextOrNull(key.version)}};
}

}  // namespace results
