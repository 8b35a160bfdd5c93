#include "pages/BackgroundRun.h"

#include <utility>

namespace pages {

CBackgroundRun::~CBackgroundRun()
{
    Cancel();
    Join();
}

bool CBackgroundRun::Start(Job job)
{
    if (Running()) return false;
    stop_ = false;
    thread_ = std::thread([this, job = std::move(job)] { job(stop_); });
    return true;
}

void CBackgroundRun::Join()
{
    if (thread_.joinable()) thread_.join();
}

}  // namespace pages
