#pragma once
// Threads that each stay on one logical processor of their own and run a piece of work together: for
// measurements of the whole machine, where every thread must start at once and none may wander onto
// another's processor. The threads start, pin themselves and learn the layout through the machine.
#include <atomic>
#include <barrier>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/CpuTopology.h"
#include "platform/Machine.h"

namespace bench {

// The order in which threads take the logical processors: one of every core first (cores in the order
// of their lowest-numbered processor), then a second of every core that has one, and so on. So two
// threads on a machine with two cores never share one core's execution units.
std::vector<int> PinningOrder(const std::vector<platform::LogicalCpu>& cpus);

// The processors for `count` threads, in pinning order, of those the machine allows; every allowed
// processor when count is empty. Empty when the process may not run on that many (or count is below 1).
std::vector<int> ThreadCpus(const platform::Machine& machine, std::optional<int> count);

class CPinnedThreads {
public:
    // One thread per entry of `cpus` (machine.startThread), each pinned to that processor
    // (machine.pinThread) before any work runs. When the system refuses a thread, those started before
    // it are the whole set (see AllStarted). The machine outlives the threads.
    CPinnedThreads(const platform::Machine& machine, std::vector<int> cpus);
    ~CPinnedThreads();
    CPinnedThreads(const CPinnedThreads&) = delete;
    CPinnedThreads& operator=(const CPinnedThreads&) = delete;

    // The threads that run the work: those that could be started.
    int Count() const { return static_cast<int>(threads_.size()); }
    int Asked() const { return static_cast<int>(cpus_.size()); }
    bool AllStarted() const { return Count() == Asked(); }
    // "only 3 of the 8 threads could be started (the system refused the others)"; empty when all were.
    std::string NotStartedText() const;
    // False when the system refused to pin one of them; the work still runs.
    bool AllPinned() const { return unpinned_ == 0; }

    // Runs job(i) on thread i, i = 0 ... Count() - 1: all threads wait at one barrier and leave it
    // together. Returns once every thread has finished; an exception of a job is thrown here.
    void Run(const std::function<void(int thread)>& job);
    // As Run, but a set where no thread could be started runs job(0) on the calling thread: a process
    // that may start no thread, or may be pinned nowhere, still measures, unpinned.
    void RunOrHere(const std::function<void(int thread)>& job);

private:
    void Work(int index);

    const platform::Machine& machine_;
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
