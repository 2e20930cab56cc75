#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One step a scripted connection takes.
struct Script_Step {
    enum class Kind {
        Read_Request,  // read up to the end of one request head (empty line)
        Send,          // write Bytes exactly
        Pause,         // wait Ms milliseconds
        Close,         // close gracefully
        Reset,         // close with a reset (SO_LINGER 0)
        Hang,          // answer nothing until the client closes or the server stops
    };
    Kind What;
    std::string Bytes;
    int Ms = 0;
};

namespace Step {
inline Script_Step Read()
{
    return {Script_Step::Kind::Read_Request, {}, 0};
}
inline Script_Step Send(std::string bytes)
{
    return {Script_Step::Kind::Send, std::move(bytes), 0};
}
inline Script_Step Pause(int ms)
{
    return {Script_Step::Kind::Pause, {}, ms};
}
inline Script_Step Close()
{
    return {Script_Step::Kind::Close, {}, 0};
}
inline Script_Step Reset()
{
    return {Script_Step::Kind::Reset, {}, 0};
}
inline Script_Step Hang()
{
    return {Script_Step::Kind::Hang, {}, 0};
}
}  // namespace Step

using Connection_Script = std::vector<Script_Step>;

// A server on 127.0.0.1 (or ::1) at a port the system chooses, that plays one script per accepted
// connection, in the order of acceptance, and records every byte it receives. A connection whose
// script ends without Close or Reset stays open (reading and recording) until the client closes
// it; connections beyond the scripts are closed at once. Every wait is bounded (Stop, the client's
// close, or a 20 s safety limit), so a faulty client cannot hang a test run.
class Scripted_Server {
public:
    explicit Scripted_Server(std::vector<Connection_Script> scripts, bool ipv6 = false);
    ~Scripted_Server();
    Scripted_Server(const Scripted_Server&) = delete;
    Scripted_Server& operator=(const Scripted_Server&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" (or "http://[::1]:<port>").
    std::string Base_Url() const;
    int Connections_Accepted() const { return accepted_.load(); }
    // Every request head read by Read_Request steps, in the order read, empty line included.
    std::vector<std::string> Requests() const;
    // Every byte received on connection index (0 = first accepted), so far.
    std::string Received(std::size_t index) const;
    // Waits (at most timeout_ms) until every connection thread has finished its script.
    bool Wait_Idle(int timeout_ms) const;
    // Closes everything and joins; the destructor calls it.
    void Stop();

private:
    struct Connection;
    void Accept_Loop();
    void Serve(Connection& connection, const Connection_Script& script);

    std::vector<Connection_Script> scripts_;
    bool ipv6_;
    int listen_fd_ = -1;
    int stop_fd_ = -1;
    int port_ = 0;
    std::atomic<int> accepted_{0};
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<Connection>> connections_;
    std::vector<std::string> requests_;
    std::thread acceptor_;
    std::atomic<bool> stopped_{false};
};
