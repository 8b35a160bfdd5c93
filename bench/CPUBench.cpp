#include "bench/CPUBench.h"

#include "bench/CPUBenchLoops.h"

namespace bench {

template uint32_t AdditionLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
template uint32_t SubtractionLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
template uint32_t MultiplicationLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
template uint32_t DivisionLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
template uint32_t MovLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
template uint32_t StringLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
template uint32_t Call0Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
template uint32_t Call1Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
template uint32_t Call2Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
template uint32_t Call3Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
template uint32_t Call4Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
template uint32_t FibonacciLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
template uint32_t EuclidLoop<NoProbe>(const platform::Machine&, uint32_t, uint32_t, NoProbe&);

uint32_t CCPUBench::TimeAddition() { return bench::AdditionLoop(machine_, kArithmeticLoops, unobserved_); }
uint32_t CCPUBench::TimeSubtraction() { return bench::SubtractionLoop(machine_, kArithmeticLoops, unobserved_); }
uint32_t CCPUBench::TimeMultiplication() { return bench::MultiplicationLoop(machine_, kArithmeticLoops, unobserved_); }
uint32_t CCPUBench::TimeDivision() { return bench::DivisionLoop(machine_, kDivisionBound, unobserved_); }
uint32_t CCPUBench::TimeMov() { return bench::MovLoop(machine_, kMovLoops, unobserved_); }
uint32_t CCPUBench::TimeString() { return bench::StringLoop(machine_, kStringLoops, unobserved_); }
uint32_t CCPUBench::TimeCall0() { return bench::Call0Loop(machine_, *this, kCallLoops, unobserved_); }
uint32_t CCPUBench::TimeCall1() { return bench::Call1Loop(machine_, *this, kCallLoops, unobserved_); }
uint32_t CCPUBench::TimeCall2() { return bench::Call2Loop(machine_, *this, kCallLoops, unobserved_); }
uint32_t CCPUBench::TimeCall3() { return bench::Call3Loop(machine_, *this, kCallLoops, unobserved_); }
uint32_t CCPUBench::TimeCall4() { return bench::Call4Loop(machine_, *this, kCallLoops, unobserved_); }
uint32_t CCPUBench::TimeFibonacci() { return bench::FibonacciLoop(machine_, kFibonacciBound, unobserved_); }
uint32_t CCPUBench::TimeEuclid() { return bench::EuclidLoop(machine_, kEuclidBound, kEuclidDividend, unobserved_); }

// The empty asm emits nothing; it keeps clang from proving the call useless and deleting it (clang
// does so with a plain noinline function that has an empty body).
void CCPUBench::Call0() { asm volatile(""); }
void CCPUBench::Call1(int32_t) { asm volatile(""); }
void CCPUBench::Call2(int32_t, int32_t) { asm volatile(""); }
void CCPUBench::Call3(int32_t, int32_t, int32_t) { asm volatile(""); }
void CCPUBench::Call4(int32_t, int32_t, int32_t, int32_t) { asm volatile(""); }

}  // namespace bench
