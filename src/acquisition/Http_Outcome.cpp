#include "Http_Outcome.h"

#include "Http_Text.h"

bool Has_Basic_Challenge(const Http_Headers& headers)
{
    for (const auto& value : headers.All("WWW-Authenticate")) {
        std::string_view text = Trim_View(value);
        if (Http_Same_Text(text.substr(0, text.find(' ')), "Basic"))
            return true;
    }
    return false;
}

bool Allows_Keep_Alive(const Http_Headers& headers)
{
    for (const char* name : {"Connection", "Proxy-Connection"}) {
        for (const auto& value : headers.All(name))
            if (Http_Same_Text(Trim_View(value), "close"))
                return false;
    }
    return true;
}

Http_Outcome Decide_Http_Outcome(const Http_Reply_Head& head, bool can_answer_basic)
{
    int code = head.Status_Code;
    const std::string* location = head.Headers.Find("Location");
    bool redirect = (code / 100 == 3 && code != 304) || (location && !location->empty());
    if (redirect)
        return Http_Outcome::Refuse;
    if (code >= 200 && code <= 299)
        return code == 204 ? Http_Outcome::Accept_No_Body : Http_Outcome::Accept;
    if (code == 401 && can_answer_basic && Has_Basic_Challenge(head.Headers))
        return Http_Outcome::Accept_Basic;
    return Http_Outcome::Refuse;
}
