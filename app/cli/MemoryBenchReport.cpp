#include "app/cli/MemoryBenchReport.h"

#include <algorithm>
#include <cstdio>

#include "app/cli/ResultSheet.h"
#include "app/cli/StandardOutput.h"
#include "bench/Precise.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"

namespace {

double Cycles(double ns, int clockMHz) { return ns * clockMHz / 1000.0; }

// A measurement that never ran (its block could not be had) has no figure.
nlohmann::json Measured(double value, const std::vector<double>& runs)
{
    return runs.empty() || value <= 0 ? nlohmann::json(nullptr) : NumberOrNull(value);
}

nlohmann::json Runs(const std::vector<double>& runs)
{
    nlohmann::json list = nlohmann::json::array();
    for (double v : runs) list.push_back(NumberOrNull(v));
    return list;
}

// All threads' rate over one thread's, where both were measured.
std::optional<double> Ratio(std::optional<double> single, std::optional<double> all)
{
    return single && all && *single > 0 ? std::optional<double>(*all / *single) : std::nullopt;
}

// "  146.33  ±9.4 % (noisy)", the values aligned on their decimal point.
std::string Figure(double value, double spread, bool measured)
{
    return platform::TextFormat("%8s  %-17s", measured ? platform::FormatTwoDecimals(value) : "-",
                                measured ? precise::FormatSpread(spread) : "");
}

}  // namespace

std::optional<double> MeasuredRate(const bandwidth::Figure& figure)
{
    return figure.runs.empty() ? std::nullopt : std::optional<double>(figure.gbPerSec);
}

std::string BlockText(uint64_t bytes)
{
    return bytes < (1u << 20) ? platform::TextFormat("%u Kb", static_cast<unsigned>(bytes >> 10))
                              : platform::TextFormat("%u Mb", static_cast<unsigned>(bytes >> 20));
}

nlohmann::json LatencyJson(const LatencyReport& report)
{
    nlohmann::json rows = nlohmann::json::array();
    for (const latency::Row& r : report.rows) {
        const nlohmann::json ns = Measured(r.nsPerLoad, r.runs);
        rows.push_back({{"block_kb", r.blockBytes / 1024},
                        {"ns_per_load", ns},
                        {"cycles_per_load", ns.is_null() ? ns : NumberOrNull(Cycles(r.nsPerLoad, report.clockMHz))},
                        {"spread_percent", r.runs.empty() ? nlohmann::json(nullptr) : NumberOrNull(r.spreadPercent)},
                        {"loads", r.loads},
                        {"runs", Runs(r.runs)}});
    }
    nlohmann::json levels = nlohmann::json::array();
    for (size_t i = 0; i < report.levels.size(); ++i) {
        const bench::MemoryLevel& level = report.levels[i];
        nlohmann::json entry = {{"name", level.name},
                                {"size_kb", level.upTo ? nlohmann::json(level.upTo / 1024) : nlohmann::json(nullptr)},
                                {"block_kb", nullptr},
                                {"ns_per_load", nullptr},
                                {"cycles_per_load", nullptr}};
        if (const auto row = report.plateaus[i]) {
            entry["block_kb"] = report.rows[*row].blockBytes / 1024;
            entry["ns_per_load"] = rows[*row]["ns_per_load"];
            entry["cycles_per_load"] = rows[*row]["cycles_per_load"];
        }
        levels.push_back(entry);
    }
    return {{"kind", "latency"}, {"clock_mhz", report.clockMHz}, {"line_bytes", report.lineBytes},
            {"repeat", report.repeat}, {"rows", rows}, {"levels", levels}};
}

void PrintLatencyHeading(const LatencyReport& report)
{
    std::printf("Load-to-use latency: one pointer per %u-byte line, the lines in a random cycle; clock %d MHz\n\n",
                report.lineBytes, report.clockMHz);
    std::printf("%-10s %9s %9s   %s\n", "Block", "ns/load", "cycles", "spread");
}

void PrintLatencyRow(const latency::Row& row, int clockMHz)
{
    const bool measured = !row.runs.empty() && row.nsPerLoad > 0;
    std::printf("%-10s %9s %9s   %s\n", BlockText(row.blockBytes).c_str(),
                measured ? platform::FormatTwoDecimals(row.nsPerLoad).c_str() : "-",
                measured ? platform::TextFormat("%.1f", Cycles(row.nsPerLoad, clockMHz)).c_str() : "-",
                measured ? precise::FormatSpread(row.spreadPercent).c_str() : "the block could not be had");
    FlushOutput();
}

void PrintLatencyLevels(const LatencyReport& report)
{
    std::printf("\n%-10s %9s %9s   %s\n", "Level", "ns/load", "cycles", "plateau");
    for (size_t i = 0; i < report.levels.size(); ++i) {
        const bench::MemoryLevel& level = report.levels[i];
        const std::string holds = (level.above ? "blocks above " + BlockText(level.above) : std::string("blocks")) +
                                  (level.upTo ? " up to " + BlockText(level.upTo) : std::string());
        const auto row = report.plateaus[i];
        if (!row || report.rows[*row].runs.empty()) {
            std::printf("%-10s %9s %9s   no block measured (%s)\n", level.name.c_str(), "-", "-", holds.c_str());
            continue;
        }
        const latency::Row& r = report.rows[*row];
        std::printf("%-10s %9s %9s   the %s block (%s)\n", level.name.c_str(),
                    platform::FormatTwoDecimals(r.nsPerLoad).c_str(),
                    platform::TextFormat("%.1f", Cycles(r.nsPerLoad, report.clockMHz)).c_str(),
                    BlockText(r.blockBytes).c_str(), holds.c_str());
    }
}

nlohmann::json BandwidthJson(const BandwidthReport& report)
{
    nlohmann::json rows = nlohmann::json::array();
    for (const bandwidth::Row& r : report.rows) {
        nlohmann::json row = {{"block_kb", r.blockBytes / 1024}};
        for (size_t m = 0; m < bandwidth::kMethods.size(); ++m) {
            const bandwidth::Figure& f = r.figures[m];
            row[bandwidth::MethodName(bandwidth::kMethods[m])] = {
                {"gb_per_s", Measured(f.gbPerSec, f.runs)},
                {"spread_percent", f.runs.empty() ? nlohmann::json(nullptr) : NumberOrNull(f.spreadPercent)},
                {"runs", Runs(f.runs)}};
        }
        rows.push_back(row);
    }
    nlohmann::json instructions;
    for (bandwidth::Method m : bandwidth::kMethods)
        instructions[bandwidth::MethodName(m)] = bandwidth::InstructionsText(m, report.width);
    nlohmann::json memory = nullptr;
    if (report.memoryBlockBytes) {
        memory = {{"block_kb", *report.memoryBlockBytes / 1024}, {"all_threads", report.allThreads}};
        if (report.plateauBlockBytes) memory["plateau_block_kb"] = *report.plateauBlockBytes / 1024;
        for (size_t m = 0; m < bandwidth::kMethods.size(); ++m) {
            const char* name = bandwidth::MethodName(bandwidth::kMethods[m]);
            const std::optional<double> single = report.single[m], all = report.all[m], ratio = Ratio(single, all);
            memory["single"][name] = single ? NumberOrNull(*single) : nlohmann::json(nullptr);
            memory["all"][name] = all ? NumberOrNull(*all) : nlohmann::json(nullptr);
            memory["ratio"][name] = ratio ? NumberOrNull(*ratio) : nlohmann::json(nullptr);
        }
    }
    return {{"kind", "bandwidth"}, {"unit", "GB/s"}, {"threads", report.cpus.size()}, {"cpus", report.cpus},
            {"pinned", report.pinned}, {"repeat", report.repeat}, {"instructions", instructions},
            {"rows", rows}, {"memory", memory}};
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
    FlushOutput();
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
    for (size_t m = 0; m < ratio.size(); ++m) ratio[m] = Ratio(report.single[m], report.all[m]);
    line("ratio", ratio);
    if (report.plateauBlockBytes)
        std::printf("(not the plateau's %s blocks: %d threads may not have blocks that large at once)\n",
                    BlockText(*report.plateauBlockBytes).c_str(), report.allThreads);
}

namespace {

std::string Unmeasured(const std::vector<uint64_t>& blocks)
{
    if (blocks.empty()) return "";
    std::string list;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        list += (i == 0 ? "" : i + 1 == blocks.size() ? " and " : ", ") + BlockText(blocks[i]);
    return "no memory for the " + list + (blocks.size() == 1 ? " block: its row has" : " blocks: their rows have") +
           " no value";
}

}  // namespace

std::string UnmeasuredText(const LatencyReport& report)
{
    std::vector<uint64_t> blocks;
    for (const latency::Row& row : report.rows)
        if (row.runs.empty()) blocks.push_back(row.blockBytes);
    return Unmeasured(blocks);
}

std::string UnmeasuredText(const BandwidthReport& report)
{
    std::vector<uint64_t> blocks;
    const auto notMeasured = [](const bandwidth::Figure& figure) { return figure.runs.empty(); };
    for (const bandwidth::Row& row : report.rows)
        if (std::any_of(row.figures.begin(), row.figures.end(), notMeasured)) blocks.push_back(row.blockBytes);
    std::vector<std::string> parts{Unmeasured(blocks)};
    // The memory figures are measured again on blocks of their own (the row's figures where the row ran on
    // as many threads). Threads that could not be started leave them unmeasured too, not for want of memory.
    const auto missing = [](const std::optional<double>& rate) { return !rate; };
    const bool memoryMissing = std::any_of(report.single.begin(), report.single.end(), missing) ||
                               std::any_of(report.all.begin(), report.all.end(), missing);
    if (report.memoryBlockBytes && memoryMissing && report.notStarted.empty() &&
        std::find(blocks.begin(), blocks.end(), *report.memoryBlockBytes) == blocks.end())
        parts.push_back("no memory for a " + BlockText(*report.memoryBlockBytes) + " block of the memory figures: they are incomplete");
    parts.push_back(report.notStarted);
    std::string text;
    for (const std::string& part : parts)
        if (!part.empty()) text += (text.empty() ? "" : "; ") + part;
    return text;
}
