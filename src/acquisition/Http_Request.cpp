#include "acquisition/Http_Request.h"

std::string Build_Request_Head(const Http_Url& url, const Http_Settings& settings, const Http_Request_Extras& extras)
{
    std::string host = url.Host_Is_Ipv6 ? "[" + url.Host + "]" : url.Host;
    if (!url.Default_Port())
        host += ":" + url.Port_Text;

    std::string head;
    head.reserve(256 + url.Target().size() + extras.Cookie.size());
    head += "GET " + url.Target() + " HTTP/" + settings.ProtocolVersion + "\r\n";
    head += "Host: " + host + "\r\n";
    head += "Accept: " + settings.Accept + "\r\n";
    head += "Accept-Encoding: identity\r\n";
    head += "User-Agent: " + settings.UserAgent + "\r\n";
    if (!extras.Authorization.empty())
        head += "Authorization: " + extras.Authorization + "\r\n";
    if (!extras.Cookie.empty())
        head += "Cookie: " + extras.Cookie + "\r\n";
    head += "\r\n";
    return head;
}
