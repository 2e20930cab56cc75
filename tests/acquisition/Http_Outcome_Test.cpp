#include <gtest/gtest.h>

#include "acquisition/Http_Outcome.h"

namespace {

Http_Reply_Head Reply(int code, std::vector<std::pair<std::string, std::string>> headers = {})
{
    Http_Reply_Head head;
    head.Status_Code = code;
    head.Status_Line = "HTTP/1.1 " + std::to_string(code) + " X";
    for (auto& [name, value] : headers)
        head.Headers.Add(name, value);
    return head;
}

struct Outcome_Case {
    const char* name;
    Http_Reply_Head head;
    Http_Outcome expected;
};

const std::pair<std::string, std::string> basic{"WWW-Authenticate", "Basic realm=\"cam\""};

class Http_Outcome_Table : public ::testing::TestWithParam<Outcome_Case> {};

TEST_P(Http_Outcome_Table, Decides)
{
    const auto& c = GetParam();
    EXPECT_EQ(Decide_Http_Outcome(c.head), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Http_Outcome_Table,
    ::testing::Values(Outcome_Case{"ok_200", Reply(200), Http_Outcome::Accept},
                      Outcome_Case{"partial_206", Reply(206), Http_Outcome::Accept},
                      Outcome_Case{"edge_299", Reply(299), Http_Outcome::Accept},
                      Outcome_Case{"no_content_204_reads_nothing", Reply(204), Http_Outcome::Accept_No_Body},
                      Outcome_Case{"location_on_200_is_a_redirect", Reply(200, {{"Location", "/elsewhere"}}),
                                   Http_Outcome::Refuse},
                      Outcome_Case{"empty_location_ignored", Reply(200, {{"location", ""}}), Http_Outcome::Accept},
                      Outcome_Case{"moved_301", Reply(301), Http_Outcome::Refuse},
                      Outcome_Case{"found_302", Reply(302, {{"Location", "/x"}}), Http_Outcome::Refuse},
                      Outcome_Case{"not_modified_304", Reply(304), Http_Outcome::Refuse},
                      Outcome_Case{"interim_100_as_final", Reply(100), Http_Outcome::Refuse},
                      Outcome_Case{"switching_101", Reply(101), Http_Outcome::Refuse},
                      Outcome_Case{"unauthorized_with_challenge", Reply(401, {basic}), Http_Outcome::Refuse},
                      Outcome_Case{"unauthorized_without_challenge", Reply(401), Http_Outcome::Refuse},
                      Outcome_Case{"not_found_404", Reply(404), Http_Outcome::Refuse},
                      Outcome_Case{"server_error_500", Reply(500), Http_Outcome::Refuse},
                      Outcome_Case{"no_status_number", Reply(-1), Http_Outcome::Refuse}),
    [](const auto& row) { return std::string(row.param.name); });

struct Keep_Alive_Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> headers;
    bool keeps;
};

class Http_Keep_Alive_Table : public ::testing::TestWithParam<Keep_Alive_Case> {};

TEST_P(Http_Keep_Alive_Table, Decides)
{
    EXPECT_EQ(Allows_Keep_Alive(Reply(200, GetParam().headers).Headers), GetParam().keeps);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Http_Keep_Alive_Table,
    ::testing::Values(Keep_Alive_Case{"no_header_keeps", {}, true},
                      Keep_Alive_Case{"close_closes", {{"Connection", "close"}}, false},
                      Keep_Alive_Case{"upper_case_close_closes", {{"connection", "CLOSE"}}, false},
                      Keep_Alive_Case{"keep_alive_keeps", {{"Connection", "keep-alive"}}, true},
                      Keep_Alive_Case{"proxy_connection_close_closes", {{"Proxy-Connection", "Close"}}, false},
                      Keep_Alive_Case{"close_among_tokens_is_not_close", {{"Connection", "close, te"}}, true},
                      Keep_Alive_Case{
                          "second_connection_header_close", {{"Connection", "te"}, {"Connection", "close"}}, false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
