#pragma once
// What a measurement reports when it cannot do its work. Measuring code only returns it; the suite
// runner that called the measurement hands it to its caller's onFailure the moment the measurement
// returns, so that the page (a message box) or vext-cli (a line on standard error) tells the user at
// the same point of the run as when the measurement told it itself.
#include <functional>

namespace bench {

enum class BenchFailure {
    None,
    CacheMemory,           // a cache block could not be allocated
    DhrystoneMemory,       // Dhrystone's records could not be allocated
    WhetstoneCalculation,  // the Whetstone's check sum came out 0
};

// The message box text of a failure; empty for None.
const char* BenchFailureMessage(BenchFailure failure);

// Where a run hands its failures, on the thread that started the run.
using OnBenchFailure = std::function<void(BenchFailure)>;

// Hands a failure to onFailure; nothing for None or when nobody listens.
inline void ReportBenchFailure(const OnBenchFailure& onFailure, BenchFailure failure)
{
    if (failure != BenchFailure::None && onFailure) onFailure(failure);
}

}  // namespace bench
