#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class T_Http_Client;

// Bounds the whole of one blocking request. The client's own time-outs bound each wait for the
// next byte, not the request: a server that trickles a byte every few seconds would otherwise
// keep the caller (the user-interface thread) blocked for as long as it likes.
// While the object lives, a watcher thread aborts the client once `deadline_ms` have passed;
// the call in progress then fails with E_Http_Error. The destructor stops the watcher at once.
// NOTE: after an expiry the client stays aborted until its owner calls Clear_Abort.
class Request_Deadline {
public:
    Request_Deadline(T_Http_Client& client, int deadline_ms);
    ~Request_Deadline();
    Request_Deadline(const Request_Deadline&) = delete;
    Request_Deadline& operator=(const Request_Deadline&) = delete;

    // True once the deadline has passed and the client was aborted.
    bool Expired() const { return expired_.load(); }

private:
    void Watch(int deadline_ms);

    T_Http_Client& client_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> expired_{false};
    std::thread watcher_;  // last: starts once every other member exists
};
