#include "bench/PinnedThreads.h"

#include <algorithm>
#include <map>
#include <utility>

namespace bench {

std::vector<int> PinningOrder(const std::vector<platform::LogicalCpu>& cpus)
{
    std::vector<platform::LogicalCpu> sorted = cpus;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    std::vector<std::vector<int>> cores;  // in the order of their lowest processor
    std::map<std::pair<int, int>, std::size_t> coreOf;
    for (const platform::LogicalCpu& cpu : sorted) {
        auto [at, added] = coreOf.emplace(std::make_pair(cpu.package, cpu.core), cores.size());
        if (added) cores.emplace_back();
        cores[at->second].push_back(cpu.id);
    }
    std::vector<int> order;
    for (std::size_t round = 0; order.size() < sorted.size(); ++round)
        for (const std::vector<int>& core : cores)
            if (round < core.size()) order.push_back(core[round]);
    return order;
}

std::vector<int> ThreadCpus(std::optional<int> count)
{
    std::vector<int> order = PinningOrder(platform::AllowedCpus());
    if (!count) return order;
    if (*count < 1 || static_cast<std::size_t>(*count) > order.size()) return {};
    order.resize(static_cast<std::size_t>(*count));
    return order;
}

PinnedThreads::PinnedThreads(std::vector<int> cpus)
    : cpus_(std::move(cpus)), start_(static_cast<std::ptrdiff_t>(cpus_.size() + 1)),
      finish_(static_cast<std::ptrdiff_t>(cpus_.size() + 1)), failures_(cpus_.size())
{
    for (int i = 0; i < Count(); ++i) threads_.emplace_back(&PinnedThreads::Work, this, i);
}

PinnedThreads::~PinnedThreads()
{
    stop_ = true;
    start_.arrive_and_wait();
    for (std::thread& thread : threads_) thread.join();
}

void PinnedThreads::Work(int index)
{
    if (!platform::PinCurrentThread(cpus_[index])) ++unpinned_;
    for (;;) {
        start_.arrive_and_wait();
        if (stop_) return;
        try {
            (*job_)(index);
        } catch (...) {
            failures_[index] = std::current_exception();
        }
        finish_.arrive_and_wait();
    }
}

void PinnedThreads::Run(const std::function<void(int thread)>& job)
{
    job_ = &job;
    start_.arrive_and_wait();
    finish_.arrive_and_wait();
    job_ = nullptr;
    std::exception_ptr first;
    for (std::exception_ptr& failure : failures_)
        if (failure && !first) first = std::exchange(failure, nullptr);
        else failure = nullptr;
    if (first) std::rethrow_exception(first);
}

}  // namespace bench
