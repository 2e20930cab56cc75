#include "camsim/Camsim_Server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t Max_Request_Head = 64 * 1024;

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
        for (const auto& [camera, auth] : options_.Auth)
            if (camera == config.Number)
                config.Auth = auth;
        for (const auto& [camera, stream] : options_.Streams)
            if (camera == config.Number)
                config.Stream = stream;
        for (const auto& [camera, picture] : options_.Pictures)
            if (camera == config.Number)
                config.Picture = picture;
        Slot& slot = slots_[static_cast<std::size_t>(i)];
        slot.camera = std::make_unique<Camsim_Camera>(config);
        slot.port = options_.Base_Port == 0 ? 0 : options_.Base_Port + i;
    }
    for (const auto& [camera, fault] : options_.Faults)
        Slot_Of(camera).camera->Set_Fault(fault);
    for (const auto& [camera, tls] : options_.Tls)
        Slot_Of(camera).tls = tls;
    for (Slot& slot : slots_)
        if (slot.tls) {
            if (slot.tls->Identity.Empty())
                slot.tls->Identity = Camsim_Self_Signed();
            slot.tls_context = Camsim_Tls_Context(slot.tls->Identity, slot.tls->Max);
        }
}

Camsim_Server::~Camsim_Server()
{
    Stop();
}

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

int Camsim_Server::Port(int camera) const
{
    return Slot_Of(camera).port;
}

std::string Camsim_Server::Base_Url(int camera) const
{
    return (Is_Https(camera) ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(Port(camera));
}

std::string Camsim_Server::Snapshot_Url(int camera) const
{
    return Base_Url(camera) + "/snapshot.cgi?user=" + options_.Login + "&pwd=" + options_.Password;
}

std::string Camsim_Server::Stream_Url(int camera) const
{
    return Base_Url(camera) + "/videostream.cgi?user=" + options_.Login + "&pwd=" + options_.Password;
}

bool Camsim_Server::Is_Https(int camera) const
{
    return Slot_Of(camera).tls.has_value();
}

Camsim_Tls_Identity Camsim_Server::Identity(int camera) const
{
    const Slot& slot = Slot_Of(camera);
    std::lock_guard lock(mutex_);
    return slot.tls ? slot.tls->Identity : Camsim_Tls_Identity();
}

std::string Camsim_Server::Fingerprint(int camera) const
{
    Camsim_Tls_Identity identity = Identity(camera);
    return identity.Empty() ? std::string() : identity.Fingerprint();
}

void Camsim_Server::Set_Identity(int camera, const Camsim_Tls_Identity& identity)
{
    Slot& slot = Slot_Of(camera);
    if (!slot.tls)
        throw std::logic_error("camera " + std::to_string(camera) + " does not speak https");
    std::shared_ptr<SSL_CTX> context = Camsim_Tls_Context(identity, slot.tls->Max);
    std::lock_guard lock(mutex_);
    slot.tls->Identity = identity;
    slot.tls_context = std::move(context);
}

Camsim_Camera& Camsim_Server::Camera(int camera)
{
    return *Slot_Of(camera).camera;
}

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
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never reachable from another machine
    address.sin_port = htons(static_cast<std::uint16_t>(slot.port));
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 64) != 0) {
        int error = errno;
        close(fd);
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(slot.port) + ": " +
                                 std::strerror(error));
    }
    if (slot.port == 0) {  // first bind only (before any thread reads it): a reboot keeps the port
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

void Camsim_Server::Wake()
{
    Signal(wake_fd_);
}

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
                    close(slot.listen_fd);  // shut down by Go_Offline; only this thread closes it
                    slot.listen_fd = -1;
                }
                if (slot.offline && now >= slot.back_at) {
                    try {
                        Listen(slot);
                        slot.offline = false;
                    } catch (const std::exception&) {
                        slot.back_at = now + std::chrono::milliseconds(200);  // port briefly taken: retry
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
    // NOTE: OpenSSL writes to the socket with write(), which raises SIGPIPE when the client has gone;
    // blocked here, that signal stays pending on this thread and is dropped when it ends, and the write
    // fails with EPIPE instead of killing the process.
    sigset_t pipe_signal;
    sigemptyset(&pipe_signal);
    sigaddset(&pipe_signal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
    {
        std::shared_ptr<SSL_CTX> tls_context;
        {
            std::lock_guard lock(mutex_);
            tls_context = slots_[c.slot].tls_context;
        }
        std::unique_ptr<Camsim_Link> link =
            tls_context ? Camsim_Tls_Link(c.fd, stop_fd_, tls_context) : Camsim_Plain_Link(c.fd, stop_fd_);
        if (link->Open(options_.Idle_Timeout_Ms))
            Serve_Requests(c, *link);
    }
    std::lock_guard lock(mutex_);
    close(c.fd);
    c.fd = -1;
    c.done = true;
}

void Camsim_Server::Serve_Requests(Connection& c, Camsim_Link& link)
{
    Camsim_Camera& camera = *slots_[c.slot].camera;
    std::string unread;
    for (;;) {
        // One request head.
        std::size_t end;
        while ((end = unread.find("\r\n\r\n")) == std::string::npos) {
            if (unread.size() > Max_Request_Head ||
                link.Read(unread, options_.Idle_Timeout_Ms) != Camsim_Link::Read_Result::Data)
                return;
        }
        std::string head = unread.substr(0, end + 4);
        unread.erase(0, end + 4);
        auto request = Parse_Camsim_Request(head);
        if (!request)
            return;
        Log_Request(c.slot, head);
        Camsim_Camera::Result result = camera.Handle(*request);
        const Camsim_Reply_Plan& plan = result.Plan;
        if (result.Reboot)
            Go_Offline(c.slot, c);

        if (plan.Hang) {
            // Answer nothing; keep reading (and dropping) until the client gives up or Stop.
            std::string dropped;
            while (link.Read(dropped, -1) == Camsim_Link::Read_Result::Data)
                dropped.clear();
            return;
        }
        if (plan.Delay_Ms > 0 && Camsim_Wait_For(-1, 0, stop_fd_, plan.Delay_Ms) == Camsim_Wait::Stopped)
            return;
        if (plan.Reset_After > 0) {
            link.Send(std::string_view(plan.Bytes).substr(0, plan.Reset_After));
            Camsim_Wait_For(-1, 0, stop_fd_, 50);  // let the client take the first half before the reset
            link.Reset();
            return;
        }
        if (!link.Send(plan.Bytes))
            return;
        if (plan.Stream) {
            Send_Stream(camera, link);
            return;
        }
        if (plan.Close_After || result.Reboot) {
            link.Finish();
            return;
        }
    }
}

void Camsim_Server::Send_Stream(Camsim_Camera& camera, Camsim_Link& link)
{
    const Camsim_Stream& stream = camera.Config().Stream;
    const double fps = stream.Fps > 0 ? stream.Fps : std::max(camera.Config().Fps, 0.01);
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / fps));
    camera.Count_Stream_Opened();
    auto next = Clock::now();
    int parts = 0;
    std::string dropped;
    for (;;) {
        // Until the next part is due, watch the client: whatever it sends is dropped, its leaving or
        // Stop end the stream.
        auto now = Clock::now();
        if (now < next) {
            int wait_ms = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(next - now + std::chrono::microseconds(999))
                    .count());
            Camsim_Link::Read_Result read = link.Read(dropped, wait_ms);
            dropped.clear();
            if (read == Camsim_Link::Read_Result::Closed || read == Camsim_Link::Read_Result::Stopped)
                break;
            continue;
        }
        const QByteArray jpeg = camera.Snapshot();
        if (!link.Send(
                Camsim_Stream_Part(stream, std::string_view(jpeg.constData(), static_cast<std::size_t>(jpeg.size())))))
            break;
        camera.Count_Stream_Part();
        if (stream.Drop_After > 0 && ++parts >= stream.Drop_After) {
            link.Finish();
            break;
        }
        next = std::max(next + period, now);
    }
    camera.Count_Stream_Closed();
}
