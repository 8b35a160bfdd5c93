#include "app/cli/MemoryBenchPrinting.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/StandardOutput.h"
#include "bench/MemoryPlans.h"
#include "bench/Precise.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"

namespace cli {

using namespace bench;

using namespace results;

namespace {

// "  146.33  ±9.4 % (noisy)", the values aligned on their decimal point.
std::string Figure(double value, double spread, bool measured)
{
    return platform::TextFormat("%8s  %-17s", measured ? platform::FormatTwoDecimals(value) : "-",
                                measured ? precise::FormatSpread(spread) : "");
}

// The cycle column as wide as its name, and never narrower than the old "cycles" column.
int CycleWidth(const LatencyReport& report) { return std::max(9, static_cast<int>(std::strlen(CycleName(report)))); }

}  // namespace

void PrintLatencyHeading(const LatencyReport& report)
{
    std::printf("Load-to-use latency: one pointer per %u-byte line, the lines in a random cycle; clock %d MHz",
                report.lineBytes, report.clockMHz);
    if (report.runningClockMHz) std::printf(", cores running at %.0f MHz", *report.runningClockMHz);
    std::printf("\n\n%-10s %9s %*s   %s\n", "Block", "ns/load", CycleWidth(report), CycleName(report), "spread");
}

void PrintLatencyRow(const latency::Row& row, const LatencyReport& report)
{
    const bool measured = !row.runs.empty() && row.nsPerLoad > 0;
    std::printf("%-10s %9s %*s   %s\n", BlockText(row.blockBytes).c_str(),
                measured ? platform::FormatTwoDecimals(row.nsPerLoad).c_str() : "-", CycleWidth(report),
                measured ? platform::TextFormat("%.1f", LoadCycles(row.nsPerLoad, CycleClockMHz(report))).c_str() : "-",
                measured ? precise::FormatSpread(row.spreadPercent).c_str() : "the block could not be had");
    platform::FlushOutput();
}

void PrintLatencyLevels(const LatencyReport& report)
{
    const int width = CycleWidth(report);
    std::printf("\n%-10s %9s %*s   %s\n", "Level", "ns/load", width, CycleName(report), "plateau");
    for (size_t i = 0; i < report.levels.size(); ++i) {
        const bench::MemoryLevel& level = report.levels[i];
        const std::string holds = (level.above ? "blocks above " + BlockText(level.above) : std::string("blocks")) +
                                  (level.upTo ? " up to " + BlockText(level.upTo) : std::string());
        const auto row = report.plateaus[i];
        if (!row || report.rows[*row].runs.empty()) {
            std::printf("%-10s %9s %*s   no block measured (%s)\n", level.name.c_str(), "-", width, "-", holds.c_str());
            continue;
        }
        const latency::Row& r = report.rows[*row];
        std::printf("%-10s %9s %*s   the %s block (%s)\n", level.name.c_str(),
                    platform::FormatTwoDecimals(r.nsPerLoad).c_str(), width,
                    platform::TextFormat("%.1f", LoadCycles(r.nsPerLoad, CycleClockMHz(report))).c_str(),
                    BlockText(r.blockBytes).c_str(), holds.c_str());
    }
}

void PrintBandwidthHeading(const BandwidthReport& report)
{
    const std::string cpus = platform::NumberList(report.cpus);
    const bool one = report.cpus.size() == 1;
    std::printf("Memory bandwidth of %zu thread%s on logical processor%s %s%s%s\n", report.cpus.size(), one ? "" : "s",
                one ? "" : "s", cpus.c_str(), one ? "" : ", each on a block of its own",
                report.pinned ? "" : " (not pinned: the system refused)");
    for (bandwidth::Method m : bandwidth::kMethods)
        std::printf("%-6s %s\n", (bandwidth::MethodName(m) + std::string(":")).c_str(),
                    bandwidth::InstructionsText(m, report.width).c_str());
    std::printf("GB/s (10^9 bytes per second); copy counts the bytes read and the bytes written\n\n");
    std::printf("%-10s%8s%19s%8s%19s%8s\n", "Block", "read", "", "write", "", "copy");
}

void PrintBandwidthRow(const bandwidth::Row& row)
{
    std::string line = platform::TextFormat("%-10s", BlockText(row.blockBytes));
    for (const bandwidth::Figure& f : row.figures)
        line += Figure(f.gbPerSec, f.spreadPercent, !f.runs.empty() && f.gbPerSec > 0);
    std::printf("%s\n", platform::TrimTrailingBlanks(line).c_str());
    platform::FlushOutput();
}

void PrintBandwidthMemory(const BandwidthReport& report)
{
    if (!report.memoryBlockBytes) {
        std::printf("\nNo block beyond the largest cache was measured: no memory figures.\n");
        return;
    }
    const std::string heading = "Memory, the " + BlockText(*report.memoryBlockBytes) + " blocks";
    std::printf("\n%-30s%10s%10s%10s\n", heading.c_str(), "read", "write", "copy");
    auto line = [](const std::string& label, const std::array<std::optional<double>, 3>& values) {
        std::printf("%-30s", label.c_str());
        for (const std::optional<double>& v : values) std::printf("%10s", v ? platform::TextFormat("%.2f", *v).c_str() : "-");
        std::printf("\n");
    };
    line("1 thread", report.single);
    line(std::to_string(report.allThreads) + (report.allThreads == 1 ? " thread" : " threads") + " (all)", report.all);
    std::array<std::optional<double>, 3> ratio{};
    for (size_t m = 0; m < ratio.size(); ++m) ratio[m] = AllThreadsRatio(report.single[m], report.all[m]);
    line("ratio", ratio);
    if (report.plateauBlockBytes)
        std::printf("(not the plateau's %s blocks: %d threads may not have blocks that large at once)\n",
                    BlockText(*report.plateauBlockBytes).c_str(), report.allThreads);
}

}  // namespace cli
