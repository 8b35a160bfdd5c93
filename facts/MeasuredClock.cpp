#include "facts/MeasuredClock.h"

#include "cpu/Clock.h"
#include "cpu/Processor.h"

namespace facts {

using namespace cpu;

int MeasureClock(CProcessor& processor)
{
    return processor.machine.recordedClockMhz ? *processor.machine.recordedClockMhz : processor.MeasureMHz();
}

std::string ClockText(CProcessor& processor)
{
    const int32_t measured = MeasureClock(processor);
    return FormatClockText(measured, processor.MatchStandardMHz(measured));
}

}  // namespace facts
