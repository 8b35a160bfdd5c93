#pragma once
// Threads that each stay on a logical processor of their own and run one piece of work together, for
// measurements of the whole machine: all start at once, none wanders onto another's processor. The
// machine's layout comes from platform/CpuTopology.h.
#include <atomic>
#include <barrier>
#include <exception>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "platform/CpuTopology.h"

namespace bench {

// The order in which threads take the logical processors: one of every core first (cores in the order
// of their lowest-numbered processor), then a second of every core that has one, and so on, so that
// two threads on a machine of two cores never share one core.
std::vector<int> PinningOrder(const std::vector<platform::LogicalCpu>& cpus);

// The processors for `count` threads in pinning order; every allowed processor when count is empty.
// Empty when the process may not run on that many, or count is below 1.
std::vector<int> ThreadCpus(std::optional<int> count);

class PinnedThreads {
public:
    // One thread per entry of `cpus`, each pinned to its processor before any work runs.
    explicit PinnedThreads(std::vector<int> cpus);
    ~PinnedThreads();
    PinnedThreads(const PinnedThreads&) = delete;
    PinnedThreads& operator=(const PinnedThreads&) = delete;

    int Count() const { return static_cast<int>(cpus_.size()); }
    const std::vector<int>& Cpus() const { return cpus_; }
    // False when the system refused to pin one of them (the work ran all the same).
    bool AllPinned() const { return unpinned_ == 0; }

    // Runs job(i) on thread i, i = 0 ... Count() - 1, all released by one barrier; returns when every
    // thread has finished. An exception of a job is thrown here.
    void Run(const std::function<void(int thread)>& job);

private:
    void Work(int index);

    std::vector<int> cpus_;
    std::barrier<> start_;
    std::barrier<> finish_;
    const std::function<void(int)>* job_ = nullptr;
    bool stop_ = false;
    std::atomic<int> unpinned_{0};
    std::vector<std::exception_ptr> failures_;
    std::vector<std::thread> threads_;
};

}  // namespace bench
