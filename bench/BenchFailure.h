#pragma once
// What a measurement reports when it cannot do its work. Measuring code only returns it; the suite
// runner that called the measurement shows the message the moment the measurement returns, so the user
// sees the same box at the same point of the run as when the measurement showed it itself.
enum class BenchFailure {
    None,
    CacheMemory,           // a cache block could not be allocated
    DhrystoneMemory,       // Dhrystone's records could not be allocated
    WhetstoneCalculation,  // the Whetstone's check sum came out 0
};

// The message box text of a failure; empty for None.
const char* BenchFailureMessage(BenchFailure failure);

// Shows the failure's message through the user prompt; nothing for None.
void ShowBenchFailure(BenchFailure failure);
