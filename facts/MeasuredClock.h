#pragma once
// The clock that the Processor Information page and the report show. Normally the processor's own
// measurement (about one second); a machine that answers CPUID from a recorded dump (vext-cli --mhz,
// the tests) states the clock its processor ran at instead, since the dump's processor is not this one.
#include <string>

namespace cpu {
class CProcessor;
}

namespace facts {

// The measured clock in MHz: the machine's recorded clock when it has one, else the processor's
// measurement on the machine it was made with.
int MeasureClock(cpu::CProcessor& processor);

// Measures the clock and matches it with the processor's standard clocks: "%d MHz" of the standard
// value, or "%d MHz (oc)" of the measured one when no standard value is near.
std::string ClockText(cpu::CProcessor& processor);

}  // namespace facts
