#include "app/cli/BenchSuitesCommand.h"

#include <cstdio>
#include <optional>

#include "bench/BenchSuites.h"
#include "cpu/Clock.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "platform/Clocks.h"

namespace {

struct SuiteOptions {
    std::optional<std::string> output;
    bool help = false;
    bool bad = false;
};

SuiteOptions ParseSuiteOptions(const std::vector<std::string>& args)
{
    SuiteOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-h" || args[i] == "--help") {
            o.help = true;
        } else if (args[i] == "-o" && i + 1 < args.size()) {
            o.output = args[++i];
        } else {
            std::fprintf(stderr, "vext-cli: bench: unexpected argument '%s'\n", args[i].c_str());
            o.bad = true;
        }
    }
    return o;
}

void PrintUsage(const char* suite, FILE* to)
{
    std::fprintf(to,
                 "Usage: vext-cli bench %s [-o FILE]\n"
                 "Runs the %s benchmark as its page does and prints the page's rows; -o saves the\n"
                 "results as a .%s result file.\n",
                 suite, suite, suite);
}

void PrintRow(const char* label, const std::string& value)
{
    if (value.empty())
        std::printf("%s\n", label);
    else
        std::printf("%-40s%s\n", label, value.c_str());
}

int Save(const std::string& path, std::span<const uint8_t> record)
{
    ResultFileStatus status = WriteResultFile(path, record);
    if (status == ResultFileStatus::Ok) return 0;
    std::fprintf(stderr, "vext-cli: %s: %s\n", path.c_str(), ResultFileMessage(status).c_str());
    return 1;
}

}  // namespace

int RunFpuBenchCommand(const std::vector<std::string>& args)
{
    SuiteOptions o = ParseSuiteOptions(args);
    if (o.help || o.bad) {
        PrintUsage("fpu", o.help ? stdout : stderr);
        return o.help ? 0 : 2;
    }
    const std::string summary = FormatSystemSummary();
    std::printf("Your System : %s\n", summary.c_str());
    std::fflush(stdout);

    const uint32_t start = platform::timeGetTime();
    FpuSuiteCallbacks cb;
    cb.afterSection = [](int section, bool calibrating) {
        std::fprintf(stderr, "\r%s N%d   ", calibrating ? "calibrating" : "running    ", section);
    };
    WhetstoneResults results = RunFpuSuite(cb);
    const uint32_t wall = platform::ElapsedMs(start, platform::timeGetTime());
    std::fprintf(stderr, "\r                  \r");

    std::vector<ResultCell> cells = FpuResultCells(results);
    size_t next = 0;
    for (int row = 0; row < kFpuListRowCount; ++row) {
        std::string text;
        if (next < cells.size() && cells[next].row == row) text = cells[next++].text;
        PrintRow(kFpuListRows[row], text);
    }
    std::fprintf(stderr, "wall time %.3f s\n", wall * 0.001);
    return o.output ? Save(*o.output, EncodeFpuRecord(summary, results)) : 0;
}

int RunCacheBenchCommand(const std::vector<std::string>& args)
{
    SuiteOptions o = ParseSuiteOptions(args);
    if (o.help || o.bad) {
        PrintUsage("cache", o.help ? stdout : stderr);
        return o.help ? 0 : 2;
    }
    const std::string summary = FormatSystemSummary();
    std::printf("Your System : %s\n", summary.c_str());
    std::fflush(stdout);

    // Each group's rows are printed as the group ends, as the page writes them.
    const uint32_t start = platform::timeGetTime();
    CacheSuiteCallbacks cb;
    cb.afterGroup = [](int group, const CacheResults& results) {
        const int first = group * CacheResults::kBlockSizes;
        const int title = first == 0 ? 0 : CacheResultRow(first) - 1;
        if (group > 0) PrintRow(kCacheListRows[title - 1], "");
        PrintRow(kCacheListRows[title], "");
        for (int i = first; i < first + CacheResults::kBlockSizes; ++i)
            PrintRow(kCacheListRows[CacheResultRow(i)], FormatCacheRate(results.rates[i]));
        std::fflush(stdout);
    };
    CacheResults results = RunCacheSuite(cb);
    const uint32_t wall = platform::ElapsedMs(start, platform::timeGetTime());
    std::fprintf(stderr, "wall time %.3f s\n", wall * 0.001);
    return o.output ? Save(*o.output, EncodeCacheRecord(summary, results)) : 0;
}
