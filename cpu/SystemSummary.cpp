#include "cpu/SystemSummary.h"

#include <memory>

#include "cpu/Clock.h"
#include "cpu/Processor.h"
#include "platform/SystemQueries.h"
#include "platform/TextFormat.h"

namespace cpu {

std::string FormatSystemSummary(const platform::Machine& machine)
{
    std::string line;
    {
        std::unique_ptr<CProcessor> processor = CreateProcessor(machine, DetectVendor(machine).code);
        line = processor->GetName();
        const int32_t measured = processor->MeasureMHz();
        const int32_t standard = processor->MatchStandardMHz(measured);
        line += platform::TextFormat(" at %s  with ", FormatClockText(measured, standard));
    }
    line += platform::TextFormat("%d Mb RAM  ", platform::WholeMegabytesPlusOne(machine.memoryStatus().totalPhys));
    line += machine.osVersion().platformId == platform::kPlatformWindows ? "on Win'9x" : "on WinNT";
    return line;
}

}  // namespace cpu
