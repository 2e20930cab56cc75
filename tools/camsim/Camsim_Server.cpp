#include "Camsim_Server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t Max_Request_Head = 64 * 1024;
constexpr int Send_Stall_Ms = 10000;

void Signal(int fd)
{
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(fd, &one, sizeof one);
}

void Drain(int fd)
{
    std::uint64_t value;
    [[maybe_unused]] ssize_t n = read(fd, &value, sizeof value);
}

enum class Wait_Result { Ready, Stopped, Timed_Out };

// Waits for events on fd, or for stop_fd, at most timeout_ms (-1: no limit but stop).
Wait_Result Wait_For(int fd, short events, int stop_fd, int timeout_ms)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        int left = -1;
        if (timeout_ms >= 0)
            left = static_cast<int>(std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
        pollfd fds[2] = {{stop_fd, POLLIN, 0}, {fd, events, 0}};
        int ready = poll(fds, fd >= 0 ? 2 : 1, left);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || fds[0].revents)
            return Wait_Result::Stopped;
        if (ready == 0)
            return Wait_Result::Timed_Out;
        return Wait_Result::Ready;
    }
}

// Writes data to a non-blocking socket; false when the client went away, stalled or Stop came.
bool Send_All(int fd, std::string_view data, int stop_fd)
{
    while (!data.empty()) {
        ssize_t sent = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (Wait_For(fd, POLLOUT, stop_fd, Send_Stall_Ms) != Wait_Result::Ready)
                return false;
        } else if (!(sent < 0 && errno == EINTR)) {
            return false;
        }
    }
    return true;
}

}  // namespace

Camsim_Server::Camsim_Server(Camsim_Options options) : options_(std::move(options))
{
    slots_.resize(static_cast<std::size_t>(options_.Count));
    for (int i = 0; i < options_.Count; ++i) {
        Camsim_Camera_Config config;
        config.Number = i + 1;
        config.Width = options_.Width;
        config.Height = options_.Height;
        config.Fps = options_.Fps;
        config.Login = options_.Login;
        config.Password = options_.Password;
        config.Slow_Ms = options_.Slow_Ms;
        slots_[static_cast<std::size_t>(i)].camera = std::make_unique<Camsim_Camera>(config);
        slots_[static_cast<std::size_t>(i)].port = options_.Base_Port == 0 ? 0 : options_.Base_Port + i;
    }
    for (const auto& [camera, fault] : options_.Faults)
        Slot_Of(camera).camera->Set_Fault(fault);
}

Camsim_Server::~Camsim_Server() { Stop(); }

Camsim_Server::Slot& Camsim_Server::Slot_Of(int camera)
{
    if (camera < 1 || camera > Count())
        throw std::out_of_range("no camera " + std::to_string(camera));
    return slots_[static_cast<std::size_t>(camera - 1)];
}

const Camsim_Server::Slot& Camsim_Server::Slot_Of(int camera) const
{
    return const_cast<Camsim_Server*>(this)->Slot_Of(camera);
}

int Camsim_Server::Port(int camera) const { return Slot_Of(camera).port; }

std::string Camsim_Server::Base_Url(int camera) const { return "http://127.0.0.1:" + std::to_string(Port(camera)); }

std::string Camsim_Server::Snapshot_Url(int camera) const
{
    return Base_Url(camera) + "/snapshot.cgi?user=" + options_.Login + "&pwd=" + options_.Password;
}

Camsim_Camera& Camsim_Server::Camera(int camera) { return *Slot_Of(camera).camera; }

bool Camsim_Server::Is_Offline(int camera) const
{
    std::lock_guard lock(mutex_);
    return Slot_Of(camera).offline;
}

void Camsim_Server::Listen(Slot& slot)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);   // never reachable from another machine
    address.sin_port = htons(static_cast<std::uint16_t>(slot.port));
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 64) != 0) {
        int error = errno;
        close(fd);
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(slot.port) + ": " + std::strerror(error));
    }
    if (slot.port == 0) {   // first bind only (before any thread reads it): a reboot keeps the port
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        slot.port = ntohs(address.sin_port);
    }
    slot.listen_fd = fd;
}

void Camsim_Server::Start()
{
    if (started_)
        return;
    stop_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stop_fd_ < 0 || wake_fd_ < 0)
        throw std::runtime_error("eventfd failed");
    if (!options_.Log_File.empty()) {
        log_.open(options_.Log_File, std::ios::binary | std::ios::app);
        if (!log_)
            throw std::runtime_error("cannot open log file " + options_.Log_File);
    }
    try {
        for (auto& slot : slots_)
            Listen(slot);
    } catch (...) {
        for (auto& slot : slots_)
            if (slot.listen_fd >= 0)
                close(slot.listen_fd);
        throw;
    }
    started_ = true;
    acceptor_ = std::thread([this] { Accept_Loop(); });
}

void Camsim_Server::Stop()
{
    if (!started_ || stopped_)
        return;
    stopped_ = true;
    Signal(stop_fd_);
    acceptor_.join();
    // The acceptor adds no connection any more; every connection thread wakes on stop_fd_.
    for (auto& connection : connections_)
        connection->thread.join();
    connections_.clear();
    for (auto& slot : slots_)
        if (slot.listen_fd >= 0) {
            close(slot.listen_fd);
            slot.listen_fd = -1;
        }
    close(stop_fd_);
    close(wake_fd_);
}

void Camsim_Server::Wake() { Signal(wake_fd_); }

void Camsim_Server::Accept_Loop()
{
    std::vector<pollfd> fds;
    std::vector<std::size_t> slot_of_fd;
    for (;;) {
        int timeout = -1;
        fds.assign({{stop_fd_, POLLIN, 0}, {wake_fd_, POLLIN, 0}});
        slot_of_fd.assign(2, 0);
        {
            std::lock_guard lock(mutex_);
            auto now = Clock::now();
            for (std::size_t i = 0; i < slots_.size(); ++i) {
                Slot& slot = slots_[i];
                if (slot.offline && slot.listen_fd >= 0) {
                    close(slot.listen_fd);   // shut down by Go_Offline; only this thread closes it
                    slot.listen_fd = -1;
                }
                if (slot.offline && now >= slot.back_at) {
                    try {
                        Listen(slot);
                        slot.offline = false;
                    } catch (const std::exception&) {
                        slot.back_at = now + std::chrono::milliseconds(200);   // port briefly taken: retry
                    }
                }
                if (slot.offline) {
                    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(slot.back_at - now).count() + 1;
                    timeout = timeout < 0 ? static_cast<int>(left) : std::min(timeout, static_cast<int>(left));
                } else {
                    fds.push_back({slot.listen_fd, POLLIN, 0});
                    slot_of_fd.push_back(i);
                }
            }
            // Join the threads of connections that ended.
            for (auto it = connections_.begin(); it != connections_.end();) {
                if ((*it)->done) {
                    (*it)->thread.join();
                    it = connections_.erase(it);
                } else {
                    ++it;
                }
            }
        }
        int ready = poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[0].revents)
            return;
        if (fds[1].revents)
            Drain(wake_fd_);
        for (std::size_t k = 2; k < fds.size(); ++k) {
            if (!(fds[k].revents & POLLIN))
                continue;
            std::lock_guard lock(mutex_);
            Slot& slot = slots_[slot_of_fd[k]];
            if (slot.offline || slot.listen_fd < 0)
                continue;
            int fd = accept4(slot.listen_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0)
                continue;
            slot.camera->Count_Connection();
            auto connection = std::make_unique<Connection>();
            connection->fd = fd;
            connection->slot = slot_of_fd[k];
            Connection& c = *connection;
            connections_.push_back(std::move(connection));
            c.thread = std::thread([this, &c] { Serve(c); });
        }
    }
}

void Camsim_Server::Go_Offline(std::size_t index, const Connection& self)
{
    std::lock_guard lock(mutex_);
    Slot& slot = slots_[index];
    slot.offline = true;
    slot.back_at = Clock::now() + std::chrono::milliseconds(options_.Reboot_Ms);
    // shutdown() rather than close(): the acceptor may be polling this descriptor right now.
    // A shut-down listening socket refuses new connections at once.
    if (slot.listen_fd >= 0)
        shutdown(slot.listen_fd, SHUT_RDWR);
    for (auto& connection : connections_)
        if (connection->slot == index && connection.get() != &self && connection->fd >= 0)
            shutdown(connection->fd, SHUT_RDWR);
    Wake();
}

void Camsim_Server::Log_Request(std::size_t slot, const std::string& head)
{
    if (!log_.is_open())
        return;
    int port;
    {
        std::lock_guard lock(mutex_);
        port = slots_[slot].port;
    }
    std::lock_guard lock(log_mutex_);
    log_ << "== CAM" << (slot + 1) << " port " << port << "\r\n" << head;
    log_.flush();
}

void Camsim_Server::Serve(Connection& c)
{
    Camsim_Camera& camera = *slots_[c.slot].camera;
    std::string unread;
    bool open = true;
    while (open) {
        // One request head.
        std::size_t end;
        while (open && (end = unread.find("\r\n\r\n")) == std::string::npos) {
            if (unread.size() > Max_Request_Head ||
                Wait_For(c.fd, POLLIN, stop_fd_, options_.Idle_Timeout_Ms) != Wait_Result::Ready) {
                open = false;
                break;
            }
            char buffer[4096];
            ssize_t got = recv(c.fd, buffer, sizeof buffer, 0);
            if (got > 0)
                unread.append(buffer, static_cast<std::size_t>(got));
            else if (got == 0 || (errno != EAGAIN && errno != EINTR))
                open = false;
        }
        if (!open)
            break;
        std::string head = unread.substr(0, end + 4);
        unread.erase(0, end + 4);
        auto request = Parse_Camsim_Request(head);
        if (!request)
            break;
        Log_Request(c.slot, head);
        Camsim_Camera::Result result = camera.Handle(*request);
        const Camsim_Reply_Plan& plan = result.Plan;
        if (result.Reboot)
            Go_Offline(c.slot, c);

        if (plan.Hang) {
            // Answer nothing; keep reading (and dropping) until the client gives up or Stop.
            for (;;) {
                if (Wait_For(c.fd, POLLIN, stop_fd_, -1) != Wait_Result::Ready)
                    break;
                char buffer[4096];
                ssize_t got = recv(c.fd, buffer, sizeof buffer, 0);
                if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
                    break;
            }
            break;
        }
        if (plan.Delay_Ms > 0 && Wait_For(-1, 0, stop_fd_, plan.Delay_Ms) == Wait_Result::Stopped)
            break;
        if (plan.Reset_After > 0) {
            Send_All(c.fd, std::string_view(plan.Bytes).substr(0, plan.Reset_After), stop_fd_);
            Wait_For(-1, 0, stop_fd_, 50);   // let the client take the first half before the reset
            linger hard{1, 0};
            setsockopt(c.fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
            break;
        }
        if (!Send_All(c.fd, plan.Bytes, stop_fd_))
            break;
        if (plan.Close_After || result.Reboot) {
            shutdown(c.fd, SHUT_WR);
            break;
        }
    }
    std::lock_guard lock(mutex_);
    close(c.fd);
    c.fd = -1;
    c.done = true;
}
