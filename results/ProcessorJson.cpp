#include "results/ProcessorJson.h"

#include "platform/TextEncoding.h"

namespace results {

namespace {

template <typename T>
nlohmann::json OrNull(const std::optional<T>& value)
{
    return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

nlohmann::json TextOrNull(const std::optional<std::string>& text)
{
    return text ? nlohmann::json(platform::Utf8OrLatin1(*text)) : nlohmann::json(nullptr);
}

}  // namespace

nlohmann::json ProcessorJson(const cpu::ModernProcessor& p, std::optional<int> measuredMHz)
{
    nlohmann::json caches = nlohmann::json::array();
    for (const cpu::CacheLevel& c : p.caches) {
        // Sizes are whole Kb on every processor seen; a recorded oddity is kept exact rather than cut.
        const nlohmann::json kb =
            c.sizeBytes % 1024 ? nlohmann::json(c.sizeBytes / 1024.0) : nlohmann::json(c.sizeBytes / 1024);
        caches.push_back({{"level", c.level},
                          {"type", cpu::CacheTypeName(c.type)},
                          {"size_kb", kb},
                          {"line_bytes", c.lineBytes},
                          {"ways", OrNull(c.ways)},
                          {"sets", OrNull(c.sets)},
                          {"shared_by", OrNull(c.sharedBy)}});
    }
    return {{"vendor", platform::Utf8OrLatin1(p.vendor)},
            {"brand", TextOrNull(p.brand)},
            {"family", OrNull(p.family)},
            {"model", OrNull(p.model)},
            {"stepping", OrNull(p.stepping)},
            {"hypervisor", TextOrNull(p.hypervisor)},
            {"caches", caches},
            {"features", p.features},
            {"tsc_mhz", OrNull(p.tscMHz)},
            {"base_mhz", OrNull(p.baseMHz)},
            {"max_mhz", OrNull(p.maxMHz)},
            {"measured_mhz", OrNull(measuredMHz)}};
}

}  // namespace results
