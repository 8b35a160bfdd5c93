#include "bench/PinnedThreads.h"

#include <algorithm>
#include <map>
#include <system_error>
#include <utility>

namespace bench {

std::vector<int> PinningOrder(const std::vector<platform::LogicalCpu>& cpus)
{
    std::vector<platform::LogicalCpu> sorted = cpus;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    // The cores in the order of their first processor, each with its processors ascending.
    std::map<std::pair<int, int>, size_t> coreIndex;
    std::vector<std::vector<int>> cores;
    for (const platform::LogicalCpu& cpu : sorted) {
        const auto [at, added] = coreIndex.try_emplace({cpu.package, cpu.core}, cores.size());
        if (added) cores.emplace_back();
        cores[at->second].push_back(cpu.id);
    }
    std::vector<int> order;
    for (size_t round = 0; order.size() < sorted.size(); ++round)
        for (const std::vector<int>& core : cores)
            if (round < core.size()) order.push_back(core[round]);
    return order;
}

std::vector<int> ThreadCpus(const platform::Machine& machine, std::optional<int> count)
{
    std::vector<int> order = PinningOrder(machine.allowedCpus());
    if (!count) return order;
    if (*count < 1 || static_cast<size_t>(*count) > order.size()) return {};
    order.resize(static_cast<size_t>(*count));
    return order;
}

CPinnedThreads::CPinnedThreads(const platform::Machine& machine, std::vector<int> cpus)
    : machine_(machine),
      cpus_(std::move(cpus)),
      start_(static_cast<std::ptrdiff_t>(cpus_.size() + 1)),
      finish_(static_cast<std::ptrdiff_t>(cpus_.size() + 1)),
      failures_(cpus_.size())
{
    threads_.reserve(cpus_.size());  // so that keeping a started thread cannot fail
    try {
        for (int i = 0; i < Asked(); ++i) threads_.push_back(machine_.startThread([this, i] { Work(i); }));
    } catch (const std::system_error&) {
        // The barriers stop waiting for the threads that never came.
        for (int i = Count(); i < Asked(); ++i) start_.arrive_and_drop(), finish_.arrive_and_drop();
    }
    // An empty round: once it is over, every thread has pinned itself.
    Run([](int) {});
}

std::string CPinnedThreads::NotStartedText() const
{
    if (AllStarted()) return "";
    if (Asked() == 1) return "the thread could not be started (the system refused it)";
    const std::string asked = std::to_string(Asked());
    if (Count() == 0) return "none of the " + asked + " threads could be started (the system refused them)";
    return "only " + std::to_string(Count()) + " of the " + asked + " threads could be started (the system refused the others)";
}

CPinnedThreads::~CPinnedThreads()
{
    stop_ = true;
    start_.arrive_and_wait();
    for (std::thread& thread : threads_) thread.join();
}

void CPinnedThreads::RunOrHere(const std::function<void(int)>& job) { Count() > 0 ? Run(job) : job(0); }

void CPinnedThreads::Run(const std::function<void(int)>& job)
{
    job_ = &job;
    start_.arrive_and_wait();
    finish_.arrive_and_wait();
    job_ = nullptr;
    std::exception_ptr first;
    for (std::exception_ptr& failure : failures_)
        if (std::exception_ptr f = std::exchange(failure, nullptr); f && !first) first = f;
    if (first) std::rethrow_exception(first);
}

void CPinnedThreads::Work(int index)
{
    // Each thread pins itself; the barrier that follows makes the count known before the first Run returns.
    if (!machine_.pinThread(cpus_[static_cast<size_t>(index)])) ++unpinned_;
    for (;;) {
        start_.arrive_and_wait();
        if (stop_) return;
        try {
            (*job_)(index);
        } catch (...) {
            failures_[static_cast<size_t>(index)] = std::current_exception();
        }
        finish_.arrive_and_wait();
    }
}

}  // namespace bench
