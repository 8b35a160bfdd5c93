#pragma once
// What every JSON result carries to tell its run from the others of a fleet: Vext's version, when
// (UTC), the processor, the logical processors and the kernel. Nothing names the machine or its user
// unless --label gives a text.
#include <cstddef>
#include <ctime>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/Machine.h"

namespace results {

// {"vext_version", "utc", "processor": {"vendor", "brand", "family", "model", "stepping"},
// "logical_processors", "kernel_release"} and "label" when one is given; for a benchmark run on
// `threads` threads at most, "cpu_quota" when the control group allows less processor time than that.
// Call it before a --cpuid dump stands in for the processor: the run is this machine's.
nlohmann::json RunIdentity(const platform::Machine& machine, const std::optional<std::string>& label,
                           std::optional<std::size_t> threads = std::nullopt);

// The processors' worth of time the control groups allow, when it is less than `threads` processors.
std::optional<double> CpuQuotaBelow(const platform::Machine& machine, std::size_t threads);

// "2026-12-08T09:30:05Z"
std::string Iso8601Utc(std::time_t time);

}  // namespace results
