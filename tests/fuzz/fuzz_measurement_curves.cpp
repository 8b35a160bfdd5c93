// The Memory and Cores page's reader of saved latency, bandwidth and cores results on arbitrary bytes:
// refused with a reason, or curves and bars that a chart can draw (finite, not negative, one value per
// series in every group).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "results/MeasurementCurves.h"
#include "tests/fuzz/Require.h"

using namespace results;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string error;
    const auto curves = ParseMeasurementCurves(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!curves) return Require(!error.empty()), 0;
    for (const Curve& curve : curves->curves)
        for (const CurvePoint& point : curve.points) Require(point.x >= 1 && std::isfinite(point.y) && point.y >= 0);
    for (const CurveMarker& marker : curves->markers) Require(marker.x >= 1 && !marker.label.empty());
    for (const BarSet* bars : {&curves->rates, &curves->scaling}) {
        Require(bars->groups.size() == bars->values.size());
        for (const std::vector<double>& group : bars->values) {
            Require(group.size() == bars->series.size());
            for (double value : group) Require(std::isnan(value) || (std::isfinite(value) && value >= 0));
        }
    }
    return 0;
}
