#pragma once
// The thirteen integer and instruction kernels of the CPU benchmark. Each runs a loop of fixed length
// and returns the milliseconds it took (unsigned, modulo 2^32). Smaller is faster.
#include <cstdint>

#include "bench/KernelSupport.h"
#include "platform/Machine.h"

namespace bench {

class CCPUBench {
public:
    // Times with the machine's millisecond timer; the machine outlives the object.
    explicit CCPUBench(const platform::Machine& machine) : machine_(machine) {}

    // The iteration counts are the measurement: results are compared with those of saved systems.
    static constexpr uint32_t kArithmeticLoops = 500'000'000;  // addition, subtraction, multiplication
    static constexpr uint32_t kDivisionBound = 50'000'001;     // divisors 1 ... 50,000,000
    static constexpr uint32_t kMovLoops = 500'000'000;
    static constexpr uint32_t kStringLoops = 500'000;
    static constexpr uint32_t kCallLoops = 400'000'000;
    static constexpr uint32_t kFibonacciBound = 30'000;  // n = 2 ... 29,999
    static constexpr uint32_t kEuclidBound = 3;          // i = 1, 2
    static constexpr uint32_t kEuclidDividend = 2'147'483'647;

    uint32_t TimeAddition();
    uint32_t TimeSubtraction();
    uint32_t TimeMultiplication();
    uint32_t TimeDivision();
    uint32_t TimeMov();
    uint32_t TimeString();
    uint32_t TimeCall0();
    uint32_t TimeCall1();
    uint32_t TimeCall2();
    uint32_t TimeCall3();
    uint32_t TimeCall4();
    uint32_t TimeFibonacci();
    uint32_t TimeEuclid();

    // The call targets: real calls that do nothing.
    VEXT_OUT_OF_LINE void Call0();
    VEXT_OUT_OF_LINE void Call1(int32_t a);
    VEXT_OUT_OF_LINE void Call2(int32_t a, int32_t b);
    VEXT_OUT_OF_LINE void Call3(int32_t a, int32_t b, int32_t c);
    VEXT_OUT_OF_LINE void Call4(int32_t a, int32_t b, int32_t c, int32_t d);

private:
    const platform::Machine& machine_;
    // The probe of the timed runs: it observes nothing, and costs nothing.
    bench::NoProbe unobserved_;
};

}  // namespace bench
