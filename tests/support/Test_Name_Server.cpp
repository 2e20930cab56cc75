#include "support/Test_Name_Server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

// Length of the question section that starts at offset 12 of a query, or 0 when it is malformed.
std::size_t Question_Length(const unsigned char* query, std::size_t size)
{
    std::size_t at = 12;
    while (at < size && query[at] != 0) {
        if (query[at] >= 64)
            return 0;  // no compression in a question
        at += query[at] + 1u;
    }
    at += 1 + 4;  // the root label, type and class
    return at <= size ? at - 12 : 0;
}

}  // namespace

Test_Name_Server::Test_Name_Server(Mode mode) : mode_(mode)
{
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    stop_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || stop_fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0)
        throw std::runtime_error("Test_Name_Server: cannot bind");
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

Test_Name_Server::~Test_Name_Server()
{
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(stop_fd_, &one, sizeof one);
    thread_.join();
    close(fd_);
    close(stop_fd_);
}

void Test_Name_Server::Serve()
{
    for (;;) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 || fds[1].revents != 0)
            return;
        unsigned char query[512];
        sockaddr_storage from{};
        socklen_t from_length = sizeof from;
        const ssize_t got = recvfrom(fd_, query, sizeof query, 0, reinterpret_cast<sockaddr*>(&from), &from_length);
        if (got < 12)
            continue;
        ++questions_;
        const std::size_t question = Question_Length(query, static_cast<std::size_t>(got));
        if (mode_ == Mode::Silent || question == 0)
            continue;
        const std::size_t type_at = 12 + question - 4;
        const bool asks_a = query[type_at] == 0 && query[type_at + 1] == 1;
        std::string reply(reinterpret_cast<const char*>(query), 12 + question);
        reply[2] = static_cast<char>(0x81);  // a response, recursion desired
        reply[3] = static_cast<char>(0x80);  // recursion available, no error
        reply[4] = 0, reply[5] = 1;          // one question
        reply[6] = 0, reply[7] = asks_a ? 1 : 0;
        reply[8] = reply[9] = reply[10] = reply[11] = 0;
        if (asks_a) {
            // The name by a pointer to the question, type A, class IN, 60 s, four bytes: 127.0.0.1.
            const unsigned char answer[] = {0xC0, 0x0C, 0, 1, 0, 1, 0, 0, 0, 60, 0, 4, 127, 0, 0, 1};
            reply.append(reinterpret_cast<const char*>(answer), sizeof answer);
        }
        sendto(fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), from_length);
    }
}
