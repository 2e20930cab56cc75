#include <gtest/gtest.h>

#include "acquisition/Base64.h"
#include "acquisition/Http_Request.h"

namespace {

struct Head_Case {
    const char* name;
    const char* url;
    Http_Request_Extras extras;
    const char* expected;
};

class Http_Request_Head_Table : public ::testing::TestWithParam<Head_Case> {};

TEST_P(Http_Request_Head_Table, Builds_Exact_Bytes)
{
    const auto& c = GetParam();
    EXPECT_EQ(Build_Request_Head(Parse_Http_Url(c.url, {}), Http_Settings{}, c.extras), c.expected);
}

#define TAIL                                                                                                           \
    "Accept: text/html, */*\r\nAccept-Encoding: identity\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"

INSTANTIATE_TEST_SUITE_P(
    Cases, Http_Request_Head_Table,
    ::testing::Values(
        Head_Case{"port_80_bare_host",
                  "http://192.168.1.1:80/decoder_control.cgi?user=admin&pwd=&command=4&onestep=1",
                  {},
                  "GET /decoder_control.cgi?user=admin&pwd=&command=4&onestep=1 HTTP/1.1\r\nHost: 192.168.1.1\r\n" TAIL
                  "\r\n"},
        Head_Case{"default_port_bare_host", "http://cam/x", {}, "GET /x HTTP/1.1\r\nHost: cam\r\n" TAIL "\r\n"},
        Head_Case{"other_port_named", "http://cam:8080/x", {}, "GET /x HTTP/1.1\r\nHost: cam:8080\r\n" TAIL "\r\n"},
        Head_Case{"port_text_as_written", "http://cam:080/x", {}, "GET /x HTTP/1.1\r\nHost: cam:080\r\n" TAIL "\r\n"},
        Head_Case{
            "ipv6_host_in_brackets", "http://[::1]:8080/x", {}, "GET /x HTTP/1.1\r\nHost: [::1]:8080\r\n" TAIL "\r\n"},
        Head_Case{"ipv6_host_port_80", "http://[::1]/x", {}, "GET /x HTTP/1.1\r\nHost: [::1]\r\n" TAIL "\r\n"},
        Head_Case{"authorization_then_cookie",
                  "http://cam/x",
                  {"Basic YTpi", "a=1; b=2"},
                  "GET /x HTTP/1.1\r\nHost: cam\r\n" TAIL "Authorization: Basic YTpi\r\nCookie: a=1; b=2\r\n\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Base64, Encodes_Every_Padding_Length)
{
    EXPECT_EQ(Base64_Encode(""), "");
    EXPECT_EQ(Base64_Encode("f"), "Zg==");
    EXPECT_EQ(Base64_Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64_Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64_Encode("admin:p&ss word"), "YWRtaW46cCZzcyB3b3Jk");
    EXPECT_EQ(Base64_Encode(std::string("\xff\xfe\x00", 3)), "//4A");
}

}  // namespace
