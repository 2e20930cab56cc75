#include "camsim/Camsim_Camera.h"

#include <QTime>

#include <algorithm>
#include <cmath>

#include "imaging/Jpeg_Codec.h"

Camsim_Camera::Camsim_Camera(Camsim_Camera_Config config)
    : config_(std::move(config)),
      started_(std::chrono::steady_clock::now()),
      scene_(config_.Number, config_.Width, config_.Height),
      encoder_(std::make_unique<Jpeg_Encoder>()),
      view_(scene_.Max_View_X() / 2, scene_.Max_View_Y() / 2)
{
    if (config_.Auth.Enabled())
        gate_.emplace(config_.Auth, config_.Login, config_.Password);
}

Camsim_Camera::~Camsim_Camera() = default;

void Camsim_Camera::Count_Connection()
{
    std::lock_guard lock(mutex_);
    ++counters_.Connections;
}

void Camsim_Camera::Count_Stream_Opened()
{
    std::lock_guard lock(mutex_);
    ++counters_.Streams_Opened;
    ++counters_.Streams_Open;
}

void Camsim_Camera::Count_Stream_Part()
{
    std::lock_guard lock(mutex_);
    ++counters_.Stream_Parts;
}

void Camsim_Camera::Count_Stream_Closed()
{
    std::lock_guard lock(mutex_);
    --counters_.Streams_Open;
}

void Camsim_Camera::Set_Fault(Camsim_Fault fault)
{
    std::lock_guard lock(mutex_);
    fault_ = fault;
}

Camsim_Fault Camsim_Camera::Fault() const
{
    std::lock_guard lock(mutex_);
    return fault_;
}

Camsim_Counters Camsim_Camera::Counters() const
{
    std::lock_guard lock(mutex_);
    return counters_;
}

int Camsim_Camera::Flip() const
{
    std::lock_guard lock(mutex_);
    return flip_;
}

QPoint Camsim_Camera::View() const
{
    std::lock_guard lock(mutex_);
    return view_;
}

QByteArray Camsim_Camera::Snapshot()
{
    std::lock_guard lock(mutex_);
    return Snapshot_Locked();
}

QByteArray Camsim_Camera::Snapshot_Locked()
{
    if (!config_.Picture.isEmpty())
        return config_.Picture;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    auto frame = static_cast<std::int64_t>(std::floor(seconds * std::max(config_.Fps, 0.01)));
    if (jpeg_.isEmpty() || frame != jpeg_frame_ || state_version_ != jpeg_version_) {
        double scene_time = static_cast<double>(frame) / std::max(config_.Fps, 0.01);
        QString clock;
        {
            // Local time reads the time zone state, which the C library does not guard against
            // several cameras rendering at once.
            static std::mutex clock_mutex;
            std::lock_guard clock_lock(clock_mutex);
            clock = QTime::currentTime().toString("HH:mm:ss");
        }
        QImage picture = scene_.Render(view_.x(), view_.y(), scene_time, flip_, clock);
        jpeg_ = encoder_->Encode(picture, config_.Jpeg_Quality);
        jpeg_frame_ = frame;
        jpeg_version_ = state_version_;
        ++counters_.Frames_Rendered;
    }
    return jpeg_;
}

void Camsim_Camera::Jog(int command)
{
    int step_x = config_.Width / 16;
    int step_y = config_.Height / 16;
    QPoint v = view_;
    if (command == 0)
        v.ry() -= step_y;
    else if (command == 2)
        v.ry() += step_y;
    else if (command == 4)
        v.rx() -= step_x;
    else if (command == 6)
        v.rx() += step_x;
    v.setX(std::clamp(v.x(), 0, scene_.Max_View_X()));
    v.setY(std::clamp(v.y(), 0, scene_.Max_View_Y()));
    view_ = v;
}

Camsim_Answer Camsim_Camera::Answer(const Camsim_Request& request, bool& reboot, bool& stream)
{
    static const std::vector<std::string> cgi = {
        "/snapshot.cgi",       "/decoder_control.cgi", "/get_camera_params.cgi",
        "/camera_control.cgi", "/reboot.cgi",          "/videostream.cgi"};
    if (std::find(cgi.begin(), cgi.end(), request.Path) == cgi.end())
        return {404, "Not Found", "text/html", "<html><body><h1>404 Not Found</h1></body></html>\r\n"};
    const std::string refused_page = "<html><body><h1>401 Unauthorized</h1></body></html>\r\n";
    if (gate_) {
        Camsim_Auth_Verdict verdict = gate_->Check(request);
        counters_.Refused += verdict.Refused ? 1 : 0;
        counters_.Stale += verdict.Stale ? 1 : 0;
        if (!verdict.Pass) {
            ++counters_.Challenges;
            return {401, "Unauthorized", "text/html", refused_page, verdict.Challenge_Headers};
        }
        ++counters_.Authorized;
    } else if (request.Param("user") != config_.Login || request.Param("pwd") != config_.Password) {
        return {401, "Unauthorized", "text/html", refused_page};
    }

    if (request.Path == "/videostream.cgi") {
        stream = true;
        return {200, "OK", "multipart/x-mixed-replace", ""};
    }

    if (request.Path == "/snapshot.cgi")
        return {200, "OK", "image/jpeg", Snapshot_Locked().toStdString()};
    if (request.Path == "/decoder_control.cgi") {
        int command = std::atoi(request.Param("command").c_str());
        if (command == 0 || command == 2 || command == 4 || command == 6) {
            Jog(command);
        } else if (command >= 30 && command <= 49) {
            if (command % 2 == 0)
                presets_[static_cast<std::size_t>((command - 28) / 2 - 1)] = view_;
            else if (auto& preset = presets_[static_cast<std::size_t>((command - 29) / 2 - 1)])
                view_ = *preset;
        }
        ++state_version_;
        return {200, "OK", "text/plain", "ok.\r\n"};
    }
    if (request.Path == "/get_camera_params.cgi") {
        std::string text = "resolution=32\r\nbrightness=96\r\ncontrast=4\r\nmode=1\r\nflip=" + std::to_string(flip_) +
                           "\r\nfps=0\r\nalias=CAMSIM" + std::to_string(config_.Number) + "\r\n";
        return {200, "OK", "text/plain", text};
    }
    if (request.Path == "/camera_control.cgi") {
        if (request.Param("param") == "5") {
            flip_ = std::atoi(request.Param("value").c_str()) & 3;
            ++state_version_;
        }
        return {200, "OK", "text/plain", "ok.\r\n"};
    }
    reboot = true;  // "/reboot.cgi"
    return {200, "OK", "text/plain", "ok.\r\n"};
}

Camsim_Camera::Result Camsim_Camera::Handle(const Camsim_Request& request)
{
    std::lock_guard lock(mutex_);
    ++counters_.Requests_By_Path[request.Path];
    counters_.Last_Request_Head = request.Head;
    counters_.Request_Log.push_back(request.Head);
    if (counters_.Request_Log.size() > Camsim_Counters::Max_Log)
        counters_.Request_Log.erase(counters_.Request_Log.begin());

    Result result;
    bool stream = false;
    Camsim_Answer answer = Answer(request, result.Reboot, stream);
    result.Plan = stream ? Camsim_Plan_Stream(config_.Stream, fault_, config_.Slow_Ms)
                         : Camsim_Plan_Reply(answer, fault_, config_.Slow_Ms);
    return result;
}
