#include "files/MeasuredClock.h"

#include "cpu/Clock.h"
#include "cpu/Processor.h"

int MeasureClock(CProcessor& processor)
{
    return processor.machine.recordedClockMhz ? *processor.machine.recordedClockMhz : processor.MeasureMHz();
}

std::string ClockText(CProcessor& processor)
{
    const int32_t measured = MeasureClock(processor);
    return FormatClockText(measured, processor.MatchStandardMHz(measured));
}
