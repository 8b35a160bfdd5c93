#pragma once
// One measurement on a thread of its own, so that the sheet repaints and stays usable while it runs.
// The job is plain C++ and learns of a Cancel through the flag it is given; whoever starts it hears of
// its end through the event queue (CallAfter), never from the job's thread directly.
#include <atomic>
#include <functional>
#include <thread>

namespace pages {

class CBackgroundRun {
public:
    using Job = std::function<void(const std::atomic<bool>& stop)>;

    CBackgroundRun() = default;
    // A run still going is stopped and waited for: no thread outlives its page.
    ~CBackgroundRun();
    CBackgroundRun(const CBackgroundRun&) = delete;
    CBackgroundRun& operator=(const CBackgroundRun&) = delete;

    // Starts `job`; false when a run is still going.
    bool Start(Job job);
    // Asks the job to stop at its next check.
    void Cancel() { stop_ = true; }
    bool Cancelled() const { return stop_; }
    // Waits for the job's thread to end (after the job has said it is done).
    void Join();
    bool Running() const { return thread_.joinable(); }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace pages
