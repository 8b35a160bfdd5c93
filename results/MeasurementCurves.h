#pragma once
// The JSON of a latency, bandwidth or cores run as the curves and bars the Memory and Cores page draws.
// The page draws its own run through the same reading as a loaded file, so both show the same figures.
// The bytes of a loaded file come from anywhere: every fault is refused with its reason.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace results {

struct CurvePoint {
    double x = 0;  // block size in Kb
    double y = 0;
};

struct Curve {
    std::string label;  // "read, 1 thread"
    std::vector<CurvePoint> points;
};

struct CurveMarker {
    double x = 0;
    std::string label;  // "L2 1024 Kb"
};

// One bar per series in each group; values[group][series], NaN where there is none.
struct BarSet {
    std::vector<std::string> series;
    std::vector<std::string> groups;  // thread counts: "1", "2", "4"
    std::vector<std::vector<double>> values;
};

enum class MeasurementKind { Latency, Bandwidth, Cores };

struct MeasurementCurves {
    MeasurementKind kind = MeasurementKind::Latency;
    std::string label;                 // the run's label, when it has one
    std::vector<Curve> curves;         // latency (the curve, then its plateaus) and bandwidth
    std::vector<CurveMarker> markers;  // latency: the cache sizes
    BarSet rates;                      // cores: KDhryst./sec and MWIPS of all threads together...
    BarSet scaling;                    // ... and their scaling
};

// A vext-cli "latency" or "bandwidth" result, the page's "bandwidth-threads" (one thread and all) or
// "cores" result. Nothing, and in `error` the fault, when it is none of them or a figure is malformed.
std::optional<MeasurementCurves> ReadMeasurementCurves(const nlohmann::json& result, std::string& error);
std::optional<MeasurementCurves> ParseMeasurementCurves(std::string_view bytes, std::string& error);

// The file's largest size: a run has a few dozen rows.
inline constexpr std::size_t kMaxMeasurementFileBytes = 4 << 20;

}  // namespace results
