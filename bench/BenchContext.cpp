#include "bench/BenchContext.h"

#include "bench/ThreadedSuites.h"

namespace bench {

Suites LiveSuites()
{
    return Suites{LiveCpuSuite, LiveFpuSuite, LiveCacheSuite, LiveThreadCpuKernels, LiveThreadWhetstone};
}

Context LiveContext() { return Context{platform::LiveMachine(), LiveSuites()}; }

}  // namespace bench
