#include "platform/Signal_Bridge.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signal_fds[2] = {-1, -1};
constexpr int handled_signals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void On_Signal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // Async-signal-safe: a full pipe just drops the byte, one pending request is enough.
    [[maybe_unused]] const ssize_t n = ::write(signal_fds[0], &byte, 1);
    errno = saved;
}

}  // namespace

Signal_Bridge::Signal_Bridge(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signal_fds) != 0)
        return;
    notifier_ = new QSocketNotifier(signal_fds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &Signal_Bridge::Read_Signal);

    struct sigaction action {};
    action.sa_handler = On_Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : handled_signals)
        ::sigaction(number, &action, nullptr);
}

Signal_Bridge::~Signal_Bridge()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int number : handled_signals)
        ::sigaction(number, &action, nullptr);
    delete notifier_;
    for (int& fd : signal_fds) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void Signal_Bridge::Read_Signal()
{
    unsigned char byte = 0;
    int last = 0;
    while (::read(signal_fds[1], &byte, 1) == 1)
        last = byte;
    if (last != 0)
        emit Close_Requested(last);
}
