#include "files/ResultPlausibility.h"

#include <limits>

namespace files {

using namespace bench;

namespace {

constexpr double kDaySeconds = 86400.0;
// The tick count wraps after 2^32 ms; the N1 section records a tenth of its time.
constexpr double kTickWrapSeconds = 4294967.296;
constexpr double kN1TickWrapSeconds = 429496.7296;

}  // namespace

PlausibleRange PlausibleRangeOf(ResultQuantity quantity)
{
    switch (quantity) {
    // The slowest kernel is a few billion instructions: minutes on the slowest machine this runs on, a
    // day is hundreds of times that. Four bytes of text read as a time are above 1.7 days. (Files hold
    // whole numbers; a JSON result's best of repeated runs may be a fraction.)
    case ResultQuantity::KernelMs: return {0.0, kDaySeconds * 1000.0};
    case ResultQuantity::CpuTotalMs: return {0.0, 13.0 * kDaySeconds * 1000.0};
    // 10^12 passes a second; the fastest core of today makes about 10^8.
    case ResultQuantity::Rating: return {0.0, 1e9};
    // Today's fastest rates are below 10^6. The slowest real rate, the fewest operations of a section
    // (19,200) or bytes of a block (3.9 Mb) over the longest time, is above 10^-7.
    case ResultQuantity::Rate: return {1e-9, 1e9};
    // Times are whole ticks of a millisecond counter, a tenth of one for N1; a run calibrates itself
    // to about 100 seconds.
    case ResultQuantity::Seconds: return {1e-9, kDaySeconds};
    // A tick count that wrapped during a section reads minus 2^32 ms plus the time, a tenth of both for
    // N1; the run's total then holds it too.
    case ResultQuantity::WrappedSeconds: return {-kTickWrapSeconds, -kN1TickWrapSeconds + kDaySeconds};
    }
    return {0.0, 0.0};
}

bool PlausibleValue(ResultQuantity quantity, double value)
{
    const PlausibleRange range = PlausibleRangeOf(quantity);
    return value == 0.0 || (value >= range.least && value <= range.most);
}

namespace {

bool PlausibleSeconds(double seconds)
{
    return PlausibleValue(ResultQuantity::Seconds, seconds) || PlausibleValue(ResultQuantity::WrappedSeconds, seconds);
}

bool PlausibleWhetstoneRate(double rate) { return rate == -1.0 || PlausibleValue(ResultQuantity::Rate, rate); }

}  // namespace

std::optional<int> ImplausibleValue(const CpuResults& results)
{
    for (int i = 0; i < CpuResults::kCount; ++i) {
        const ResultQuantity quantity = i == CpuResults::kDhrystone ? ResultQuantity::Rating
                                        : i == CpuResults::kTotal   ? ResultQuantity::CpuTotalMs
                                                                    : ResultQuantity::KernelMs;
        if (!PlausibleValue(quantity, results.values[i])) return i;
    }
    return std::nullopt;
}

std::optional<int> ImplausibleValue(const WhetstoneResults& results)
{
    for (int s = 0; s < 8; ++s)
        if (!PlausibleWhetstoneRate(results.mflops[s])) return s;
    for (int s = 0; s < 8; ++s)
        if (!PlausibleWhetstoneRate(results.mops[s])) return 8 + s;
    for (int s = 0; s < 8; ++s)
        if (!PlausibleSeconds(results.seconds[s])) return 16 + s;
    if (!PlausibleValue(ResultQuantity::Rate, results.mwips)) return 24;
    if (!PlausibleSeconds(results.totalSeconds)) return 25;
    return std::nullopt;
}

std::optional<int> ImplausibleValue(const CacheResults& results)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (int i = 0; i < CacheResults::kCount; ++i)
        if (!(results.rates[i] == kInfinity || PlausibleValue(ResultQuantity::Rate, results.rates[i]))) return i;
    return std::nullopt;
}

}  // namespace files
