#include "update/Request_Deadline.h"

#include "acquisition/Http_Client.h"

#include <chrono>

Request_Deadline::Request_Deadline(T_Http_Client& client, int deadline_ms)
    : client_(client), watcher_([this, deadline_ms] { Watch(deadline_ms); })
{}

Request_Deadline::~Request_Deadline()
{
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    wake_.notify_one();
    watcher_.join();
}

void Request_Deadline::Watch(int deadline_ms)
{
    std::unique_lock lock(mutex_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadline_ms);
    if (wake_.wait_until(lock, deadline, [this] { return done_; }))
        return;
    expired_.store(true);
    client_.Abort();  // Abort may be called from any thread
}
