// How long a Memory and Cores run takes to end after its Cancel: each run is started on a thread and
// stopped after a series of delays, and the time from the stop to the run's return is printed.
// Build after the test build (cmake --build build/test), from the top folder, linking
// build/test/libvext_{results,bench,facts,files,cpu,platform}.a and then bench, cpu and platform again:
//   L=build/test/libvext_; g++ -std=c++20 -O2 -I. scripts/cancel-time.cpp -o /tmp/cancel-time
//   ${L}results.a ${L}bench.a ${L}facts.a ${L}files.a ${L}cpu.a ${L}platform.a ${L}bench.a ${L}cpu.a
//   ${L}platform.a -lpthread      (one command line)
// Usage: /tmp/cancel-time [latency|bandwidth|cores] [DELAY_SECONDS...]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchContext.h"
#include "results/PageMeasurements.h"

int main(int argc, char** argv)
{
    const bench::Context context = bench::LiveContext();
    const results::PageMeasurements m = results::LivePageMeasurements();
    const char* names[] = {"latency", "bandwidth", "cores"};
    const results::PageMeasurement* runs[] = {&m.latency, &m.bandwidth, &m.cores};
    std::vector<double> delays{0.3, 1.1, 2.3, 3.7, 5.9, 8.3, 13.1, 17.9, 23.3, 29.9};
    if (argc > 2) delays.clear();
    for (int i = 2; i < argc; ++i) delays.push_back(std::atof(argv[i]));
    for (int r = 0; r < 3; ++r) {
        if (argc > 1 && std::string(argv[1]) != names[r]) continue;
        double worst = 0;
        for (double delay : delays) {
            std::atomic<bool> stop{false};
            std::thread run([&] {
                std::string failure;
                (*runs[r])(context, {[](int, int) {}, [&stop] { return stop.load(); }}, failure);
            });
            std::this_thread::sleep_for(std::chrono::duration<double>(delay));
            const auto asked = std::chrono::steady_clock::now();
            stop = true;
            run.join();
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked).count();
            worst = std::max(worst, ms);
            std::printf("%s: stopped after %.1f s, returned in %.0f ms\n", names[r], delay, ms);
            std::fflush(stdout);
        }
        std::printf("%s: worst %.0f ms\n", names[r], worst);
    }
}
