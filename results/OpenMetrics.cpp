#include "results/OpenMetrics.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <set>
#include <utility>
#include <vector>

#include "platform/TextFormat.h"

namespace results {

namespace {

using nlohmann::json;
using Labels = std::vector<std::pair<std::string, std::string>>;

// Whole numbers as integers; others as JSON writes them (the shortest text that reads back the same).
std::string Number(double value)
{
    if (std::fabs(value) < 1e15 && value == std::floor(value)) return std::to_string(static_cast<long long>(value));
    return json(value).dump();
}

// The families in the order of their first sample: every sample of a family must follow its TYPE line.
class CFamilies {
public:
    void Add(const std::string& name, const std::string& help, const Labels& labels, const json& value, double scale = 1.0)
    {
        if (!value.is_number()) return;
        std::string sample = name;
        if (!labels.empty()) {
            sample += '{';
            for (std::size_t i = 0; i < labels.size(); ++i)
                sample += (i ? "," : "") + labels[i].first + "=\"" + LabelValue(labels[i].second) + '"';
            sample += '}';
        }
        Family* family = nullptr;
        for (Family& f : families_)
            if (f.name == name) family = &f;
        if (!family) family = &families_.emplace_back(Family{name, help, {}, {}});
        // One sample per label set: a collector refuses a file that repeats one.
        if (!family->seen.insert(sample).second) return;
        family->samples.push_back(sample + ' ' + Number(value.get<double>() * scale));
    }

    std::string Text() const
    {
        std::string text;
        for (const Family& f : families_) {
            text += "# HELP " + f.name + ' ' + f.help + "\n# TYPE " + f.name + " gauge\n";
            for (const std::string& sample : f.samples) text += sample + '\n';
        }
        return text;
    }

private:
    struct Family {
        std::string name;
        std::string help;
        std::vector<std::string> samples;
        std::set<std::string> seen;
    };
    std::vector<Family> families_;
};

// A JSON value as a label's text: a number as JSON writes it, null as nothing.
std::string Text(const json& value)
{
    if (value.is_string()) return value.get<std::string>();
    return value.is_null() ? std::string() : value.dump();
}

const json& Member(const json& object, const char* key)
{
    static const json kNull;
    if (!object.is_object()) return kNull;
    const auto found = object.find(key);
    return found == object.end() ? kNull : *found;
}

// A block's size in bytes, from its Kb; written as it stands when it is no whole number.
std::string Bytes(const json& kb) { return kb.is_number_integer() ? std::to_string(kb.get<int64_t>() * 1024) : Text(kb); }

// The run's metrics carry the kind of result: the textfile collector merges every file of its folder,
// and the runs of two benchmarks on one machine must not be one series.
void AddRun(CFamilies& out, const json& run, const std::string& kind)
{
    if (!run.is_object()) return;
    const json& p = Member(run, "processor");
    const Labels ofKind = {{"kind", kind}};
    out.Add("vext_run_info", "The run: Vext's version, the processor, the kernel and the run's --label; always 1.",
            {{"kind", kind},
             {"vext_version", Text(Member(run, "vext_version"))},
             {"vendor", Text(Member(p, "vendor"))},
             {"brand", Text(Member(p, "brand"))},
             {"family", Text(Member(p, "family"))},
             {"model", Text(Member(p, "model"))},
             {"stepping", Text(Member(p, "stepping"))},
             {"kernel_release", Text(Member(run, "kernel_release"))},
             {"label", Text(Member(run, "label"))}},
            json(1));
    std::tm utc{};
    const std::string when = Text(Member(run, "utc"));
    if (std::sscanf(when.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ", &utc.tm_year, &utc.tm_mon, &utc.tm_mday, &utc.tm_hour,
                    &utc.tm_min, &utc.tm_sec) == 6) {
        utc.tm_year -= 1900, utc.tm_mon -= 1;
        out.Add("vext_run_start_timestamp_seconds", "When the run started, in seconds since 1970-01-01 UTC.", ofKind,
                json(static_cast<double>(::timegm(&utc))));
    }
    out.Add("vext_run_logical_processors", "The machine's logical processors.", ofKind, Member(run, "logical_processors"));
    out.Add("vext_run_cpu_quota_processors",
            "The processors' worth of time the control group allowed, where less than the run's threads.", ofKind,
            Member(run, "cpu_quota"));
}

// How a row of the three suites is named: the family's stem, its unit and the factor to that unit.
struct RowMetric {
    const char* unit;  // the row's unit
    const char* stem;  // after vext_<suite>_
    const char* rowLabel;  // the label that names the row, or nothing for a family of one row
    double scale;
    const char* help;
};

const RowMetric kRowMetrics[] = {
    {"ms", "kernel_seconds", "kernel", 1e-3, "Time of a CPU suite loop; lower is better."},
    {"KDhryst./sec", "dhrystones_per_second", nullptr, 1e3, "Dhrystone 1.1 rating; higher is better."},
    {"MFLOPS", "section_floating_point_operations_per_second", "section", 1e6,
     "Rate of a Whetstone section that counts floating-point operations."},
    {"MOPS", "section_operations_per_second", "section", 1e6, "Rate of a Whetstone section that counts operations."},
    {"MWIPS", "whetstone_instructions_per_second", nullptr, 1e6, "Whetstone rating; higher is better."},
    {"seconds", "benchmark_seconds", nullptr, 1.0, "Time of the whole Whetstone run."},
    {"Mb/sec", "bytes_per_second", nullptr, 1048576.0, "Rate of a memory-copy method over a block (Mb = 2^20 bytes)."},
};

void AddSuite(CFamilies& out, const json& result, std::string suite)
{
    const bool threaded = suite.ends_with("-threads");
    if (threaded) suite.resize(suite.size() - 8);
    const std::string threads = threaded ? Text(Member(result, "threads")) : "1";
    const json& processors = Member(result, "processors");
    for (const json& row : Member(result, "rows")) {
        const json& each = Member(row, "threads");
        // The threaded run's closing rows (the sum, its scaling) repeat what the threads' values say.
        if (threaded && !each.is_array()) continue;
        const std::string unit = Text(Member(row, "unit"));
        for (const RowMetric& m : kRowMetrics) {
            if (unit != m.unit) continue;
            Labels labels;
            if (m.rowLabel) labels.push_back({m.rowLabel, Text(Member(row, "label"))});
            if (!Member(row, "block_kb").is_null()) labels.push_back({"block_bytes", Bytes(Member(row, "block_kb"))});
            if (!Member(row, "method").is_null()) labels.push_back({"method", Text(Member(row, "method"))});
            Labels lone = labels;
            lone.push_back({"threads", "1"});
            out.Add("vext_" + suite + "_" + m.stem, m.help, lone, Member(row, "value"), m.scale);
            if (!threaded) continue;
            labels.push_back({"threads", threads});
            // Every row scales, the ratings too: each scaling is named by its row.
            const Labels scaling = {{suite == "cpu" ? "kernel" : "section", Text(Member(row, "label"))}, {"threads", threads}};
            out.Add("vext_" + suite + "_scaling_ratio",
                    "The threads' summed rate over the threads times the lone rate; 1 is perfect scaling.", scaling,
                    Member(row, "scaling"));
            labels.push_back({"processor", ""});
            for (std::size_t t = 0; t < each.size(); ++t) {
                labels.back().second = t < processors.size() ? Text(processors[t]) : std::to_string(t);
                out.Add("vext_" + suite + "_thread_" + m.stem, std::string("Of each thread of the run: ") + m.help, labels, each[t], m.scale);
            }
        }
    }
}

void AddLatency(CFamilies& out, const json& result)
{
    for (const json& row : Member(result, "rows")) {
        const Labels block = {{"block_bytes", Bytes(Member(row, "block_kb"))}};
        out.Add("vext_latency_load_seconds", "Best time of one dependent load over a block.", block,
                Member(row, "ns_per_load"), 1e-9);
        out.Add("vext_latency_load_cycles", "The same in core cycles (time-stamp counter cycles where the running clock is not known).",
                block, Member(row, "cycles_per_load"));
    }
    for (const json& level : Member(result, "levels"))
        out.Add("vext_latency_level_load_seconds", "Load time of a cache level or memory: the median of its blocks.",
                {{"level", Text(Member(level, "name"))}}, Member(level, "ns_per_load"), 1e-9);
}

void AddBandwidth(CFamilies& out, const json& result)
{
    const std::string threads = Text(Member(result, "threads"));
    for (const json& row : Member(result, "rows"))
        for (const char* method : {"read", "write", "copy"})
            out.Add("vext_bandwidth_bytes_per_second", "Memory bandwidth, each thread on a block of block_bytes, the threads' rates summed (copy counts the bytes read and written).",
                    {{"block_bytes", Bytes(Member(row, "block_kb"))}, {"method", method}, {"threads", threads}},
                    Member(Member(row, method), "gb_per_s"), 1e9);
    const json& memory = Member(result, "memory");
    for (const char* method : {"read", "write", "copy"})
        for (const auto& [key, count] : {std::pair{"single", "1"}, std::pair{"all", "all"}})
            out.Add("vext_bandwidth_memory_bytes_per_second", "Memory bandwidth on the plateau's block, on one thread and on all.",
                    {{"method", method}, {"threads", count}}, Member(Member(memory, key), method), 1e9);
}

void AddProcessor(CFamilies& out, const json& result)
{
    for (const auto& [key, clock] : {std::pair{"measured_mhz", "measured"}, std::pair{"running_clock_mhz", "running"},
                                     std::pair{"tsc_mhz", "tsc"}, std::pair{"base_mhz", "base"}, std::pair{"max_mhz", "maximum"}})
        out.Add("vext_processor_clock_hertz", "A clock of the processor: measured, running, or as CPUID states it.",
                {{"clock", clock}}, Member(result, key), 1e6);
    for (const json& cache : Member(result, "caches"))
        out.Add("vext_processor_cache_bytes", "Size of a cache as CPUID describes it.",
                {{"level", Text(Member(cache, "level"))}, {"type", Text(Member(cache, "type"))}}, Member(cache, "size_kb"), 1024.0);
    for (const json& flag : Member(result, "features"))
        out.Add("vext_processor_flag_info", "A feature flag the processor states, by its /proc/cpuinfo name; always 1.",
                {{"flag", Text(flag)}}, json(1));
}

}  // namespace

std::string LabelValue(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '"') out += {'\\', static_cast<char>(c)};
        else if (c == '\n') out += "\\n";
        else if (c < 0x20 || c == 0x7f) out += platform::TextFormat("\\\\x%02x", c);
        else if (c == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xa0 &&
                 static_cast<unsigned char>(text[i + 1]) >= 0x80)
            out += platform::TextFormat("\\\\u%04x", static_cast<unsigned char>(text[++i]));
        else out += static_cast<char>(c);
    }
    return out;
}

std::string OpenMetricsText(const nlohmann::json& result)
{
    CFamilies out;
    const std::string kind = Text(Member(result, "kind"));
    AddRun(out, Member(result, "run"), kind.empty() ? "processor" : kind);
    if (kind == "latency") AddLatency(out, result);
    else if (kind == "bandwidth") AddBandwidth(out, result);
    else if (!kind.empty()) AddSuite(out, result, kind);
    else AddProcessor(out, result);
    return out.Text();
}

}  // namespace results
