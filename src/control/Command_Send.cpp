#include "control/Command_Send.h"

#include "acquisition/Http_Client.h"

#include <exception>

Http_Settings Command_Http_Settings()
{
    Http_Settings settings;
    settings.Connect_Timeout_Ms = 3000;
    settings.Read_Timeout_Ms = 5000;
    settings.Resend_On_Dropped_Connection = false;  // a command reaches the camera at most once
    return settings;
}

void Send_Command(T_Http_Client& client, const std::string& url)
{
    std::string scratch;
    try {
        client.Get(url, scratch);
    } catch (const std::exception&) {
        // The user sees the camera's reaction or nothing; a failed command is not reported.
    }
}

bool Query_Command(T_Http_Client& client, const std::string& url, std::vector<std::string>& lines)
{
    std::string body;
    try {
        client.Get(url, body);
    } catch (const std::exception&) {
        return false;
    }
    if (!body.empty())
        lines = Split_Lines(body);
    return true;
}

std::vector<std::string> Split_Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}
