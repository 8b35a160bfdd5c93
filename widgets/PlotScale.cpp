#include "widgets/PlotScale.h"

#include <algorithm>
#include <cmath>

#include "platform/TextFormat.h"

namespace widgets {

LinearScale LinearAxis(double largest, int maxSteps)
{
    maxSteps = std::max(maxSteps, 1);
    if (!(largest > 0) || !std::isfinite(largest)) largest = 1;
    largest = std::min(largest, 1e300);  // a step of ten times the largest double would overflow the top
    LinearScale s;
    const double magnitude = std::pow(10.0, std::floor(std::log10(largest / maxSteps)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        s.step = m * magnitude;
        // 0.3 / 0.1 is 2.9999999999999996: a hair's rounding does not cost a step.
        s.steps = std::max(1, static_cast<int>(std::ceil(largest / s.step - 1e-9)));
        if (s.steps <= maxSteps) break;
    }
    s.top = s.steps * s.step;
    // Thousands from 10000 up, millions from ten million up, and so on to exa; beyond, powers of ten.
    static const char* const kSuffixes[] = {"k", "M", "G", "T", "P", "E"};
    for (int i = 0; i < 6 && s.top >= 1e4 * std::pow(1e3, i); ++i) s.divisor = std::pow(1e3, i + 1), s.suffix = kSuffixes[i];
    if (s.top >= 1e22) s.divisor = 0;
    const double unit = s.step / s.divisor;
    s.decimals = 0;
    for (double scaled = unit; s.decimals < 9 && std::fabs(scaled - std::round(scaled)) > 1e-6 * scaled; scaled *= 10)
        ++s.decimals;
    return s;
}

std::string TickText(double value, const LinearScale& scale)
{
    if (value == 0) return "0";
    if (scale.divisor == 0) return platform::TextFormat("%.0e", value);
    return platform::FormatDecimals(value / scale.divisor, scale.decimals) + scale.suffix;
}

Log2Scale Log2Axis(double smallest, double largest)
{
    Log2Scale s;
    if (!(smallest > 0) || !(largest >= smallest) || !std::isfinite(largest)) return s;
    s.low = std::clamp(static_cast<int>(std::floor(std::log2(smallest))), 0, 61);
    s.high = std::clamp(static_cast<int>(std::ceil(std::log2(largest))), s.low + 1, 62);
    return s;
}

std::string BlockSizeText(double bytes)
{
    constexpr double kKb = 1024, kMb = 1024 * 1024;
    if (bytes >= kMb && std::fmod(bytes, kMb) == 0) return platform::TextFormat("%.0f Mb", bytes / kMb);
    if (bytes >= kKb && std::fmod(bytes, kKb) == 0) return platform::TextFormat("%.0f Kb", bytes / kKb);
    return platform::TextFormat("%.0f bytes", bytes);
}

int Log2LabelEvery(const Log2Scale& scale, int width, int labelWidth)
{
    const int powers = std::max(scale.high - scale.low, 1);
    int every = 1;
    while (every < powers && static_cast<double>(width) * every / powers < labelWidth) every *= 2;
    return every;
}

int TableDecimals(const std::vector<double>& values)
{
    double smallest = 0;
    for (double v : values)
        if (std::isfinite(v) && v != 0 && (smallest == 0 || std::fabs(v) < smallest)) smallest = std::fabs(v);
    if (smallest == 0 || smallest >= 100) return 0;
    return smallest >= 10 ? 1 : 2;
}

std::string TableValue(double value, int decimals)
{
    return std::isfinite(value) ? platform::FormatDecimals(value, decimals) : "-";
}

}  // namespace widgets
