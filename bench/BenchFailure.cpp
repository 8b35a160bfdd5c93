#include "bench/BenchFailure.h"

namespace bench {

const char* BenchFailureMessage(BenchFailure failure)
{
    switch (failure) {
    case BenchFailure::CacheMemory: return "Memory error !";
    case BenchFailure::DhrystoneMemory: return "Error !\n\nVext is unable to allocate memory for the Dhrystone benchmark !";
    case BenchFailure::WhetstoneCalculation: return "Calculation Error !";
    default: return "";
    }
}

}  // namespace bench
