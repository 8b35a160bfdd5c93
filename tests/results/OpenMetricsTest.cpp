// Prometheus' text format of the memory results; label values never carry a raw control character
// and always read back as the text they were (tests/cli/check_openmetrics.sh runs promtool on them).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "results/OpenMetrics.h"
#include "tests/support/Golden.h"

using namespace results;

TEST(OpenMetrics, LabelValuesAreEscapedAndControlsShownAsText)
{
    EXPECT_EQ(LabelValue("a\\b\"c\nd\x1b[2J\x7f\xc2\x9b\xc3\xa9"), "a\\\\b\\\"c\\nd\\\\x1b[2J\\\\x7f\\\\u009b\xc3\xa9");
}

TEST(OpenMetrics, MemoryResultsAreGaugesInBaseUnits)
{
    const nlohmann::json latency = nlohmann::json::parse(R"({"kind": "latency",
        "rows": [{"block_kb": 4, "ns_per_load": 1.5, "cycles_per_load": 4.5}, {"block_kb": 8192, "ns_per_load": null}],
        "levels": [{"name": "L1", "ns_per_load": 1.5}, {"name": "memory", "ns_per_load": null}],
        "run": {"vext_version": "1.0", "utc": "2026-12-08T11:30:05Z", "logical_processors": 8, "cpu_quota": 1.5,
                "processor": {"vendor": "AuthenticAMD", "brand": "Evil \"x\" \u001b", "family": 25, "model": 33,
                              "stepping": 0}, "kernel_release": "6.1", "label": "node\n17"}})");
    const nlohmann::json bandwidth = nlohmann::json::parse(R"({"kind": "bandwidth", "threads": 2,
        "rows": [{"block_kb": 16, "read": {"gb_per_s": 146.25}, "write": {"gb_per_s": 100.5}, "copy": {"gb_per_s": null}}],
        "memory": {"single": {"read": 19.5, "write": 16.5, "copy": 16.0}, "all": {"read": 30.5, "write": 17.25, "copy": null}}})");
    ExpectGolden("cli/openmetrics-memory.prom", OpenMetricsText(latency) + OpenMetricsText(bandwidth));
}
