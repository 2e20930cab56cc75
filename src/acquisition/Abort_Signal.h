#pragma once
#include <atomic>

// A flag another thread can raise to wake a blocked poll() at once (an eventfd, readable while
// raised). Raise, Clear and Is_Raised are safe from any thread; the descriptor lives as long as
// the object, so no thread ever sees it closed under it.
class Abort_Signal {
public:
    Abort_Signal();
    ~Abort_Signal();
    Abort_Signal(const Abort_Signal&) = delete;
    Abort_Signal& operator=(const Abort_Signal&) = delete;

    void Raise();
    void Clear();
    bool Is_Raised() const { return raised_.load(std::memory_order_acquire); }
    // Add to a poll set with POLLIN: readable while raised.
    int Fd() const { return fd_; }
    // Empties the descriptor when it is readable though the flag is down (a Raise that crossed a
    // Clear), so poll does not wake again for nothing. A Raise racing with this keeps its flag up.
    void Absorb_Stale() const;

private:
    int fd_ = -1;
    std::atomic<bool> raised_{false};
};
