#include <gtest/gtest.h>

#include "acquisition/Http_Error.h"
#include "acquisition/Http_Url.h"

namespace {

struct Url_Case {
    const char* name;
    const char* previous;  // URL of the previous request, "" for a fresh client
    std::string url;
    const char* error;  // expected error text, or nullptr
    const char* host = "";
    const char* port_text = "";
    const char* target = "";
    const char* user = "";
    const char* password = "";
    bool ipv6 = false;
};

const Url_Case url_cases[] = {
    {"http_without_port_gets_80", "", "http://cam/snapshot.cgi?user=a&pwd=b", nullptr, "cam", "80",
     "/snapshot.cgi?user=a&pwd=b"},
    {"upper_case_scheme_is_http", "", "HTTP://cam/x", nullptr, "cam", "80", "/x"},
    {"explicit_port_kept_as_text", "", "http://10.1.2.3:8080/a/b/c.cgi?x=1", nullptr, "10.1.2.3", "8080",
     "/a/b/c.cgi?x=1"},
    {"backslashes_become_slashes", "", "http://h:81\\dir\\img.jpg", nullptr, "h", "81", "/dir/img.jpg"},
    {"no_path_sends_root", "", "http://h:8080", nullptr, "h", "8080", "/"},
    {"empty_port_text_is_default", "", "http://h:/x", nullptr, "h", "80", "/x"},
    {"user_and_password_split_at_first_colon", "", "http://me:pa:ss@h/", nullptr, "h", "80", "/", "me", "pa:ss"},
    {"user_without_password", "", "http://me@h/", nullptr, "h", "80", "/", "me", ""},
    {"user_information_percent_decoded", "", "http://m%65:pa%3Ass%zz@h/", nullptr, "h", "80", "/", "me", "pa:ss%zz"},
    {"empty_user_drops_password", "", "http://:secret@h/", nullptr, "h", "80", "/", "", ""},
    {"ipv6_literal_with_port", "", "http://[::1]:8080/x", nullptr, "::1", "8080", "/x", "", "", true},
    {"ipv6_literal_without_port", "", "http://[fe80::1]/", nullptr, "fe80::1", "80", "/", "", "", true},
    {"query_starts_at_equals_without_question_mark", "", "http://h/a/b=c/d", nullptr, "h", "80", "/a/b=c/d"},
    {"slash_in_query_stays_in_query", "", "http://h/cgi/x.cgi?next=/a/b", nullptr, "h", "80", "/cgi/x.cgi?next=/a/b"},
    {"hash_in_document_drops_query", "", "http://h/page#frag?x=1", nullptr, "h", "80", "/page"},
    {"hash_in_password_cuts_rest", "", "http://h/snapshot.cgi?user=a&pwd=p#ss&x=1", nullptr, "h", "80",
     "/snapshot.cgi?user=a&pwd=p"},
    {"ampersand_and_space_in_password_sent_raw", "", "http://h/s.cgi?user=a&pwd=p&q r", nullptr, "h", "80",
     "/s.cgi?user=a&pwd=p&q r"},
    {"percent_sequences_untouched", "", "http://h/a%20b?x=%41", nullptr, "h", "80", "/a%20b?x=%41"},
    {"other_scheme_with_port_is_plain_http", "", "rtsp://h:554/x", nullptr, "h", "554", "/x"},
    {"other_scheme_takes_previous_port", "http://h:81/", "foo://k/x", nullptr, "k", "81", "/x"},
    {"relative_absolute_path_on_previous_server", "http://h:81/a/b/c.cgi", "/z/y.cgi?q", nullptr, "h", "81",
     "/z/y.cgi?q"},
    {"relative_path_joined_and_dots_resolved", "http://h:81/a/b/c.cgi", "../d/./e.cgi?x=../y", nullptr, "h", "81",
     "/a/d/e.cgi?x=../y"},
    {"relative_dots_stop_at_root", "http://h/a/", "../../x", nullptr, "h", "80", "/x"},
    {"relative_final_dotdot_is_directory", "http://h/a/b/", "..", nullptr, "h", "80", "/a/"},
    {"relative_keeps_ipv6_host", "http://[::1]:9/a/", "b", nullptr, "::1", "9", "/a/b", "", "", true},
    {"https_without_port_gets_443", "", "https://h/", nullptr, "h", "443", "/"},
    {"https_with_port", "http://h/", "HTTPS://h:8443/x", nullptr, "h", "8443", "/x"},
    {"other_scheme_without_port_on_fresh_client", "", "ftp://h/x", Http_Error_Text::Unknown_Protocol},
    {"relative_on_fresh_client", "", "/snapshot.cgi", Http_Error_Text::Unknown_Protocol},
    {"empty_url", "http://h/", "", Http_Error_Text::Empty_Url},
    {"line_feed_refused", "", "http://h/x\nEvil: 1", Http_Error_Text::Bad_Url_Character},
    {"carriage_return_refused", "", "http://h/x?pwd=a\rb", Http_Error_Text::Bad_Url_Character},
    {"nul_refused", "", std::string("http://h/x\0y", 12), Http_Error_Text::Bad_Url_Character},
    {"port_out_of_range", "", "http://h:99999/", Http_Error_Text::Bad_Port},
    {"port_not_a_number", "", "http://h:8o/", Http_Error_Text::Bad_Port},
    {"port_zero", "", "http://h:0/", Http_Error_Text::Bad_Port},
    {"empty_host", "", "http:///x", Http_Error_Text::Empty_Host},
};

class Http_Url_Table : public ::testing::TestWithParam<Url_Case> {};

TEST_P(Http_Url_Table, Parses)
{
    const Url_Case& c = GetParam();
    Http_Url_Base previous;
    if (*c.previous)
        previous = Parse_Http_Url(c.previous, {}).As_Base();
    if (c.error) {
        try {
            Parse_Http_Url(c.url, previous);
            FAIL() << "no error for " << c.url;
        } catch (const E_Http_Error& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
        return;
    }
    Http_Url url = Parse_Http_Url(c.url, previous);
    EXPECT_EQ(url.Host, c.host);
    EXPECT_EQ(url.Port_Text, c.port_text);
    EXPECT_EQ(url.Target(), c.target);
    EXPECT_EQ(url.User, c.user);
    EXPECT_EQ(url.Password, c.password);
    EXPECT_EQ(url.Has_User, *c.user != '\0');
    EXPECT_EQ(url.Host_Is_Ipv6, c.ipv6);
}

INSTANTIATE_TEST_SUITE_P(Cases, Http_Url_Table, ::testing::ValuesIn(url_cases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Http_Url, Splits_Path_Document_And_Query)
{
    Http_Url url = Parse_Http_Url("http://h/a/b/c.cgi?x=/y/z", {});
    EXPECT_EQ(url.Path, "/a/b/");
    EXPECT_EQ(url.Document, "c.cgi");
    EXPECT_EQ(url.Query, "?x=/y/z");
}

}  // namespace
