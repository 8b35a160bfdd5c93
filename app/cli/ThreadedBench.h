#pragma once
// vext-cli bench cpu|fpu --threads: the suite's kernels on several pinned threads at once, each row
// beside its lone run, with the scaling; no result file (its record holds one thread's values).
#include <optional>
#include <string>

#include "bench/BenchContext.h"
#include "bench/BenchFailure.h"
#include "app/cli/ResultOutput.h"

namespace cli {

struct ThreadedBenchOptions {
    std::string suite;        // "cpu" or "fpu"
    std::optional<int> threads;  // empty: every logical processor the process may run on
    bool json = false;  // the whole result at the end, kept in the run's CResultOutput
    std::optional<std::string> label;
};

// The run's threads start on the context's machine and run its suites' kernels; its failures go to
// onFailure as they come back.
int RunThreadedBench(const bench::Context& context, const ThreadedBenchOptions& options, const bench::OnBenchFailure& onFailure,
                     CResultOutput& result);

}  // namespace cli
