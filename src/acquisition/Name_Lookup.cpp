#include "acquisition/Name_Lookup.h"

#include <ares.h>
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

#include "acquisition/Abort_Signal.h"
#include "acquisition/Http_Error.h"
#include "acquisition/Http_Text.h"

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Throw_Lookup_Error(int code, const std::string& text)
{
    throw E_Http_Error("Socket Error # " + std::to_string(code) + ": " + text, code);
}

// An address literal as the address itself, or nothing.
bool Literal_Address(const std::string& host, int port, Socket_Address& out)
{
    auto* v4 = reinterpret_cast<sockaddr_in*>(&out.Address);
    if (inet_pton(AF_INET, host.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<uint16_t>(port));
        out.Length = sizeof(sockaddr_in);
        out.Family = AF_INET;
        return true;
    }
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&out.Address);
    if (inet_pton(AF_INET6, host.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<uint16_t>(port));
        out.Length = sizeof(sockaddr_in6);
        out.Family = AF_INET6;
        return true;
    }
    return false;
}

struct Lookup_Result {
    bool Done = false;
    int Status = ARES_SUCCESS;
    std::vector<Socket_Address> Addresses;
};

void On_Lookup(void* argument, int status, int /*timeouts*/, ares_addrinfo* found)
{
    auto* result = static_cast<Lookup_Result*>(argument);
    result->Done = true;
    result->Status = status;
    for (ares_addrinfo_node* node = found ? found->nodes : nullptr; node; node = node->ai_next) {
        if (!node->ai_addr || node->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        Socket_Address address;
        std::memcpy(&address.Address, node->ai_addr, node->ai_addrlen);
        address.Length = node->ai_addrlen;
        address.Family = node->ai_family;
        result->Addresses.push_back(address);
    }
    if (found)
        ares_freeaddrinfo(found);
}

// A c-ares channel for one lookup; destroying it ends the lookup (its callback runs with
// ARES_EDESTRUCTION), so the result it writes to must outlive it.
class Channel {
public:
    Channel(int timeout_ms, const std::string& name_servers)
    {
        static std::once_flag library;
        std::call_once(library, [] { ares_library_init(ARES_LIB_INIT_ALL); });
        ares_options options{};
        // Each name server gets a try of up to 2 s (two tries); the caller's deadline bounds the whole.
        options.timeout = std::max(200, std::min(timeout_ms / 2, 2000));
        options.tries = 2;
        const int status = ares_init_options(&channel_, &options, ARES_OPT_TIMEOUTMS | ARES_OPT_TRIES);
        if (status != ARES_SUCCESS)
            Throw_Lookup_Error(EAI_SYSTEM, std::string("name lookups unavailable: ") + ares_strerror(status));
        if (!name_servers.empty() && ares_set_servers_ports_csv(channel_, name_servers.c_str()) != ARES_SUCCESS) {
            ares_destroy(channel_);
            Throw_Lookup_Error(EAI_SYSTEM, "bad name server list: " + name_servers);
        }
    }
    ~Channel() { ares_destroy(channel_); }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;
    ares_channel Native() const { return channel_; }

private:
    ares_channel channel_ = nullptr;
};

// Runs the channel's sockets until the lookup is done, the deadline passes or abort is raised.
void Run_Lookup(const Channel& channel, const Lookup_Result& result, Clock::time_point deadline,
                const Abort_Signal& abort)
{
    while (!result.Done) {
        if (abort.Is_Raised())
            throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            Throw_Lookup_Error(EAI_AGAIN, Http_Error_Text::Lookup_Timed_Out);
        ares_socket_t sockets[ARES_GETSOCK_MAXNUM];
        const int bits = ares_getsock(channel.Native(), sockets, ARES_GETSOCK_MAXNUM);
        pollfd fds[ARES_GETSOCK_MAXNUM + 1];
        nfds_t count = 0;
        for (int i = 0; i < ARES_GETSOCK_MAXNUM; ++i) {
            const short events = static_cast<short>((ARES_GETSOCK_READABLE(bits, i) ? POLLIN : 0) |
                                                    (ARES_GETSOCK_WRITABLE(bits, i) ? POLLOUT : 0));
            if (events != 0)
                fds[count++] = {sockets[i], events, 0};
        }
        fds[count] = {abort.Fd(), POLLIN, 0};
        timeval limit{};
        const timeval* next = ares_timeout(channel.Native(), nullptr, &limit);
        long long wait_ms = left;
        if (next)
            wait_ms = std::min<long long>(wait_ms, next->tv_sec * 1000LL + next->tv_usec / 1000 + 1);
        const int ready = ::poll(fds, count + 1, static_cast<int>(wait_ms));
        if (ready < 0 && errno != EINTR)
            Throw_Lookup_Error(EAI_SYSTEM, std::strerror(errno));
        if (fds[count].revents != 0) {
            if (abort.Is_Raised())
                throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
            abort.Absorb_Stale();
        }
        bool any = false;
        for (nfds_t i = 0; i < count; ++i) {
            if (fds[i].revents == 0)
                continue;
            any = true;
            const bool readable = (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
            const bool writable = (fds[i].revents & POLLOUT) != 0;
            ares_process_fd(channel.Native(), readable ? fds[i].fd : ARES_SOCKET_BAD,
                            writable ? fds[i].fd : ARES_SOCKET_BAD);
        }
        if (!any)
            ares_process_fd(channel.Native(), ARES_SOCKET_BAD, ARES_SOCKET_BAD);  // retries and time-outs
    }
}

}  // namespace

bool Is_Reserved_Invalid_Name(const std::string& host)
{
    std::string name = Http_Lower(host);
    while (!name.empty() && name.back() == '.')
        name.pop_back();
    constexpr std::string_view suffix = ".invalid";
    return name == "invalid" ||
           (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0);
}

std::vector<Socket_Address> Look_Up_Host(const std::string& host, int port, int timeout_ms, const Abort_Signal& abort,
                                         const std::string& name_servers)
{
    if (abort.Is_Raised())
        throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
    Socket_Address literal;
    if (Literal_Address(host, port, literal))
        return {literal};
    // NOTE: names under the reserved top-level domain "invalid" never resolve; they are refused here,
    // without asking any name server (the maker's host defaults to one).
    if (Is_Reserved_Invalid_Name(host))
        Throw_Lookup_Error(EAI_NONAME, ::gai_strerror(EAI_NONAME));

    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    Lookup_Result result;  // outlives the channel, which writes to it
    Channel channel(timeout_ms, name_servers);
    ares_addrinfo_hints hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = ARES_AI_NUMERICSERV;
    const std::string service = std::to_string(port);
    ares_getaddrinfo(channel.Native(), host.c_str(), service.c_str(), &hints, On_Lookup, &result);
    Run_Lookup(channel, result, deadline, abort);
    if (result.Status == ARES_SUCCESS && !result.Addresses.empty())
        return result.Addresses;
    if (result.Status == ARES_ETIMEOUT || result.Status == ARES_ECONNREFUSED || result.Status == ARES_ESERVFAIL)
        Throw_Lookup_Error(EAI_AGAIN, ares_strerror(result.Status));
    Throw_Lookup_Error(EAI_NONAME, ::gai_strerror(EAI_NONAME));
}
