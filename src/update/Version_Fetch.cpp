#include "update/Version_Fetch.h"

#include "acquisition/Http_Client.h"
#include "update/Request_Deadline.h"
#include "update/Version_Rules.h"

Http_Settings Check_Ver_Http_Settings()
{
    Http_Settings settings;
    settings.AllowCookies = false;
    settings.Connect_Timeout_Ms = 3000;
    settings.Read_Timeout_Ms = 5000;
    return settings;
}

bool Fetch_Version(T_Http_Client& client, const std::string& url, int deadline_ms, std::string& version_available)
{
    version_available.clear();
    std::string body;
    try {
        const Request_Deadline deadline(client, deadline_ms);
        client.Get(url, body);
    } catch (...) {
        // Unreachable server, refused reply, cut connection, time-out: what arrived is kept.
    }
    client.Clear_Abort();
    if (body.empty())
        return false;
    version_available = Version_Text_From_Body(body);
    return true;
}
