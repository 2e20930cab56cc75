#include "Camsim_Options.h"

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
           "  --login L          user name expected in the query (default admin)\n"
           "  --password P       password expected in the query (default empty)\n"
           "  --log FILE         append every raw request head to FILE\n"
           "  --fault CAM:MODE   make camera CAM misbehave (repeatable); modes: " + faults + "\n"
           "  --reboot-ms MS     time a camera stays offline after /reboot.cgi (default 5000)\n"
           "  --slow-ms MS       delay of the slow mode (default 2000)\n";
}

std::optional<Camsim_Options> Parse_Camsim_Args(const std::vector<std::string>& args, std::string& error)
{
    Camsim_Options options;
    std::vector<std::pair<int, std::string>> faults;
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
    return options;
}
