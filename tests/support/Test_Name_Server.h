#pragma once
#include <atomic>
#include <string>
#include <thread>

// A name server on 127.0.0.1 (UDP, a port the system chooses) for lookup tests. Answering, it gives
// 127.0.0.1 to every A question and no address to any other; silent, it reads and drops every question,
// like a router that is rebooting. Counts the questions it received.
class Test_Name_Server {
public:
    enum class Mode { Answering, Silent };
    explicit Test_Name_Server(Mode mode);
    ~Test_Name_Server();
    Test_Name_Server(const Test_Name_Server&) = delete;
    Test_Name_Server& operator=(const Test_Name_Server&) = delete;

    // "127.0.0.1:<port>", as name server lists take it.
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    int Questions() const { return questions_.load(); }

private:
    void Serve();

    Mode mode_;
    int fd_ = -1;
    int stop_fd_ = -1;
    int port_ = 0;
    std::atomic<int> questions_{0};
    std::thread thread_;
};
