#pragma once
#include <atomic>
#include <chrono>
#include <fstream>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "camsim/Camsim_Camera.h"
#include "camsim/Camsim_Link.h"
#include "camsim/Camsim_Options.h"
#include "camsim/Camsim_Tls.h"

// Serves Count simulated cameras on 127.0.0.1, one listening port each, over http or https.
// Threads: one acceptor polls every listening socket (and wakes for Stop and for cameras coming
// back from a reboot); each accepted connection gets a thread that does the TLS handshake (https
// cameras), then serves its requests one after another, or sends an MJPEG stream until the client
// leaves. Every wait is a poll() that Stop also wakes, so Stop returns promptly even while
// connections hang or stream; nothing spins.
class Camsim_Server {
public:
    // Makes the https cameras' identities (a self-signed one where the options give none); throws
    // std::runtime_error when OpenSSL fails.
    explicit Camsim_Server(Camsim_Options options);
    ~Camsim_Server();
    Camsim_Server(const Camsim_Server&) = delete;
    Camsim_Server& operator=(const Camsim_Server&) = delete;

    // Binds every camera's port and starts serving; throws std::runtime_error when a port
    // cannot be bound.
    void Start();
    // Closes every socket and joins every thread.
    void Stop();

    int Count() const { return static_cast<int>(slots_.size()); }
    // Port of camera 1..Count.
    int Port(int camera) const;
    // "http://127.0.0.1:<port>", or "https://127.0.0.1:<port>" for an https camera.
    std::string Base_Url(int camera) const;
    // The snapshot request with the configured credentials.
    std::string Snapshot_Url(int camera) const;
    // The MJPEG stream request with the configured credentials.
    std::string Stream_Url(int camera) const;
    bool Is_Https(int camera) const;
    // The certificate and key an https camera presents (empty for an http camera).
    Camsim_Tls_Identity Identity(int camera) const;
    // SHA-256 of the https camera's DER certificate, 64 lower-case hex digits ("" for an http camera).
    std::string Fingerprint(int camera) const;
    // Gives an https camera another identity for the connections accepted from now on; throws
    // std::logic_error for an http camera, std::runtime_error when OpenSSL refuses the identity.
    void Set_Identity(int camera, const Camsim_Tls_Identity& identity);
    Camsim_Camera& Camera(int camera);
    // True while the camera is rebooting (its port refuses connections).
    bool Is_Offline(int camera) const;
    const Camsim_Options& Options() const { return options_; }

private:
    struct Slot {
        std::unique_ptr<Camsim_Camera> camera;
        int port = 0;
        int listen_fd = -1;
        bool offline = false;
        std::chrono::steady_clock::time_point back_at;
        std::optional<Camsim_Tls> tls;         // https cameras only; Identity set from construction on
        std::shared_ptr<SSL_CTX> tls_context;  // replaced under mutex_ by Set_Identity
    };
    struct Connection {
        int fd = -1;  // closed and set to -1 by its own thread, under mutex_
        std::size_t slot = 0;
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void Listen(Slot& slot);
    void Accept_Loop();
    void Serve(Connection& connection);
    void Serve_Requests(Connection& connection, Camsim_Link& link);
    void Send_Stream(Camsim_Camera& camera, Camsim_Link& link);
    void Go_Offline(std::size_t slot, const Connection& self);
    void Log_Request(std::size_t slot, const std::string& head);
    void Wake();
    Slot& Slot_Of(int camera);
    const Slot& Slot_Of(int camera) const;

    Camsim_Options options_;
    std::vector<Slot> slots_;
    mutable std::mutex mutex_;  // slots_' sockets and state, connections_
    std::list<std::unique_ptr<Connection>> connections_;
    int stop_fd_ = -1;  // readable once Stop was called
    int wake_fd_ = -1;  // wakes the acceptor to look at the slots again
    std::thread acceptor_;
    bool started_ = false;
    bool stopped_ = false;
    std::mutex log_mutex_;
    std::ofstream log_;
};
