#include "acquisition/Abort_Signal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

Abort_Signal::Abort_Signal()
{
    fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd_ < 0)
        throw std::runtime_error(std::string("eventfd: ") + std::strerror(errno));
}

Abort_Signal::~Abort_Signal()
{
    if (fd_ >= 0)
        close(fd_);
}

void Abort_Signal::Raise()
{
    raised_.store(true, std::memory_order_release);
    std::uint64_t one = 1;
    // A full counter (never in practice) still leaves the descriptor readable: nothing to handle.
    [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

void Abort_Signal::Clear()
{
    raised_.store(false, std::memory_order_release);
    std::uint64_t value = 0;
    [[maybe_unused]] ssize_t n = read(fd_, &value, sizeof value);
}

void Abort_Signal::Absorb_Stale() const
{
    if (Is_Raised())
        return;
    std::uint64_t value = 0;
    [[maybe_unused]] ssize_t n = read(fd_, &value, sizeof value);
}
