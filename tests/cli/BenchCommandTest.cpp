#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <limits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>
#include <system_error>

#include <nlohmann/json.hpp>

#include "tests/cli/CommandOutcome.h"
#include "bench/CpuSuite.h"
#include "cpu/SystemSummary.h"
#include "files/ResultFiles.h"
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"

using namespace files;

using namespace bench;

using namespace cpu;

namespace fs = std::filesystem;

namespace {

// Fast fakes of the three suites and of the clock behind the summary line: a run takes milliseconds.
// The run's facts are a recorded processor's, at a fixed time, on a made-up kernel, with no control
// group whatever runs the tests.
class BenchCommand : public testing::Test {
protected:
    platform::CCpuidDump dump_ = platform::LoadCpuidDump(VEXT_TEST_DATA "/cpuid-dumps/amd-a20f10-ryzen-9-5950x-zen3.txt");
    platform::Machine machine_ = [this] {
        platform::Machine machine = platform::FakeMachine();
        machine.cpuid = [this](uint32_t leaf, uint32_t subleaf) { return dump_.Query(leaf, subleaf); };
        machine.timeGetTime = platform::SteppingClock(0, 700), machine.readTsc = platform::SteppingTsc(0, 800000000);
        machine.calendarTime = [] { return std::time_t{1796729405}; };
        machine.machineFacts = [] { return platform::MachineFacts{"6.1.0-18-amd64", 8}; };
        // Two cores of two logical processors each.
        machine.allowedCpus = [] { return std::vector<platform::LogicalCpu>{{0, 0, 0}, {1, 0, 0}, {2, 0, 1}, {3, 0, 1}}; };
        return machine;
    }();

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vext-bench-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        for (int i = 0; i < 13; ++i) cpu_.values[i] = 1000;
        cpu_.values[0] = 1234, cpu_.values[CpuResults::kDhrystone] = 1666;
        for (int s = 0; s < 8; ++s)
            fpu_.mflops[s] = s % 2 ? -1.0 : 10.0 * s, fpu_.mops[s] = s % 2 ? 20.0 * s : -1.0, fpu_.seconds[s] = 0.5;
        fpu_.mwips = 4800.0, fpu_.totalSeconds = 90.0;
        for (int i = 0; i < CacheResults::kCount; ++i) cache_.rates[i] = 100.0 * (i + 1);
    }
    void TearDown() override { fs::current_path(cwd_), fs::remove_all(dir_); }

    Outcome Bench(std::vector<std::string> args, const std::string& command = "bench", const char* device = nullptr, int to = -1)
    {
        bench::Context context{machine_, {}};
        context.suites.cpu = [this](const platform::Machine&, const CpuSuiteCallbacks& callbacks) {
            ++runs_;
            return RunCpuSuiteWith(FixedCpuKernels(cpu_), callbacks);
        };
        context.suites.fpu = [this](const platform::Machine&, const FpuSuiteCallbacks& callbacks) {
            if (fpuFails_) callbacks.onFailure(BenchFailure::WhetstoneCalculation);
            return ++runs_, fpu_;
        };
        context.suites.cache = [this](const platform::Machine&, const CacheSuiteCallbacks& callbacks) {
            ++runs_;
            for (int i = 0; i < CacheResults::kCount; ++i) callbacks.afterMeasurement(i, cache_.rates[i], 10);
            if (duringRun_) duringRun_();
            return cache_;
        };
        // Thread t's kernels take 1 + t/4 times as long.
        context.suites.threadCpuKernels = [this](const platform::Machine&, int thread, BenchFailure&) {
            CpuResults slower = cpu_;
            for (int i = 0; i < CpuResults::kDhrystone; ++i) slower.values[i] = 1000 + 250 * thread;
            slower.values[CpuResults::kDhrystone] = 1600 - 200 * thread;
            return FixedCpuKernels(slower);
        };
        context.suites.threadWhetstone = [this](const platform::Machine&, int thread, std::optional<int32_t> passes) {
            WhetstoneResults slower = fpu_;
            const auto slow = [thread](double& rate) { rate /= rate > 0 ? 1 + thread / 4.0 : 1; };  // -1 marks "no rate"
            for (int s = 0; s < 8; ++s) slow(slower.mflops[s]), slow(slower.mops[s]);
            slow(slower.mwips);
            const bool fails = passes && thread == failingThread_;
            return bench::WhetstoneRun{slower, passes.value_or(77), fails ? BenchFailure::WhetstoneCalculation : BenchFailure::None};
        };
        return RunCaptured(command, args, context, device, to);
    }

    std::string Summary()
    {
        platform::Machine machine = machine_;  // its clocks start where the command's do
        return FormatSystemSummary(machine);
    }
    void Put(const char* name, std::span<const uint8_t> bytes)
    {
        std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    void PutText(const char* name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }
    std::vector<uint8_t> Saved(const char* name) const
    {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir_, cwd_ = fs::current_path();
    int runs_ = 0;
    std::function<void()> duringRun_;
    bool fpuFails_ = false;
    int failingThread_ = -1;
    CpuResults cpu_;
    WhetstoneResults fpu_;
    CacheResults cache_;
};

}  // namespace

TEST_F(BenchCommand, AFileThatAppearsDuringTheRunIsKeptUnlessOverwriteIsGiven)
{
    duringRun_ = [this] { std::ofstream(dir_ / "t.cache") << "theirs"; };
    Outcome o = Bench({"cache", "-o", (dir_ / "t.cache").string()});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.out.find("2700.00 Mb/sec"), std::string::npos);
    EXPECT_NE(o.err.find("t.cache' appeared during the run and is kept"), std::string::npos) << o.err;
    EXPECT_EQ(Saved("t.cache").size(), 6u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);  // no temporary file left
    fs::remove(dir_ / "t.cache");
    EXPECT_EQ(Bench({"cache", "-o", (dir_ / "t.cache").string(), "--overwrite"}).status, 0);
    EXPECT_EQ(Saved("t.cache").size(), kCacheRecordSize);
}

// `vext-cli bench cache -o x.cache | head -1`: the reader goes, the rows are lost and that is said once;
// the run goes on and saves the file it was asked for.
TEST_F(BenchCommand, AClosedPipeLosesTheRowsButNotTheSavedFile)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    Outcome o = Bench({"cache", "-o", (dir_ / "x.cache").string()}, "bench", nullptr, ends[1]);
    ::close(ends[1]);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "vext-cli: cannot write to standard output: Broken pipe; the output was lost\n");
    const auto record = EncodeCacheRecord(Summary(), cache_);
    EXPECT_EQ(Saved("x.cache"), std::vector<uint8_t>(record.begin(), record.end()));
}

// The reason a save failed is the failing step's own, not whatever errno held later.
TEST_F(BenchCommand, AFolderThatTakesTheNameDuringTheRunIsNamedAsSuch)
{
    duringRun_ = [this] { fs::create_directory(dir_ / "t.cache"); };
    Outcome o = Bench({"cache", "-o", (dir_ / "t.cache").string(), "--overwrite"});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("t.cache': Is a directory\n"), std::string::npos) << o.err;
}

TEST_F(BenchCommand, OutputThatCannotBeWrittenIsAFailure)
{
    Put("a.cpu", EncodeCpuRecord("Base machine", cpu_));
    fs::current_path(dir_);
    // Each command says its own reason, not that of an earlier command in the same process.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    EXPECT_NE(Bench({"a.cpu"}, "show", nullptr, ends[1]).err.find(": Broken pipe;"), std::string::npos);
    ::close(ends[1]);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"show", "a.cpu"}, {"compare", "a.cpu", "a.cpu"}, {"bench", "cpu"}, {"--help"}, {"--version"},
             {"report", "--json", "--mhz", "1", "--cpuid", VEXT_TEST_DATA "/cli/c1-brand-dump.txt"}}) {
        Outcome o = Bench({args.begin() + 1, args.end()}, args.front(), "/dev/full");
        EXPECT_EQ(o.status, 2) << args.front();
        EXPECT_EQ(o.err, "vext-cli: cannot write to standard output: No space left on device; the output was lost\n") << args.front();
    }
}

// Every command on crafted files; the expected outputs are tests/data/cli/NAME.txt, with the test's
// folder written as DIR and this machine's summary line as SUMMARY.
TEST_F(BenchCommand, PrintsWhatTheGoldenFilesHold)
{
    CpuResults fast = cpu_;
    fast.values.fill(500), fast.values[12] = 0, fast.values[CpuResults::kDhrystone] = 3332;
    WhetstoneResults odd = fpu_;
    // The extremes a run can store: the smallest and largest rates, 0 where the other unit is marked.
    odd.mflops[2] = 1e9, odd.mflops[4] = 1e-9, odd.mflops[6] = 0.0, odd.mwips = 9600.0, odd.totalSeconds = 45.0;
    WhetstoneResults impossible = odd;
    impossible.mflops[2] = std::nan(""), impossible.mflops[4] = 1e308;
    cache_.rates[5] = std::numeric_limits<double>::infinity();
    Put("a.cpu", EncodeCpuRecord("Base machine", cpu_));
    Put("b.cpu", EncodeCpuRecord("Fast \x1b]0;title\x07 \x9b\xe9 machine with a summary longer than a column", fast));
    Put("a.fpu", EncodeFpuRecord("", fpu_)), Put("b.fpu", EncodeFpuRecord("Odd", odd)), Put("nan.fpu", EncodeFpuRecord("NaN", impossible));
    std::string readme = "# Vext\n\nVext identifies the processor, reports system facts and benchmarks the machine.\n";
    while (readme.size() < kCacheRecordSize) readme += readme;  // long enough for any record
    PutText("README.cpu", readme), PutText("README.cache", readme);
    const auto record = EncodeCpuRecord("", {});
    Put("a.cache", EncodeCacheRecord("Cache", cache_)), Put("short.cpu", std::span(record).first(9));
    Put("c.cpu", EncodeCpuRecord("Base machine", cpu_));
    fs::create_symlink("nowhere", dir_ / "dangling.cpu"), ::mkfifo((dir_ / "p.cpu").c_str(), 0600);
    fs::create_symlink("/sys/devices/system/cpu/online", dir_ / "ro.cpu");  // may not be written, even by root
    // A fleet of five: Addition spread out with one far off, the other rows equal (MAD 0) but for two
    // in the last file, one within 3 % and one beyond. The last is a bench run's own JSON.
    const uint32_t addition[] = {1000, 1100, 900, 1050, 3000};
    for (int f = 0; f < 4; ++f) {
        CpuResults node = cpu_;
        node.values[0] = addition[f];
        Put(("f" + std::to_string(f + 1) + ".cpu").c_str(), EncodeCpuRecord("Node", node));
    }
    cpu_.values[0] = addition[4], cpu_.values[1] = 1020, cpu_.values[2] = 1040;
    PutText("f5.json", Bench({"cpu", "--json", "--label", "node-5"}).out);
    PutText("node.json", R"J({"kind": "cpu", "system": "Node", "run": {"label": "node-2"}, "rows": [
        {"label": "Multiplication", "text": "0.62 sec  (617 ms)", "value": 617, "unit": "ms", "lower_is_better": true},
        {"label": "Dhrystone benchmark", "text": "833 KDhryst./sec", "value": 833, "unit": "KDhryst./sec"},
        {"label": "Extra \u001b r\u00f6w", "text": "1 \u009b", "value": 2, "unit": "x"}]})J");
    PutText("bad-row.json", R"({"kind": "cpu", "rows": [{"label": "x", "text": "y", "unit": "ms", "value": "1"}]})");
    PutText("garbage.json", "\x1b[2J{\"kind\"");
    PutText("huge.json", R"({"kind": "cpu", "rows": [{"label": "Addition", "text": "x", "value": 1e300, "unit": "ms"}]})");
    PutText("lat-a.json", R"({"kind": "latency", "rows": [{"block_kb": 4, "ns_per_load": 1.1}, {"block_kb": 8192, "ns_per_load": null}],
                              "levels": [{"name": "L1", "ns_per_load": 1.1}]})");
    PutText("lat-b.json", R"({"kind": "latency", "rows": [{"block_kb": 4, "ns_per_load": 2.2}], "levels": []})");
    PutText("bw.json", R"({"kind": "bandwidth", "rows": [{"block_kb": 16, "read": {"gb_per_s": 146.3}, "write": {"gb_per_s": 100.9},
                          "copy": {"gb_per_s": null}}], "memory": {"single": {"read": 19.4, "write": 16.6, "copy": 16.0},
                          "all": {"read": 30.9, "write": 17.3, "copy": null}}})");
    const struct {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"show-fpu", {"show", "b.fpu"}},
        {"show-text-file", {"show", "README.cache"}},
        {"show-impossible-values", {"show", "nan.fpu"}},
        {"compare-text-file", {"compare", "a.cpu", "README.cpu"}},
        {"compare-impossible-row", {"compare", "a.cpu", "huge.json"}},
        {"show-cache-json", {"show", "a.cache", "--json"}},
        {"show-escapes", {"show", "b.cpu"}},
        {"show-unknown-kind", {"show", "x.txt"}},
        {"show-missing-file", {"show", "none.cpu"}},
        {"show-two-files", {"show", "a.cpu", "a.cpu"}},
        {"show-json-escapes", {"show", "b.cpu", "--json"}},
        {"show-fifo", {"show", "p.cpu"}},
        {"compare-cpu", {"compare", "a.cpu", "b.cpu", "c.cpu"}},
        {"compare-fpu-json", {"compare", "a.fpu", "b.fpu", "--json"}},
        {"compare-mixed-kinds", {"compare", "a.cpu", "a.cache"}},
        {"compare-short-file", {"compare", "a.cpu", "short.cpu"}},
        {"compare-one-file", {"compare", "a.cpu"}},
        {"bench-cpu", {"bench", "cpu", "-o", "run.cpu"}},
        {"bench-fpu", {"bench", "fpu", "--output=run.fpu"}},
        {"bench-cache", {"bench", "-o", "run", "cache"}},
        {"bench-full-device", {"bench", "fpu", "-o", "/dev/full"}},  // the results printed, then the failure
        {"bench-no-name", {"bench", "cpu", "-o", "dir/"}},
        {"bench-dot", {"bench", "cpu", "-o", "x."}},
        {"bench-equals", {"bench", "cpu", "-o="}},
        {"bench-hidden", {"bench", "cpu", "-o", ".cpu"}},
        {"bench-other-extension", {"bench", "cpu", "-o", "results.txt"}},
        {"bench-dangling-link", {"bench", "cpu", "-o", "dangling"}},
        {"bench-unwritable", {"bench", "cpu", "-o", "ro.cpu", "--overwrite"}},
        {"bench-suite-escapes", {"bench", "\x1b]0;x\x07"}},
        {"compare-run-and-file", {"compare", "a.cpu", "node.json"}},
        {"compare-summary-run", {"compare", "--summary", "node.json", "f1.cpu"}},
        {"compare-bad-row", {"compare", "a.cpu", "bad-row.json"}},
        {"compare-garbage", {"compare", "garbage.json", "a.cpu"}},
        {"compare-latency", {"compare", "lat-a.json", "lat-b.json"}},
        {"compare-bandwidth-latency", {"compare", "--summary", "bw.json", "bw.json", "lat-a.json"}},
        {"show-bandwidth", {"show", "bw.json"}},
        {"compare-summary", {"compare", "--summary", "f1.cpu", "f2.cpu", "f3.cpu", "f4.cpu", "f5.json"}},
        {"compare-summary-json", {"compare", "--summary", "--json", "f1.cpu", "f5.json"}},
        {"bench-cache-json", {"bench", "cache", "--json", "--label", "node-7 \x1b", "-o", "new"}},
        {"bench-other-kind", {"bench", "cpu", "-o", "\x1b[2J.fpu"}},
        {"bench-existing", {"bench", "cpu", "-o", "a"}},
        {"bench-missing-folder", {"bench", "fpu", "-o", "none/x"}},
        {"bench-cpu-threads", {"bench", "cpu", "--threads", "all"}},
        {"bench-fpu-threads-json", {"bench", "fpu", "--threads", "3", "--json"}},
        {"bench-threads-and-output", {"bench", "cpu", "--threads", "2", "-o", "x"}},
        {"bench-too-many-threads", {"bench", "fpu", "--threads", "5"}},
        {"report-directory", {"report", "--cpuid", "."}},
        {"report-escapes", {"report", "--cpuid", "\x1b[2J"}},
        {"report-json", {"report", "--json", "--mhz", "1333", "--cpuid", VEXT_TEST_DATA "/cpuid-dumps/amd-0644-athlon-thunderbird.txt"}},
        {"processor-escapes", {"processor", "--cpuid", "\x1b[2J"}},
        {"processor-directory", {"processor", "--cpuid", "."}},
        {"processor-fifo", {"processor", "--cpuid", "p.cpu"}},
        {"processor-c1-brand", {"processor", "--cpuid", VEXT_TEST_DATA "/cli/c1-brand-dump.txt"}},
        {"processor-json-recorded", {"processor", "--json", "--cpuid", VEXT_TEST_DATA "/cli/c1-brand-dump.txt"}},
        {"version", {"--version"}},
        {"unknown-option", {"--frobnicate"}},
        {"help-show", {"help", "show"}},
    };
    const std::string summary = Summary();
    fs::current_path(dir_);
    for (const auto& c : cases) {
        Outcome o = Bench({c.args.begin() + 1, c.args.end()}, c.args.front());
        if (std::string(c.name).find("json") != std::string::npos) {
            EXPECT_TRUE(nlohmann::json::accept(o.out)) << c.name;
        }
        std::string text = "status " + std::to_string(o.status) + "\n--- stdout\n" + o.out + "--- stderr\n" + o.err;
        for (std::size_t at; (at = text.find(summary)) != std::string::npos;) text.replace(at, summary.size(), "SUMMARY");
        ExpectGolden(std::string("cli/") + c.name + ".txt", text);
    }
    EXPECT_EQ(runs_, 6);  // the six runs above: every refusal comes before the suite
    // The records as "Save Results" writes them; the CPU total is the sum of the times, the rating left out.
    CpuResults cpu = cpu_;
    cpu.values[CpuResults::kTotal] = std::accumulate(cpu_.values.begin(), cpu_.values.begin() + CpuResults::kDhrystone, 0u);
    const auto bytes = [](const auto& record) { return std::vector<uint8_t>(record.begin(), record.end()); };
    EXPECT_EQ(Saved("run.cpu"), bytes(EncodeCpuRecord(summary, cpu)));
    EXPECT_EQ(Saved("run.fpu"), bytes(EncodeFpuRecord(summary, fpu_)));
    EXPECT_EQ(Saved("run.cache"), bytes(EncodeCacheRecord(summary, cache_)));
    EXPECT_EQ(Saved("new.cache"), Saved("run.cache"));
}

// The page shows "Calculation Error !" and keeps the results; the command does the same and fails.
TEST_F(BenchCommand, ACalculationErrorIsShownAndTheRunFails)
{
    failingThread_ = 2;
    Outcome threads = Bench({"fpu", "--threads", "3"});
    EXPECT_EQ(threads.status, 2);
    EXPECT_EQ(threads.err, "Calculation Error !\n");
    fpuFails_ = true, failingThread_ = -1;
    fs::current_path(dir_);
    Outcome lone = Bench({"fpu", "-o", "run"});
    EXPECT_EQ(lone.status, 2);
    EXPECT_EQ(lone.err, "Calculation Error !\n");
    EXPECT_EQ(Saved("run.fpu").size(), kFpuRecordSize);
}

// A thread the system refuses (a process limit) ends the run before anything is measured.
TEST_F(BenchCommand, AThreadTheSystemRefusesIsNamedAndTheRunFails)
{
    machine_.startThread = [starts = 0](std::function<void()> body) mutable {  // the lone thread, then four
        if (++starts == 3) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        return std::thread(std::move(body));
    };
    const Outcome o = Bench({"fpu", "--threads", "all"});
    EXPECT_EQ(std::make_tuple(o.status, o.err),
              std::make_tuple(2, "vext-cli bench: only 1 of the 4 threads could be started (the system refused the others)\n"));
}

// A block that cannot be had: "Memory error !" once per block and method, its row without a rate, the
// record with what the page keeps for it (the rate of 0 ms), and the run fails. Every timing lasts 30 ms.
TEST_F(BenchCommand, APreciseCacheBlockThatCannotBeHadIsShownOnceAndHasNoRate)
{
    machine_.monotonicSeconds = [reads = 0]() mutable { return reads++ * 0.03; };
    machine_.memoryStatus = [] { return platform::MemoryStatus{8ull << 30, 16ull << 20, 0, 0}; };
    machine_.allocate = [](size_t bytes) { return bytes == 4096 ? nullptr : std::malloc(bytes); };
    fs::current_path(dir_);
    const Outcome o = Bench({"cache", "--precise", "--repeat", "2", "--json", "-o", "run"});
    EXPECT_EQ(o.status, 2);
    // MOVSD, MOV, Stepping MOV; then no file, since a record has no place for a rate not measured.
    EXPECT_EQ(o.err, "Memory error !\nMemory error !\nMemory error !\nvext-cli bench: 'run.cache' was not saved: a block "
                     "could not be measured, and a result file has no place for a rate that was not\n");
    EXPECT_EQ(o.out.find("inf"), std::string::npos);
    const nlohmann::json rows = nlohmann::json::parse(o.out)["rows"];
    EXPECT_EQ(rows[1]["text"], "-");
    EXPECT_TRUE(rows[1]["value"].is_null());
    EXPECT_FALSE(rows[1].contains("runs"));
    EXPECT_TRUE(rows[0]["value"].is_number());
    EXPECT_FALSE(fs::exists(dir_ / "run.cache"));
}

TEST_F(BenchCommand, BadUsageRunsNothing)
{
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {}, {"gpu"}, {"cpu", "fpu"}, {"cpu", "-o"}, {"cpu", "--output="}, {"cpu", "--fast"}}) {
        Outcome o = Bench(args);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find("Usage: vext-cli bench cpu|fpu|cache"), std::string::npos);
    }
    EXPECT_EQ(runs_, 0);
    Outcome help = Bench({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: vext-cli bench"), std::string::npos);
}

// -o FILE with --json or --openmetrics: the whole result goes to FILE only when the run succeeded, and
// a FILE that cannot take it is refused before anything runs.
TEST_F(BenchCommand, AWholeResultGoesToItsFileOnlyWhenTheRunSucceeded)
{
    fs::current_path(dir_);
    const auto text = [this](const char* name) {
        const std::vector<uint8_t> bytes = Saved(name);
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_EQ(Bench({"cpu", "--json", "-o", "node.json"}).out + Bench({"fpu", "--threads", "2", "--json", "-o", "t.json"}).out, "");
    EXPECT_EQ(nlohmann::json::parse(text("node.json"))["kind"], "cpu");
    EXPECT_EQ(nlohmann::json::parse(text("t.json"))["kind"], "fpu-threads");
    EXPECT_FALSE(fs::exists("node.cpu"));
    PutText("old.prom", "theirs");
    fpuFails_ = true;
    const Outcome failed = Bench({"fpu", "--openmetrics", "-o", "old.prom", "--overwrite"});
    EXPECT_EQ(std::make_tuple(failed.status, failed.out), std::make_tuple(2, std::string()));
    EXPECT_EQ(failed.err, "Calculation Error !\nvext-cli bench: the run did not succeed: nothing was written to 'old.prom'\n");
    EXPECT_EQ(text("old.prom"), "theirs");
    const int runs = runs_;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"cpu", "--json", "-o", "node.json"}, {"cpu", "--json", "-o", "none/x.json"}, {"latency", "--json", "-o", "l.txt"},
             {"latency", "-o", "l.json"}, {"cpu", "--json", "--openmetrics"}, {"bandwidth", "--openmetrics", "-o", "b.json"}}) {
        const Outcome o = Bench(args);
        EXPECT_EQ(std::make_tuple(o.status, o.out), std::make_tuple(2, std::string())) << args[3];
    }
    EXPECT_EQ(runs_, runs);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3);  // node.json, t.json, old.prom
}

// The OpenMetrics of each kind, and compare --summary of a fleet with failed nodes, another version,
// an outlier, a processor inventory; tests/data/cli/NAME.txt as in PrintsWhatTheGoldenFilesHold.
TEST_F(BenchCommand, PrintsTheFleetsOutputsAsTheGoldenFilesHold)
{
    fs::current_path(dir_);
    const uint32_t addition[] = {1000, 1010, 990, 3000};
    for (int n = 0; n < 4; ++n) {
        cpu_.values[0] = addition[n];
        PutText(("n" + std::to_string(n + 1) + ".json").c_str(),
                Bench({"cpu", "--json", "--label", n == 2 ? "n3, \"east\" \x1b" : "n" + std::to_string(n + 1)}).out);
    }
    std::string other = Bench({"cpu", "--json"}).out;
    other.replace(other.find("\"1.0\""), 5, "\"0.9\"");
    PutText("other.json", other), PutText("empty.json", ""), PutText("garbage.json", "{");
    PutText("lat-a.json", R"({"kind": "latency", "rows": [{"block_kb": 4, "ns_per_load": 1.1}], "levels": []})");
    const std::string ryzen = VEXT_TEST_DATA "/cpuid-dumps/amd-a20f10-ryzen-9-5950x-zen3.txt";
    std::string processor = RunCaptured("processor", {"--json", "--label", "p1", "--cpuid", ryzen}).out;
    PutText("p1.json", processor);
    processor.replace(processor.find("\"avx2\","), 7, "").replace(processor.find("\"p1\""), 4, "\"p2\"");
    PutText("p2.json", processor);
    const struct {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"bench-cache-openmetrics", {"bench", "cache", "--openmetrics"}},
        {"bench-cpu-threads-openmetrics", {"bench", "cpu", "--threads", "2", "--openmetrics"}},
        {"processor-openmetrics", {"processor", "--openmetrics", "--cpuid", ryzen}},
        {"compare-fleet", {"compare", "--summary", "n1.json", "n2.json", "empty.json", "n3.json", "n4.json", "other.json", "garbage.json", "lat-a.json"}},
        {"compare-fleet-per-file", {"compare", "--summary", "--per-file", "n1.json", "n2.json", "n3.json", "n4.json"}},
        {"compare-fleet-csv", {"compare", "--summary", "--csv", "n1.json", "n3.json", "n4.json", "other.json"}},
        {"compare-fleet-csv-per-file", {"compare", "--summary", "--csv", "--per-file", "n1.json", "n3.json", "other.json"}},
        {"compare-fleet-clean", {"compare", "--summary", "n1.json", "n2.json", "n3.json"}},
        {"compare-inventory", {"compare", "--summary", "p1.json", "p2.json", "p1.json", "n1.json"}},
        {"compare-nothing-readable", {"compare", "--summary", "empty.json", "garbage.json"}},
        {"compare-processor-result", {"compare", "n1.json", "p1.json"}},
    };
    for (const auto& c : cases) {
        const Outcome o = c.args.front() == "bench" ? Bench({c.args.begin() + 1, c.args.end()})
                                                    : RunCaptured(c.args.front(), {c.args.begin() + 1, c.args.end()});
        ExpectGolden(std::string("cli/") + c.name + ".txt", "status " + std::to_string(o.status) + "\n--- stdout\n" + o.out + "--- stderr\n" + o.err);
    }
}
