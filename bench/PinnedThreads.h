#pragma once
// Threads that each stay on one logical processor of their own and run a piece of work together: for
// measurements of the whole machine, where every thread must start at once and none may wander onto
// another's processor. The machine's layout comes from platform/CpuTopology.h.
#include <atomic>
#include <barrier>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/CpuTopology.h"
#include "platform/Seam.h"

namespace bench {

// Starts a thread running `body`; throws std::system_error when the system refuses one (a process
// limit), as std::thread does. A test refuses the threads it chooses with ScopedThreadStart.
struct ThreadStartTag {
    static std::thread Live(std::function<void()> body);
};
using ThreadStartSeam = platform::Seam<ThreadStartTag, std::thread(std::function<void()>)>;
using ScopedThreadStart = ThreadStartSeam::Scoped;

// The order in which threads take the logical processors: one of every core first (cores in the order
// of their lowest-numbered processor), then a second of every core that has one, and so on. So two
// threads on a machine with two cores never share one core's execution units.
std::vector<int> PinningOrder(const std::vector<platform::LogicalCpu>& cpus);

// The processors for `count` threads, in pinning order; every allowed processor when count is empty.
// Empty when the process may not run on that many (or count is below 1).
std::vector<int> ThreadCpus(std::optional<int> count);

class PinnedThreads {
public:
    // One thread per entry of `cpus`, each pinned to that processor before any work runs. When the
    // system refuses a thread, those started before it are the whole set (see AllStarted).
    explicit PinnedThreads(std::vector<int> cpus);
    ~PinnedThreads();
    PinnedThreads(const PinnedThreads&) = delete;
    PinnedThreads& operator=(const PinnedThreads&) = delete;

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
