#include "app/cli/ThreadedBench.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/cli/CommandLine.h"
#include "app/cli/ListPrinter.h"
#include "app/cli/ProgressLine.h"
#include "app/cli/RunOutput.h"
#include "platform/StandardOutput.h"
#include "bench/MemoryPlans.h"
#include "bench/PinnedThreads.h"
#include "bench/ThreadedSuites.h"
#include "cpu/SystemSummary.h"
#include "files/ResultFiles.h"
#include "bench/ResultTables.h"
#include "platform/CpuTopology.h"
#include "platform/TextFormat.h"
#include "results/ResultSheet.h"
#include "results/RunIdentity.h"
#include "results/TerminalText.h"

namespace cli {

using namespace files;

using namespace bench;

using namespace cpu;

using namespace results;

namespace {

constexpr std::size_t kColumnWidth = 30;

// One row of the suite: its lone run, each thread's, and the scaling.
struct ThreadedRow {
    ResultRow single;
    std::vector<ResultRow> each;
    std::optional<double> scaling;
};

ThreadedRow MakeRow(ResultRow single, std::vector<ResultRow> each)
{
    std::vector<double> values;
    for (const ResultRow& row : each) values.push_back(row.value);
    const std::optional<double> scaling = Scaling(single.value, values, single.isTime);
    return {std::move(single), std::move(each), scaling};
}

nlohmann::json Json(const std::optional<double>& value) { return value ? NumberOrNull(*value) : nlohmann::json(nullptr); }

std::string ScalingText(const std::optional<double>& scaling)
{
    return scaling ? platform::FormatTwoDecimals(*scaling) : "-";
}

// The lone run, the slowest thread and the scaling, in the page's texts.
std::string RowText(const ThreadedRow& row)
{
    const auto slower = [&row](const ResultRow& a, const ResultRow& b) { return row.single.isTime ? a.value < b.value : a.value > b.value; };
    const ResultRow& slowest = *std::max_element(row.each.begin(), row.each.end(), slower);
    return PadColumns(row.single.text, kColumnWidth) + PadColumns(slowest.text, kColumnWidth) + ScalingText(row.scaling);
}

void PrintHeading(const std::vector<int>& cpus)
{
    std::printf("%d threads on logical processors %s\n\n", static_cast<int>(cpus.size()), platform::NumberList(cpus).c_str());
    std::printf("%s%s%sscaling\n", PadColumns("", 40).c_str(), PadColumns("1 thread", kColumnWidth).c_str(),
                PadColumns("slowest of " + std::to_string(cpus.size()), kColumnWidth).c_str());
}

// The rating of every thread, their sum and the scaling, after the list.
void PrintRating(const ThreadedRow& row, const std::string& sumText, const std::vector<int>& cpus)
{
    std::printf("\n%s on %d threads\n", row.single.label.c_str(), static_cast<int>(cpus.size()));
    for (std::size_t t = 0; t < cpus.size(); ++t)
        std::printf("%-40s%s\n", platform::TextFormat("   thread %d, processor %d :", static_cast<int>(t + 1), cpus[t]).c_str(),
                    row.each[t].text.c_str());
    std::printf("%-40s%s\n%-40s%s\n", "   all threads :", sumText.c_str(), "   scaling :", ScalingText(row.scaling).c_str());
}

// The lone run's sheet with each row's thread values and scaling, then the rating on all threads and
// its scaling as rows of their own (what compare and compare --summary read).
nlohmann::json ThreadedJson(const ResultSheet& single, const std::vector<ThreadedRow>& rows, std::size_t rating,
                            double sum, const std::string& sumText, const std::vector<int>& cpus)
{
    nlohmann::json json = SheetJson(single);
    json["kind"] = single.kind + "-threads";
    json["threads"] = cpus.size();
    json["processors"] = cpus;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        nlohmann::json threads = nlohmann::json::array();
        for (const ResultRow& row : rows[r].each) threads.push_back(NumberOrNull(row.value));
        json["rows"][r]["threads"] = threads;
        json["rows"][r]["scaling"] = Json(rows[r].scaling);
    }
    const ThreadedRow& headline = rows[rating];
    json["rows"].push_back({{"label", headline.single.label + ", all threads"}, {"text", sumText},
                            {"value", NumberOrNull(sum)}, {"unit", headline.single.unit}});
    json["rows"].push_back({{"label", headline.single.label + ", scaling"}, {"text", ScalingText(headline.scaling)},
                            {"value", Json(headline.scaling)}, {"unit", ""}});
    return json;
}

struct SuiteRun {
    ResultSheet single;
    std::vector<ResultSheet> each;
    std::size_t rating;  // the row of the suite's rating
    double sum;          // of the rating over the threads
    std::string sumText;
    bool pinned;
    std::string notStarted;  // set when not every thread could be started: nothing was measured
};

CpuResults Only(int index, uint32_t value)
{
    CpuResults results;
    results.values[index] = value;
    return results;
}

// Rows are printed as each measurement ends on one and on all threads.
SuiteRun RunCpu(const bench::Context& context, const std::vector<int>& cpus, const std::string& summary, RowPrinting printing,
                const OnBenchFailure& onFailure)
{
    CListPrinter printer(kCpuList, stdout);
    const auto show = [&](int index, uint32_t single, const std::vector<uint32_t>& threads) {
        std::vector<ResultRow> each;
        for (uint32_t value : threads) each.push_back(CpuSheet(summary, Only(index, value)).rows[index]);
        if (printing == RowPrinting::AsMeasured) printer.Cell(CpuResultRow(index), RowText(MakeRow(CpuSheet(summary, Only(index, single)).rows[index], each)));
    };
    const ThreadedCpuRun run = RunThreadedCpu(context, cpus, show, onFailure);
    if (printing == RowPrinting::AsMeasured && run.notStarted.empty()) printer.Finish();
    SuiteRun suite{CpuSheet(summary, run.single), {}, CpuResults::kDhrystone, 0, "", run.pinned, run.notStarted};
    for (const CpuResults& results : run.threads) {
        suite.each.push_back(CpuSheet(summary, results));
        suite.sum += results.values[CpuResults::kDhrystone];
    }
    suite.sumText = FormatCpuResult(CpuResults::kDhrystone, static_cast<uint32_t>(std::min<double>(suite.sum, UINT32_MAX)));
    return suite;
}

// Whetstone's rows come at its end, as on the page.
SuiteRun RunFpu(const bench::Context& context, const std::vector<int>& cpus, const std::string& summary,
                const OnBenchFailure& onFailure)
{
    const CProgressLine progress;
    const ThreadedFpuRun run = RunThreadedFpu(
        context, cpus,
        [progress](int threads) { progress.Show(platform::TextFormat("running on %d thread%s", threads, threads == 1 ? "" : "s")); },
        onFailure);
    progress.Clear();
    SuiteRun suite{FpuSheet(summary, run.single), {}, kFpuSheetMwipsRow, 0, "", run.pinned, run.notStarted};
    for (const WhetstoneResults& results : run.threads) {
        suite.each.push_back(FpuSheet(summary, results));
        suite.sum += results.mwips;
    }
    suite.sumText = FormatMwips(suite.sum);
    return suite;
}

}  // namespace

int RunThreadedBench(const bench::Context& context, const ThreadedBenchOptions& options, const OnBenchFailure& onFailure,
                     CResultOutput& result)
{
    const platform::Machine& machine = context.machine;
    const std::vector<int> asked = bench::ThreadCpus(machine, options.threads);
    if (asked.empty())
        return FailCommand("bench", platform::TextFormat("--threads %d: this process may run on %d logical processors",
                                                         options.threads.value_or(0),
                                                         static_cast<int>(machine.allowedCpus().size())));
    std::string fewer;
    const std::vector<int> cpus = ThreadedCpusWithinCap(machine, asked, fewer);
    if (!fewer.empty()) std::fprintf(stderr, "vext-cli bench: %s\n", fewer.c_str());
    NoteCpuQuota(machine, "bench", cpus.size());
    const nlohmann::json identity = options.json ? RunIdentity(machine, options.label, cpus.size()) : nlohmann::json();
    const std::string summary = FormatSystemSummary(machine);
    if (!options.json) {
        std::printf("Your System : %s\n\n", TerminalText(summary).c_str());
        PrintHeading(cpus);
    }
    platform::FlushOutput();
    const bool cpu = options.suite == kCpuResultFile.name;
    const SuiteRun suite =
        cpu ? RunCpu(context, cpus, summary, RowPrintingFor(options.json), onFailure) : RunFpu(context, cpus, summary, onFailure);
    if (!suite.notStarted.empty()) return FailCommand("bench", suite.notStarted);
    std::vector<ThreadedRow> rows;
    for (std::size_t r = 0; r < suite.single.rows.size(); ++r) {
        std::vector<ResultRow> each;
        for (const ResultSheet& sheet : suite.each) each.push_back(sheet.rows[r]);
        rows.push_back(MakeRow(suite.single.rows[r], each));
    }
    if (!suite.pinned) std::fprintf(stderr, "vext-cli bench: the system did not pin every thread; they ran where it put them\n");
    if (options.json) {
        nlohmann::json json = ThreadedJson(suite.single, rows, suite.rating, suite.sum, suite.sumText, cpus);
        json["pinned"] = suite.pinned;
        result.Keep(std::move(json), identity);
    } else {
        if (!cpu) {
            CListPrinter printer(kFpuList, stdout);
            for (const ThreadedRow& row : rows) printer.Cell(row.single.listRow, RowText(row));
            printer.Finish();
        }
        PrintRating(rows[suite.rating], suite.sumText, cpus);
    }
    return 0;
}

}  // namespace cli
