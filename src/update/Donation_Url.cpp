#include "update/Donation_Url.h"

#include <cstdio>

#ifndef TAMBREL_MAKER_HOST
#define TAMBREL_MAKER_HOST "tambrel.invalid"
#endif
#ifndef TAMBREL_DONATION_ACCOUNT
#define TAMBREL_DONATION_ACCOUNT "donate@tambrel.invalid"
#endif

namespace {

bool Is_Query_Safe(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '@';
}

std::string Query_Value(const std::string& text)
{
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (Is_Query_Safe(c)) {
            out += ch;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            out += escaped;
        }
    }
    return out;
}

}  // namespace

std::string Donation_Url(const std::string& host, const std::string& account)
{
    return "https://" + host + "/cgi-bin/webscr?cmd=_donations&business=" + Query_Value(account) +
           "&lc=FR&no_note=0&currency_code=EUR&bn=PP%2dDonationsBF%3abtn_donateCC_LG%2egif%3aNonHostedGuest";
}

std::string Donation_Url()
{
    return Donation_Url(TAMBREL_MAKER_HOST, TAMBREL_DONATION_ACCOUNT);
}

std::string Maker_Host()
{
    return TAMBREL_MAKER_HOST;
}
