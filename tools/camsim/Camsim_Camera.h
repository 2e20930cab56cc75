#pragma once
#include <QByteArray>
#include <QPoint>

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "camsim/Camsim_Auth.h"
#include "camsim/Camsim_Fault.h"
#include "camsim/Camsim_Reply.h"
#include "camsim/Camsim_Request.h"
#include "camsim/Camsim_Scene.h"
#include "camsim/Camsim_Stream.h"

class Jpeg_Encoder;

struct Camsim_Camera_Config {
    int Number = 1;
    int Width = 640;
    int Height = 480;
    double Fps = 5;  // scene changes per second; a new JPEG at most this often
    std::string Login = "admin";
    std::string Password;
    int Slow_Ms = 2000;  // delay of the Slow fault
    int Jpeg_Quality = 80;
    QByteArray Picture;    // when set, every snapshot is this JPEG instead of the scene
    Camsim_Auth Auth;      // no offers: the query's user= and pwd= are the credentials
    Camsim_Stream Stream;  // how /videostream.cgi frames its parts
};

// What tests read back from one camera.
struct Camsim_Counters {
    int Connections = 0;                          // accepted
    std::map<std::string, int> Requests_By_Path;  // "/snapshot.cgi" -> count
    std::string Last_Request_Head;                // raw bytes, empty line included
    std::vector<std::string> Request_Log;         // the latest heads, oldest first (at most Max_Log)
    int Frames_Rendered = 0;
    // With Camsim_Auth offers:
    int Challenges = 0;  // 401 replies carrying the camera's challenges
    int Authorized = 0;  // requests let through on their Authorization header
    int Refused = 0;     // requests whose Authorization header was not good (stale ones apart)
    int Stale = 0;       // correct Digest answers refused because their nonce was used up
    // /videostream.cgi:
    int Streams_Opened = 0;
    int Streams_Open = 0;  // streams being sent right now
    int Stream_Parts = 0;  // parts sent, every stream together
    static constexpr std::size_t Max_Log = 1000;
};

// One simulated camera: its view over the scene, presets, mirror state, fault mode, counters and
// its latest JPEG. Safe to use from several connection threads at once (one lock).
class Camsim_Camera {
public:
    explicit Camsim_Camera(Camsim_Camera_Config config);
    ~Camsim_Camera();

    struct Result {
        Camsim_Reply_Plan Plan;
        bool Reboot = false;  // the camera asked to go offline once the reply is sent
    };
    // Answers one request the way the camera's CGI does.
    Result Handle(const Camsim_Request& request);

    void Count_Connection();
    // A stream began sending (its head is out), sent one more part, ended.
    void Count_Stream_Opened();
    void Count_Stream_Part();
    void Count_Stream_Closed();
    void Set_Fault(Camsim_Fault fault);
    Camsim_Fault Fault() const;
    Camsim_Counters Counters() const;
    int Flip() const;
    QPoint View() const;
    const Camsim_Camera_Config& Config() const { return config_; }

    // The current frame's JPEG: rendered and encoded again only when the scene's frame number or
    // the camera's view or mirror state changed since the last one.
    QByteArray Snapshot();

private:
    Camsim_Answer Answer(const Camsim_Request& request, bool& reboot, bool& stream);
    QByteArray Snapshot_Locked();
    void Jog(int command);

    const Camsim_Camera_Config config_;
    const std::chrono::steady_clock::time_point started_;
    Camsim_Scene scene_;
    std::unique_ptr<Jpeg_Encoder> encoder_;
    mutable std::mutex mutex_;
    Camsim_Fault fault_ = Camsim_Fault::Keep_Alive;
    QPoint view_;
    int flip_ = 0;
    std::array<std::optional<QPoint>, 10> presets_;
    std::uint64_t state_version_ = 0;  // bumped by every view or mirror change
    Camsim_Counters counters_;
    std::optional<Camsim_Auth_Gate> gate_;  // when Auth has offers
    QByteArray jpeg_;
    std::int64_t jpeg_frame_ = -1;
    std::uint64_t jpeg_version_ = 0;
};
