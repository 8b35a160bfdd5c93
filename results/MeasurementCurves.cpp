#include "results/MeasurementCurves.h"

#include <cmath>
#include <limits>

#include "platform/TextFormat.h"

namespace results {

namespace {

using nlohmann::json;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

const json* Member(const json& object, const char* key)
{
    if (!object.is_object()) return nullptr;
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

// A figure: a finite number not below zero, or null (not measured, NaN). False for anything else.
bool Figure(const json* value, double& figure)
{
    if (value && value->is_null()) return figure = kNone, true;
    if (!value || !value->is_number()) return false;
    figure = value->get<double>();
    return std::isfinite(figure) && figure >= 0;
}

// A block size in Kb: a whole number from 1 Kb to 1 Tb.
bool BlockKb(const json* value, double& kb)
{
    if (!value || !value->is_number_unsigned()) return false;
    const uint64_t n = value->get<uint64_t>();
    kb = static_cast<double>(n);
    return n >= 1 && n <= (uint64_t{1} << 30);
}

const json* Array(const json& object, const char* key)
{
    const json* array = Member(object, key);
    return array && array->is_array() ? array : nullptr;
}

bool Fail(std::string& error, const std::string& why) { return error = why, false; }

bool ReadLatency(const json& result, MeasurementCurves& curves, std::string& error)
{
    const json* rows = Array(result, "rows");
    const json* levels = Array(result, "levels");
    if (!rows || !levels) return Fail(error, "a latency result needs \"rows\" and \"levels\" lists");
    Curve curve{"load-to-use latency", {}}, plateaus{"level plateaus", {}};
    for (const json& row : *rows) {
        CurvePoint point;
        if (!BlockKb(Member(row, "block_kb"), point.x) || !Figure(Member(row, "ns_per_load"), point.y))
            return Fail(error, "a latency row needs a block size in Kb and a load time in ns or null");
        if (!std::isnan(point.y)) curve.points.push_back(point);
    }
    for (const json& level : *levels) {
        const json* name = Member(level, "name");
        if (!name || !name->is_string()) return Fail(error, "a level needs a name");
        const json* size = Member(level, "size_kb");
        double sizeKb = 0;
        if (size && !size->is_null() && !BlockKb(size, sizeKb)) return Fail(error, "a level's size is not a size in Kb");
        if (sizeKb > 0) curves.markers.push_back({sizeKb, name->get<std::string>() + " " + platform::TextFormat("%.0f Kb", sizeKb)});
        const json* block = Member(level, "block_kb");
        if (!block || block->is_null()) continue;
        CurvePoint point;
        if (!BlockKb(block, point.x) || !Figure(Member(level, "ns_per_load"), point.y))
            return Fail(error, "a level's plateau needs a block size in Kb and a load time in ns or null");
        if (!std::isnan(point.y)) plateaus.points.push_back(point);
    }
    curves.curves = {curve, plateaus};
    return true;
}

// The rows of one vext-cli bandwidth result, a curve per method named for its thread count.
bool ReadBandwidth(const json& result, MeasurementCurves& curves, std::string& error)
{
    const json* rows = Array(result, "rows");
    const json* threads = Member(result, "threads");
    if (!rows || !threads || !threads->is_number_unsigned() || threads->get<uint64_t>() < 1 || threads->get<uint64_t>() > 1u << 20)
        return Fail(error, "a bandwidth result needs \"rows\" and a thread count");
    const uint64_t count = threads->get<uint64_t>();
    const std::string suffix = count == 1 ? ", 1 thread" : ", " + std::to_string(count) + " threads";
    const char* const names[] = {"read", "write", "copy"};
    std::vector<Curve> methods;
    for (const char* name : names) methods.push_back({name + suffix, {}});
    for (const json& row : *rows) {
        double kb = 0;
        if (!BlockKb(Member(row, "block_kb"), kb)) return Fail(error, "a bandwidth row needs a block size in Kb");
        for (size_t m = 0; m < methods.size(); ++m) {
            const json* figures = Member(row, names[m]);
            double rate = 0;
            if (!figures || !Figure(Member(*figures, "gb_per_s"), rate))
                return Fail(error, std::string("a bandwidth row needs the ") + names[m] + " rate in GB/s or null");
            if (!std::isnan(rate)) methods[m].points.push_back({kb, rate});
        }
    }
    curves.curves.insert(curves.curves.end(), methods.begin(), methods.end());
    return true;
}

bool ReadCores(const json& result, MeasurementCurves& curves, std::string& error)
{
    const json* counts = Array(result, "counts");
    if (!counts) return Fail(error, "a cores result needs a \"counts\" list");
    curves.rates.series = {"CPU (KDhryst./sec)", "FPU (MWIPS)"};
    curves.scaling.series = {"CPU", "FPU"};
    for (const json& count : *counts) {
        const json* threads = Member(count, "threads");
        if (!threads || !threads->is_number_unsigned() || threads->get<uint64_t>() < 1 || threads->get<uint64_t>() > 1u << 20)
            return Fail(error, "a count needs its number of threads");
        std::vector<double> rates, scaling;
        for (const char* suite : {"cpu", "fpu"}) {
            const json* figures = Member(count, suite);
            double rate = 0, scale = 0;
            if (!figures || !Figure(Member(*figures, "rate"), rate) || !Figure(Member(*figures, "scaling"), scale))
                return Fail(error, std::string("a count needs the ") + suite + " rate and scaling, numbers or null");
            rates.push_back(rate), scaling.push_back(scale);
        }
        const std::string group = std::to_string(threads->get<uint64_t>());
        curves.rates.groups.push_back(group), curves.scaling.groups.push_back(group);
        curves.rates.values.push_back(rates), curves.scaling.values.push_back(scaling);
    }
    return true;
}

}  // namespace

std::optional<MeasurementCurves> ReadMeasurementCurves(const json& result, std::string& error)
{
    const json* kind = Member(result, "kind");
    if (!kind || !kind->is_string()) return error = "not a result object with a \"kind\"", std::nullopt;
    MeasurementCurves curves;
    if (const json* label = Member(result, "run") ? Member(*Member(result, "run"), "label") : nullptr; label && label->is_string())
        curves.label = label->get<std::string>();
    const std::string name = kind->get<std::string>();
    bool read = false;
    if (name == "latency") {
        curves.kind = MeasurementKind::Latency;
        read = ReadLatency(result, curves, error);
    } else if (name == "bandwidth") {
        curves.kind = MeasurementKind::Bandwidth;
        read = ReadBandwidth(result, curves, error);
    } else if (name == "bandwidth-threads") {
        curves.kind = MeasurementKind::Bandwidth;
        const json* one = Member(result, "one_thread");
        const json* all = Member(result, "all_threads");
        if (!one || !all) return error = "a bandwidth-threads result needs \"one_thread\" and \"all_threads\"", std::nullopt;
        read = ReadBandwidth(*one, curves, error) && ReadBandwidth(*all, curves, error);
    } else if (name == "cores") {
        curves.kind = MeasurementKind::Cores;
        read = ReadCores(result, curves, error);
    } else {
        error = "not a latency, bandwidth or cores result";
    }
    return read ? std::optional<MeasurementCurves>(std::move(curves)) : std::nullopt;
}

std::optional<MeasurementCurves> ParseMeasurementCurves(std::string_view bytes, std::string& error)
{
    const json result = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (result.is_discarded()) return error = "not JSON", std::nullopt;
    return ReadMeasurementCurves(result, error);
}

}  // namespace results
