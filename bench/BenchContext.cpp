#include "bench/BenchContext.h"

#include "bench/ThreadedSuites.h"

namespace bench {

Suites LiveSuites()
{
    Suites suites;
    suites.cpu = [](const platform::Machine&, const CpuSuiteCallbacks& callbacks) { return CpuSuiteTag::Live(callbacks); };
    suites.fpu = [](const platform::Machine&, const FpuSuiteCallbacks& callbacks) { return FpuSuiteTag::Live(callbacks); };
    suites.cache = [](const platform::Machine&, const CacheSuiteCallbacks& callbacks) {
        return CacheSuiteTag::Live(callbacks);
    };
    suites.threadCpuKernels = [](const platform::Machine&, int thread, BenchFailure& failure) {
        return ThreadCpuKernelsTag::Live(thread, failure);
    };
    suites.threadWhetstone = [](const platform::Machine&, int thread, std::optional<int32_t> passes) {
        return ThreadWhetstoneTag::Live(thread, passes);
    };
    return suites;
}

Context LiveContext() { return Context{platform::LiveMachine(), LiveSuites()}; }

}  // namespace bench
