#pragma once
// The clock that the Processor Information page and the report show. Normally the processor's own
// measurement (about one second); a tool that answers CPUID from a recorded dump (vext-cli --mhz, the
// tests) fixes the measured value for its scope instead, since the dump's processor is not this one.
#include <string>

#include "platform/Seam.h"

class CProcessor;

struct MeasuredClockTag {
    static int Live(CProcessor& processor);  // processor.MeasureMHz()
};
using MeasuredClockSeam = platform::Seam<MeasuredClockTag, int(CProcessor&)>;
using ScopedMeasuredClock = MeasuredClockSeam::Scoped;

// The measured clock in MHz.
inline int MeasureClock(CProcessor& processor) { return MeasuredClockSeam::Call(processor); }

// Measures the clock and matches it with the processor's standard clocks: "%d MHz" of the standard
// value, or "%d MHz (oc)" of the measured one when no standard value is near.
std::string ClockText(CProcessor& processor);
