#include "acquisition/Http_Outcome.h"

#include "acquisition/Http_Text.h"

bool Allows_Keep_Alive(const Http_Headers& headers)
{
    for (const char* name : {"Connection", "Proxy-Connection"}) {
        for (const auto& value : headers.All(name))
            if (Http_Same_Text(Trim_View(value), "close"))
                return false;
    }
    return true;
}

Http_Outcome Decide_Http_Outcome(const Http_Reply_Head& head)
{
    int code = head.Status_Code;
    const std::string* location = head.Headers.Find("Location");
    bool redirect = (code / 100 == 3 && code != 304) || (location && !location->empty());
    if (redirect)
        return Http_Outcome::Refuse;
    if (code >= 200 && code <= 299)
        return code == 204 ? Http_Outcome::Accept_No_Body : Http_Outcome::Accept;
    return Http_Outcome::Refuse;
}
