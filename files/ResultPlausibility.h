#pragma once
// What a benchmark run can store. A result file has no signature, so any file long enough reads as a
// record: a text file opened as ".cache" gave rates of 10^300. A record holding a number that no run
// can produce is refused instead. Every bound lies far beyond any real machine, so that each file a
// run writes, this program's or an older one's, still loads.
#include <optional>

#include "bench/Results.h"

namespace files {

// What a stored number measures.
enum class ResultQuantity {
    KernelMs,        // one CPU kernel's time, in ms
    CpuTotalMs,      // the sum of the thirteen kernel times
    Rating,          // the Dhrystone rating, in KDhryst./sec
    Rate,            // MFLOPS, MOPS, MWIPS or Mb/sec
    Seconds,         // a Whetstone section's time, or the whole run's
    WrappedSeconds,  // the same across a wrap of the 32-bit tick count: negative
};

// A number of the quantity is plausible when it is 0 or lies within [least, most].
struct PlausibleRange {
    double least;
    double most;
};
PlausibleRange PlausibleRangeOf(ResultQuantity quantity);
bool PlausibleValue(ResultQuantity quantity, double value);

// The index, in the record's order, of the first number no run can produce; nothing when every one can.
// A Whetstone rate slot may also hold the -1.0 that marks the other unit, and a cache rate +infinity
// (a block done within one tick of the millisecond timer).
std::optional<int> ImplausibleValue(const bench::CpuResults& results);
std::optional<int> ImplausibleValue(const bench::WhetstoneResults& results);
std::optional<int> ImplausibleValue(const bench::CacheResults& results);

}  // namespace files
