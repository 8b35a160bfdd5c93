#pragma once
// bench latency and bench bandwidth as vext-cli lists them: each row as it arrives, the levels or the
// memory figures at the end.
#include "bench/BandwidthBench.h"
#include "bench/LatencyBench.h"
#include "results/MemoryBenchReport.h"

namespace cli {

void PrintLatencyHeading(const results::LatencyReport& report);
void PrintLatencyRow(const bench::latency::Row& row, const results::LatencyReport& report);
void PrintLatencyLevels(const results::LatencyReport& report);

void PrintBandwidthHeading(const results::BandwidthReport& report);
void PrintBandwidthRow(const bench::bandwidth::Row& row);
void PrintBandwidthMemory(const results::BandwidthReport& report);

}  // namespace cli
