#include "results/MemoryBenchReport.h"

#include <algorithm>
#include <cmath>

#include "bench/MemoryPlans.h"
#include "results/ResultSheet.h"

using namespace bench;

namespace results {

namespace {

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

}  // namespace

double LoadCycles(double ns, double clockMHz) { return ns * clockMHz / 1000.0; }

double CycleClockMHz(const LatencyReport& report) { return report.runningClockMHz.value_or(report.clockMHz); }

const char* CycleName(const LatencyReport& report) { return report.runningClockMHz ? "core cycles" : "cycles"; }

std::optional<double> AllThreadsRatio(std::optional<double> single, std::optional<double> all)
{
    return single && all && *single > 0 ? std::optional<double>(*all / *single) : std::nullopt;
}

std::optional<double> MeasuredRate(const bandwidth::Figure& figure)
{
    return figure.runs.empty() ? std::nullopt : std::optional<double>(figure.gbPerSec);
}

nlohmann::json LatencyJson(const LatencyReport& report)
{
    nlohmann::json rows = nlohmann::json::array();
    for (const latency::Row& r : report.rows) {
        const nlohmann::json ns = Measured(r.nsPerLoad, r.runs);
        rows.push_back({{"block_kb", r.blockBytes / 1024},
                        {"ns_per_load", ns},
                        {"cycles_per_load", ns.is_null() ? ns : NumberOrNull(LoadCycles(r.nsPerLoad, CycleClockMHz(report)))},
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
    return {{"kind", "latency"},
            {"clock_mhz", report.clockMHz},
            {"running_clock_mhz", report.runningClockMHz ? nlohmann::json(std::lround(*report.runningClockMHz)) : nlohmann::json(nullptr)},
            {"line_bytes", report.lineBytes},
            {"repeat", report.repeat},
            {"rows", rows},
            {"levels", levels}};
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
            const std::optional<double> single = report.single[m], all = report.all[m], ratio = AllThreadsRatio(single, all);
            memory["single"][name] = single ? NumberOrNull(*single) : nlohmann::json(nullptr);
            memory["all"][name] = all ? NumberOrNull(*all) : nlohmann::json(nullptr);
            memory["ratio"][name] = ratio ? NumberOrNull(*ratio) : nlohmann::json(nullptr);
        }
    }
    return {{"kind", "bandwidth"}, {"unit", "GB/s"}, {"threads", report.cpus.size()}, {"cpus", report.cpus},
            {"pinned", report.pinned}, {"repeat", report.repeat}, {"instructions", instructions},
            {"rows", rows}, {"memory", memory}};
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

}  // namespace results
