#pragma once
// A JSON result (bench, processor) in the text format Prometheus reads, as the node exporter's
// textfile collector takes it from a *.prom file: gauges named vext_..., in base units (seconds, bytes
// per second, hertz), each family with its HELP and TYPE lines, the run as vext_run_info's labels.
#include <string>

#include <nlohmann/json.hpp>

namespace results {

// The metrics of `result` (as vext-cli's commands make it, with its "run"); a value that is null has
// no sample. Label values are escaped: no control character is written raw.
std::string OpenMetricsText(const nlohmann::json& result);

// A label value as the format writes it between its quotes: \\, \" and \n escaped, other control
// characters written as the text \x1b (and C1 ones as \u0080 ...), as a terminal would be shown them.
std::string LabelValue(const std::string& text);

}  // namespace results
