#include "camsim/Camsim_Stream.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

// The same bytes either way: with No_Dash the declared boundary itself starts with "--" and the
// line is that boundary with nothing in front.
std::string Boundary_Line()
{
    return "--" + std::string(Camsim_Boundary);
}

std::string Line_End(const Camsim_Stream& stream)
{
    return stream.Lone_Lf ? "\n" : "\r\n";
}

}  // namespace

std::optional<Camsim_Stream> Parse_Camsim_Stream(std::string_view spec)
{
    Camsim_Stream stream;
    if (spec == "default")
        return stream;
    std::vector<std::string_view> seen;
    for (;;) {
        std::size_t colon = spec.find(':');
        std::string_view option = spec.substr(0, colon);
        std::size_t eq = option.find('=');
        std::string_view key = option.substr(0, eq);
        std::string_view value = eq == std::string_view::npos ? std::string_view() : option.substr(eq + 1);
        if (std::find(seen.begin(), seen.end(), key) != seen.end())
            return std::nullopt;
        seen.push_back(key);
        if (key == "fps" && eq != std::string_view::npos) {
            double fps = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), fps);
            if (ec != std::errc() || end != value.data() + value.size() || !(fps >= 0.1 && fps <= 100))
                return std::nullopt;
            stream.Fps = fps;
        } else if (key == "drop" && eq != std::string_view::npos) {
            int n = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
            if (ec != std::errc() || end != value.data() + value.size() || n < 1)
                return std::nullopt;
            stream.Drop_After = n;
        } else if (option == "nolength") {
            stream.No_Length = true;
        } else if (option == "lf") {
            stream.Lone_Lf = true;
        } else if (option == "nodash") {
            stream.No_Dash = true;
        } else if (option == "header-case") {
            stream.Odd_Case = true;
        } else if (option == "quoted") {
            stream.Quoted = true;
        } else {
            return std::nullopt;
        }
        if (colon == std::string_view::npos)
            return stream;
        spec.remove_prefix(colon + 1);
    }
}

std::string Camsim_Stream_Text(const Camsim_Stream& stream)
{
    std::string text;
    auto add = [&](const std::string& option) { text += (text.empty() ? "" : ":") + option; };
    if (stream.Fps > 0) {
        char number[32];
        auto [end, ec] = std::to_chars(number, number + sizeof number, stream.Fps);
        add("fps=" + std::string(number, ec == std::errc() ? end : number));
    }
    if (stream.No_Length)
        add("nolength");
    if (stream.Lone_Lf)
        add("lf");
    if (stream.Drop_After > 0)
        add("drop=" + std::to_string(stream.Drop_After));
    if (stream.No_Dash)
        add("nodash");
    if (stream.Odd_Case)
        add("header-case");
    if (stream.Quoted)
        add("quoted");
    return text.empty() ? "default" : text;
}

std::string Camsim_Stream_Content_Type(const Camsim_Stream& stream)
{
    std::string boundary = (stream.No_Dash ? "--" : "") + std::string(Camsim_Boundary);
    return "multipart/x-mixed-replace; boundary=" + (stream.Quoted ? "\"" + boundary + "\"" : boundary);
}

std::string Camsim_Stream_Head(const Camsim_Stream& stream)
{
    // No length: the body runs until the connection closes.
    return "HTTP/1.1 200 OK\r\nServer: tambrel-camsim\r\nContent-Type: " + Camsim_Stream_Content_Type(stream) +
           "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n";
}

std::string Camsim_Stream_Part(const Camsim_Stream& stream, std::string_view jpeg)
{
    const std::string end = Line_End(stream);
    std::string part = Boundary_Line() + end;
    part += (stream.Odd_Case ? "content-TYPE: " : "Content-Type: ") + std::string("image/jpeg") + end;
    if (!stream.No_Length)
        part += (stream.Odd_Case ? "content-LENGTH: " : "Content-Length: ") + std::to_string(jpeg.size()) + end;
    part += end;
    part.append(jpeg);
    part += end;
    return part;
}

std::string Camsim_Stream_End(const Camsim_Stream& stream)
{
    return Boundary_Line() + "--" + Line_End(stream);
}
