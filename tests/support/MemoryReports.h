#pragma once
// A small latency report as the tests of the latency curves and of the Memory and Cores page use it:
// blocks of 4, 8 and 16 Kb at a quarter of a nanosecond per Kb (the 8 Kb block unmeasured when asked),
// an L1 of 8 Kb with its plateau at 4 Kb, and memory with its plateau at 16 Kb.
#include "results/MemoryBenchReport.h"

namespace memorytest {

inline results::LatencyReport SmallLatencyReport(bool eightKbUnmeasured)
{
    results::LatencyReport report;
    report.clockMHz = 2000;
    for (uint64_t kb : {4, 8, 16}) {
        bench::latency::Row row;
        row.blockBytes = kb << 10;
        if (kb != 8 || !eightKbUnmeasured) row.nsPerLoad = static_cast<double>(kb) / 4, row.runs = {row.nsPerLoad};
        report.rows.push_back(row);
    }
    report.levels = {{"L1", 0, 8192}, {"memory", 8192, 0}};
    report.plateaus = {0, 2};
    return report;
}

}  // namespace memorytest
