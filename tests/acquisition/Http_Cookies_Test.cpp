#include <gtest/gtest.h>

#include "acquisition/Http_Cookies.h"

namespace {

using namespace std::chrono;
const Http_Cookies::Time now = system_clock::from_time_t(1700000000);  // 2023-11-14 22:13:20 UTC

struct Cookie_Case {
    const char* name;
    std::vector<std::string> set_cookies;
    const char* request_host;
    const char* request_path;
    const char* expected;
    const char* from_host = "cam.local";  // where the Set-Cookie values came from
};

class Http_Cookies_Table : public ::testing::TestWithParam<Cookie_Case> {};

TEST_P(Http_Cookies_Table, Matches)
{
    const auto& c = GetParam();
    Http_Cookies cookies;
    for (const auto& value : c.set_cookies)
        cookies.Store(value, c.from_host, now);
    cookies.Drop_Expired(now);
    EXPECT_EQ(cookies.Header_For(c.request_host, c.request_path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Http_Cookies_Table,
    ::testing::Values(
        Cookie_Case{"no_attributes_host_and_root", {"sid=42"}, "cam.local", "/snapshot.cgi", "sid=42"},
        Cookie_Case{"two_cookies_joined", {"a=1; Path=/", "b=2"}, "cam.local", "/x", "a=1; b=2"},
        Cookie_Case{"same_name_replaced", {"a=1", "a=2"}, "cam.local", "/", "a=2"},
        Cookie_Case{"other_host_gets_nothing", {"sid=42"}, "other", "/", ""},
        Cookie_Case{"host_compared_without_case", {"sid=42"}, "CAM.Local", "/", "sid=42"},
        Cookie_Case{"host_only_not_sent_to_a_longer_name", {"sid=42"}, "evilcam.local", "/", ""},
        Cookie_Case{"host_only_not_sent_to_a_subdomain", {"sid=42"}, "www.cam.local", "/", ""},
        Cookie_Case{"domain_cookie_sent_to_subdomains",
                    {"sid=1; Domain=.Example.com"},
                    "cam.example.com",
                    "/",
                    "sid=1",
                    "www.example.com"},
        Cookie_Case{"domain_is_not_a_substring", {"sid=1; Domain=cam.lan"}, "evilcam.lan", "/", "", "cam.lan"},
        Cookie_Case{"domain_of_another_site_ignored", {"sid=1; domain=example.com"}, "example.com", "/", "", "cam.lan"},
        Cookie_Case{"address_gets_no_domain_cookie", {"a=1; Domain=0.0.1"}, "127.0.0.1", "/", "", "127.0.0.1"},
        Cookie_Case{"path_matches_at_a_slash", {"p=1; Path=/cgi"}, "cam.local", "/cgi/x", "p=1"},
        Cookie_Case{"path_matches_itself", {"p=1; Path=/cgi"}, "cam.local", "/cgi", "p=1"},
        Cookie_Case{"path_prefix_without_slash_fails", {"p=1; Path=/cgi"}, "cam.local", "/cgi-bin/x", ""},
        Cookie_Case{"path_ending_in_slash", {"p=1; Path=/cgi/"}, "cam.local", "/cgi/x", "p=1"},
        Cookie_Case{"path_not_prefix", {"p=1; Path=/admin"}, "cam.local", "/snapshot.cgi", ""},
        Cookie_Case{"secure_never_sent", {"s=1; Secure"}, "cam.local", "/", ""},
        Cookie_Case{"empty_value_never_sent", {"e="}, "cam.local", "/", ""},
        Cookie_Case{"expired_date_dropped", {"old=1; Expires=Wed, 09 Jun 2021 10:18:14 GMT"}, "cam.local", "/", ""},
        Cookie_Case{"future_date_kept", {"new=1; expires=Wed, 09-Jun-2100 10:18:14 GMT"}, "cam.local", "/", "new=1"},
        Cookie_Case{"max_age_zero_deletes", {"a=1", "a=1; Max-Age=0"}, "cam.local", "/", ""},
        Cookie_Case{"max_age_beats_expires",
                    {"a=1; Expires=Wed, 09 Jun 2021 10:18:14 GMT; Max-Age=60"},
                    "cam.local",
                    "/",
                    "a=1"},
        Cookie_Case{"unreadable_date_is_session_cookie", {"a=1; Expires=soon"}, "cam.local", "/", "a=1"},
        Cookie_Case{"no_equals_ignored", {"junk"}, "cam.local", "/", ""},
        Cookie_Case{"control_character_ignored", {std::string("a=1\rX-Evil: 1")}, "cam.local", "/", ""},
        Cookie_Case{"oversized_ignored", {"big=" + std::string(5000, 'v')}, "cam.local", "/", ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Http_Cookies, Expire_Later_And_Store_Stays_Bounded)
{
    Http_Cookies cookies;
    cookies.Store("short=1; Max-Age=10", "h", now);
    cookies.Drop_Expired(now + seconds(9));
    EXPECT_EQ(cookies.Header_For("h", "/"), "short=1");
    cookies.Drop_Expired(now + seconds(10));
    EXPECT_EQ(cookies.Header_For("h", "/"), "");

    for (int i = 0; i < 200; ++i)
        cookies.Store("c" + std::to_string(i) + "=v", "h", now);
    ASSERT_EQ(cookies.Items().size(), Http_Cookies::Max_Cookies);
    EXPECT_EQ(cookies.Items().front().Name, "c150");  // the oldest made room
}

TEST(Http_Cookies, Reads_The_Three_Date_Forms)
{
    auto expected = system_clock::from_time_t(1623233894);  // 2021-06-09 10:18:14 UTC
    EXPECT_EQ(Parse_Cookie_Date("Wed, 09 Jun 2021 10:18:14 GMT"), expected);
    EXPECT_EQ(Parse_Cookie_Date("Wednesday, 09-Jun-21 10:18:14 GMT"), expected);
    EXPECT_EQ(Parse_Cookie_Date("Wed Jun  9 10:18:14 2021"), expected);
    EXPECT_FALSE(Parse_Cookie_Date("Wed, 32 Jun 2021 10:18:14 GMT"));
}

}  // namespace
