#include "camsim/Camsim_Reply.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Page(const std::string& title)
{
    return "<html><head><title>" + title + "</title></head><body><h1>" + title + "</h1></body></html>\r\n";
}

std::string Chunked(const std::string& body)
{
    constexpr std::size_t piece = 4096;
    std::string out;
    for (std::size_t at = 0; at < body.size(); at += piece) {
        std::size_t n = std::min(piece, body.size() - at);
        char size[16];
        std::snprintf(size, sizeof size, "%zx\r\n", n);
        out += size;
        out.append(body, at, n);
        out += "\r\n";
    }
    return out + "0\r\n\r\n";
}

}  // namespace

Camsim_Reply_Plan Camsim_Plan_Reply(const Camsim_Answer& original, Camsim_Fault fault, int slow_ms)
{
    Camsim_Answer answer = original;
    std::string extra;
    bool multipart = (fault == Camsim_Fault::Multipart_One || fault == Camsim_Fault::Multipart_One_Close) &&
                     answer.Content_Type == "image/jpeg";
    if (multipart) {
        const Camsim_Stream framing;
        answer.Content_Type = Camsim_Stream_Content_Type(framing);
        answer.Body = Camsim_Stream_Part(framing, answer.Body) + Camsim_Stream_End(framing);
    }
    switch (fault) {
    case Camsim_Fault::Redirect_302:
        answer = {302, "Found", "text/html", Page("Moved")};
        extra = "Location: /login.htm\r\n";
        break;
    case Camsim_Fault::Location_200: extra = "Location: /elsewhere.htm\r\n"; break;
    case Camsim_Fault::Unauthorized_401:
        answer = {401, "Unauthorized", "text/html", Page("401 Unauthorized")};
        extra = "WWW-Authenticate: Basic realm=\"camsim\"\r\n";
        break;
    case Camsim_Fault::Not_Found_404: answer = {404, "Not Found", "text/html", Page("404 Not Found")}; break;
    case Camsim_Fault::Html_200: answer = {200, "OK", "text/html", Page("Camera home page")}; break;
    case Camsim_Fault::Set_Cookie: extra = "Set-Cookie: camsim_session=1; Path=/\r\n"; break;
    case Camsim_Fault::Close: extra = "Connection: close\r\n"; break;
    case Camsim_Fault::Close_Upper: extra = "Connection: CLOSE\r\n"; break;
    default: break;
    }

    Camsim_Reply_Plan plan;
    if (fault == Camsim_Fault::Hang) {
        plan.Hang = true;
        return plan;
    }
    if (fault == Camsim_Fault::Slow)
        plan.Delay_Ms = slow_ms;
    if (fault == Camsim_Fault::Continue_100)
        plan.Bytes = "HTTP/1.1 100 Continue\r\n\r\n";

    std::string head = "HTTP/1.1 " + std::to_string(answer.Status) + " " + answer.Reason + "\r\n" +
                       "Server: tambrel-camsim\r\nContent-Type: " + answer.Content_Type +
                       "\r\nCache-Control: no-cache\r\n" + answer.Headers + extra;
    std::string body = answer.Body;
    switch (fault) {
    case Camsim_Fault::Chunked:
        head += "Transfer-Encoding: chunked\r\n";
        body = Chunked(body);
        break;
    case Camsim_Fault::No_Length: plan.Close_After = true; break;
    case Camsim_Fault::Multipart_One_Close:
        if (multipart) {
            plan.Close_After = true;
            break;
        }
        head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        break;
    case Camsim_Fault::Short_Body:
        head += "Content-Length: " + std::to_string(body.size() * 2 + 1) + "\r\n";
        plan.Close_After = true;
        break;
    default: head += "Content-Length: " + std::to_string(body.size()) + "\r\n"; break;
    }
    if (fault == Camsim_Fault::Close || fault == Camsim_Fault::Silent_Close)
        plan.Close_After = true;
    head += "\r\n";
    plan.Bytes += head;
    if (fault == Camsim_Fault::Reset_Mid_Body)
        plan.Reset_After = plan.Bytes.size() + body.size() / 2;
    plan.Bytes += body;
    return plan;
}

Camsim_Reply_Plan Camsim_Plan_Stream(const Camsim_Stream& stream, Camsim_Fault fault, int slow_ms)
{
    switch (fault) {
    case Camsim_Fault::Redirect_302:
    case Camsim_Fault::Unauthorized_401:
    case Camsim_Fault::Not_Found_404:
    case Camsim_Fault::Html_200:
    case Camsim_Fault::Hang: return Camsim_Plan_Reply(Camsim_Answer{}, fault, slow_ms);
    default: break;
    }
    Camsim_Reply_Plan plan;
    plan.Bytes = Camsim_Stream_Head(stream);
    plan.Stream = true;
    if (fault == Camsim_Fault::Slow)
        plan.Delay_Ms = slow_ms;
    return plan;
}
