#include "camsim/Camsim_Options.h"

#include <QFile>

#include <charconv>

namespace {

bool To_Int(const std::string& text, int& value, int low, int high)
{
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high)
        return false;
    value = v;
    return true;
}

bool To_Double(const std::string& text, double& value, double low, double high)
{
    try {
        std::size_t used = 0;
        double v = std::stod(text, &used);
        if (used != text.size() || !(v >= low && v <= high))
            return false;
        value = v;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// "CAM:REST" or "all:REST" (with_rest), or "CAM" / "all" (without): the camera part is checked
// against the count once every option is read.
bool Split_Camera(const std::string& value, bool with_rest, std::string& camera, std::string& rest)
{
    std::size_t colon = value.find(':');
    if (with_rest != (colon != std::string::npos))
        return false;
    camera = value.substr(0, colon);
    rest = with_rest ? value.substr(colon + 1) : std::string();
    int number = 0;
    return camera == "all" || To_Int(camera, number, 1, 64);
}

// The cameras "all" or a number stands for; empty when beyond count.
std::vector<int> Cameras(const std::string& camera, int count)
{
    std::vector<int> cameras;
    if (camera == "all") {
        for (int i = 1; i <= count; ++i)
            cameras.push_back(i);
    } else if (int number = std::stoi(camera); number <= count) {
        cameras.push_back(number);
    }
    return cameras;
}

}  // namespace

std::string Camsim_Usage()
{
    std::string faults;
    for (auto fault : Camsim_All_Faults())
        faults += (faults.empty() ? "" : ", ") + Camsim_Fault_Name(fault);
    return "Usage: tambrel-camsim [options]\n"
           "Serves simulated network cameras on 127.0.0.1, one per port.\n"
           "  --count N          number of cameras (1..64, default 1)\n"
           "  --base-port P      port of camera 1, the others follow (default 0: chosen by the system)\n"
           "  --size WxH         picture size (default 640x480)\n"
           "  --fps F            scene changes per second (default 5)\n"
           "  --login L          user name expected in the query, or with --auth in the header (default admin)\n"
           "  --password P       password expected the same way (default empty)\n"
           "  --log FILE         append every raw request head to FILE\n"
           "  --fault CAM:MODE   make camera CAM misbehave (repeatable); modes: " +
           faults +
           "\n"
           "  --picture CAM:FILE camera CAM answers every snapshot with the JPEG picture in FILE\n"
           "  --reboot-ms MS     time a camera stays offline after /reboot.cgi (default 5000)\n"
           "  --slow-ms MS       delay of the slow mode (default 2000)\n"
           "  --idle-ms MS       close a kept connection idle this long, and drop a TLS handshake not done\n"
           "                     by then (default 60000)\n"
           "CAM below is a camera number or all; a later option for a camera replaces an earlier one.\n"
           "  --auth CAM:SPEC    ask for credentials in the Authorization header instead of user= and pwd=\n"
           "                     (repeatable). SPEC is one of:\n"
           "                       none    the query's user= and pwd= (the default)\n"
           "                       basic   Basic, realm \"camsim\"\n"
           "                       digest[:OPTION]...  Digest, realm \"camsim\", MD5, qop=\"auth\"; OPTIONs,\n"
           "                       each at most once:\n"
           "                         md5 | md5-sess | sha256 | sha256-sess   the algorithm\n"
           "                         offer=A+B+...  several challenges in this order, each md5, md5-sess,\n"
           "                                        sha256, sha256-sess or basic (instead of one algorithm)\n"
           "                         oneline        all challenges in one WWW-Authenticate line\n"
           "                         noqop          the RFC 2069 form: no qop, no nc, no cnonce\n"
           "                         qop=LIST       the qop values offered: auth, auth-int or auth,auth-int\n"
           "                         stale=N        a nonce is good for N requests; the next answer with it\n"
           "                                        gets 401 with stale=true and a fresh nonce\n"
           "                         always         challenge every request, even a correct answer\n"
           "                     e.g. --auth 2:digest:sha256:stale=10  --auth 3:digest:offer=sha256+md5+basic:oneline\n"
           "  --tls CAM          camera CAM speaks https (TLS 1.2 and 1.3) with a self-signed certificate made\n"
           "                     at start (localhost and 127.0.0.1, valid from a day ago for a year); its line\n"
           "                     below ends with the certificate's SHA-256 fingerprint (repeatable)\n"
           "  --tls-max CAM:V    newest TLS version camera CAM offers: 1.0, 1.1, 1.2 or 1.3; 1.0 or 1.1 offer\n"
           "                     nothing newer and nothing older than 1.0 (implies --tls CAM; repeatable)\n"
           "  --stream CAM:SPEC  how camera CAM frames the MJPEG stream every camera sends at /videostream.cgi\n"
           "                     (multipart/x-mixed-replace, boundary camsimframe, parts with Content-Type and\n"
           "                     Content-Length, the same credentials as the other paths; repeatable). SPEC\n"
           "                     is default, or\n"
           "                     OPTIONs separated by ':', each at most once:\n"
           "                       fps=F        parts per second (0.1..100; default the --fps rate), the\n"
           "                                    same picture again when the scene did not change\n"
           "                       nolength     parts without Content-Length\n"
           "                       lf           lone LF line ends in the multipart framing\n"
           "                       drop=N       close the connection after N parts\n"
           "                       nodash       the head declares boundary=--camsimframe and the parts start\n"
           "                                    with that line as is (no further \"--\")\n"
           "                       header-case  part headers as content-TYPE and content-LENGTH\n"
           "                       quoted       boundary=\"camsimframe\" in the Content-Type\n"
           "                     e.g. --stream 1:fps=10:nolength:drop=50\n"
           "                     /videostream.cgi keeps the faults that replace the answer (redirect,\n"
           "                     unauthorized, not-found, html, hang) and slow; the others leave it alone.\n"
           "Every camera line printed at start: camera N: port P  URL[  sha256 FINGERPRINT][  auth SPEC]\n";
}

std::optional<Camsim_Options> Parse_Camsim_Args(const std::vector<std::string>& args, std::string& error)
{
    Camsim_Options options;
    std::vector<std::pair<int, std::string>> faults;
    // Camera part ("3" or "all") and the rest, kept until the count is known.
    struct Per_Camera {
        std::string Option;
        std::string Camera;
        std::string Rest;
    };
    std::vector<Per_Camera> per_camera;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            error.clear();
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = "missing value after " + name;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        bool good = true;
        if (name == "--count") {
            good = To_Int(value, options.Count, 1, 64);
        } else if (name == "--base-port") {
            good = To_Int(value, options.Base_Port, 0, 65535);
        } else if (name == "--size") {
            std::size_t x = value.find('x');
            good = x != std::string::npos && To_Int(value.substr(0, x), options.Width, 16, 4096) &&
                   To_Int(value.substr(x + 1), options.Height, 16, 4096);
        } else if (name == "--fps") {
            good = To_Double(value, options.Fps, 0.1, 60);
        } else if (name == "--login") {
            options.Login = value;
        } else if (name == "--password") {
            options.Password = value;
        } else if (name == "--log") {
            options.Log_File = value;
        } else if (name == "--reboot-ms") {
            good = To_Int(value, options.Reboot_Ms, 0, 600000);
        } else if (name == "--slow-ms") {
            good = To_Int(value, options.Slow_Ms, 0, 600000);
        } else if (name == "--idle-ms") {
            good = To_Int(value, options.Idle_Timeout_Ms, 1, 3600000);
        } else if (name == "--auth" || name == "--tls" || name == "--tls-max" || name == "--stream") {
            Per_Camera entry{name, {}, {}};
            good = Split_Camera(value, name != "--tls", entry.Camera, entry.Rest);
            if (good)
                per_camera.push_back(entry);
        } else if (name == "--picture") {
            std::size_t colon = value.find(':');
            int camera = 0;
            good = colon != std::string::npos && To_Int(value.substr(0, colon), camera, 1, 64);
            if (good) {
                QFile file(QString::fromStdString(value.substr(colon + 1)));
                good = file.open(QIODevice::ReadOnly);
                if (good)
                    options.Pictures.emplace_back(camera, file.readAll());
            }
        } else if (name == "--fault") {
            std::size_t colon = value.find(':');
            int camera = 0;
            good = colon != std::string::npos && To_Int(value.substr(0, colon), camera, 1, 64);
            if (good)
                faults.emplace_back(camera, value.substr(colon + 1));
        } else {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (!good) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    if (options.Base_Port != 0 && options.Base_Port + options.Count - 1 > 65535) {
        error = "ports beyond 65535";
        return std::nullopt;
    }
    for (const auto& [camera, mode] : faults) {
        auto fault = Camsim_Fault_From_Name(mode);
        if (!fault || camera > options.Count) {
            error = "bad fault " + std::to_string(camera) + ":" + mode;
            return std::nullopt;
        }
        options.Faults.emplace_back(camera, *fault);
    }
    std::vector<std::optional<Camsim_Tls>> tls(static_cast<std::size_t>(options.Count) + 1);
    for (const Per_Camera& entry : per_camera) {
        std::vector<int> cameras = Cameras(entry.Camera, options.Count);
        std::optional<Camsim_Auth> auth;
        std::optional<Camsim_Stream> stream;
        std::optional<Camsim_Tls_Version> version;
        if (entry.Option == "--auth")
            auth = Parse_Camsim_Auth(entry.Rest);
        else if (entry.Option == "--stream")
            stream = Parse_Camsim_Stream(entry.Rest);
        else if (entry.Option == "--tls-max")
            version = Camsim_Tls_Version_From_Name(entry.Rest);
        bool good = !cameras.empty() && (entry.Option == "--tls" || auth || stream || version);
        if (!good) {
            error =
                "bad value for " + entry.Option + ": " + entry.Camera + (entry.Rest.empty() ? "" : ":" + entry.Rest);
            return std::nullopt;
        }
        for (int camera : cameras) {
            if (auth)
                options.Auth.emplace_back(camera, *auth);
            if (stream)
                options.Streams.emplace_back(camera, *stream);
            auto& camera_tls = tls[static_cast<std::size_t>(camera)];
            if (entry.Option == "--tls" && !camera_tls)
                camera_tls.emplace();
            if (version) {
                camera_tls.emplace();
                camera_tls->Max = *version;
            }
        }
    }
    for (int camera = 1; camera <= options.Count; ++camera)
        if (const auto& camera_tls = tls[static_cast<std::size_t>(camera)])
            options.Tls.emplace_back(camera, *camera_tls);
    return options;
}
