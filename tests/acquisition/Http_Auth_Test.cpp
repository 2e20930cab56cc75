#include <gtest/gtest.h>

#include "acquisition/Http_Auth.h"
#include "acquisition/Http_Challenge.h"
#include "acquisition/Http_Digest.h"

namespace {

// ---- Digest response values: the published examples ----

Digest_Input Rfc_7616_Example(Digest_Algorithm algorithm)
{
    Digest_Input in;
    in.Algorithm = algorithm;
    in.User = "Mufasa";
    in.Password = "Circle of Life";
    in.Realm = "http-auth@example.org";
    in.Nonce = "7ypf/xlj9XXwfDPEoM4URrv/xwf94BcCAzFZH4GiTo0v";
    in.Cnonce = "f2/wE4q74E6zIJEtWaHKaf5wv/H5QzzpXusqGemxURZJ";
    in.Nc = 1;
    in.Qop = "auth";
    in.Uri = "/dir/index.html";
    return in;
}

TEST(Http_Digest, Published_Examples)
{
    EXPECT_EQ(Digest_Response(Rfc_7616_Example(Digest_Algorithm::MD5)), "8ca523f5e9506fed4657c9700eebdbec");
    EXPECT_EQ(Digest_Response(Rfc_7616_Example(Digest_Algorithm::SHA_256)),
              "753927fa0e85d155564e2e272a28d1802ca10daf4496794697cf8db5856cb6c1");

    Digest_Input rfc_2617;
    rfc_2617.User = "Mufasa";
    rfc_2617.Password = "Circle Of Life";
    rfc_2617.Realm = "testrealm@host.com";
    rfc_2617.Nonce = "dcd98b7102dd2f0e8b11d0f600bfb0c093";
    rfc_2617.Cnonce = "0a4f113b";
    rfc_2617.Qop = "auth";
    rfc_2617.Uri = "/dir/index.html";
    EXPECT_EQ(Digest_Response(rfc_2617), "6629fae49393a05397450978507c4ef1");

    EXPECT_EQ(Digest_Nc_Text(1), "00000001");
    EXPECT_EQ(Digest_Nc_Text(0xABCDEF12u), "abcdef12");
    EXPECT_NE(Digest_New_Cnonce(), Digest_New_Cnonce());
}

// ---- Challenge parsing ----

struct Parse_Case {
    const char* name;
    std::string value;
    std::vector<std::string> schemes;                               // every challenge, in order
    std::vector<std::pair<std::string, std::string>> first_params;  // of the first challenge
};

class Challenge_Table : public ::testing::TestWithParam<Parse_Case> {};

TEST_P(Challenge_Table, Parses)
{
    const auto& c = GetParam();
    auto challenges = Parse_Challenges(c.value);
    std::vector<std::string> schemes;
    for (const auto& challenge : challenges)
        schemes.push_back(challenge.Scheme);
    EXPECT_EQ(schemes, c.schemes);
    if (!challenges.empty()) {
        EXPECT_EQ(challenges[0].Params, c.first_params);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Challenge_Table,
    ::testing::Values(
        Parse_Case{"basic", "Basic realm=\"cam\"", {"Basic"}, {{"realm", "cam"}}},
        Parse_Case{"tokens_and_odd_case",
                   "dIgEsT REALM=cam,NONCE=\"a b\", Algorithm=sha-256, stale=TRUE",
                   {"dIgEsT"},
                   {{"REALM", "cam"}, {"NONCE", "a b"}, {"Algorithm", "sha-256"}, {"stale", "TRUE"}}},
        Parse_Case{"escapes_and_commas_inside_quotes",
                   R"(Digest realm="a \"b\", c\\d", qop="auth,auth-int")",
                   {"Digest"},
                   {{"realm", "a \"b\", c\\d"}, {"qop", "auth,auth-int"}}},
        Parse_Case{
            "blanks_around_equals", "Digest realm = \"r\" ,  nonce= n", {"Digest"}, {{"realm", "r"}, {"nonce", "n"}}},
        Parse_Case{
            "several_schemes_in_one_line",
            "Digest realm=\"r\", nonce=\"n\", algorithm=SHA-256, Digest realm=\"r\", nonce=\"m\", Basic realm=\"r\"",
            {"Digest", "Digest", "Basic"},
            {{"realm", "r"}, {"nonce", "n"}, {"algorithm", "SHA-256"}}},
        Parse_Case{"token68_then_scheme", "Negotiate abc==, Basic realm=x", {"Negotiate", "Basic"}, {}},
        Parse_Case{"scheme_without_params", "Basic, Digest nonce=1", {"Basic", "Digest"}, {}},
        Parse_Case{"empty_items_skipped", " , Basic realm=x ,, ", {"Basic"}, {{"realm", "x"}}},
        Parse_Case{"unterminated_quote_drops_the_challenge",
                   "Basic realm=x, Digest realm=\"open",
                   {"Basic"},
                   {{"realm", "x"}}},
        Parse_Case{"garbage_after_a_value_ends_the_parse", "Digest realm=\"r\" junk, Basic", {}, {}},
        Parse_Case{"no_scheme", "=x", {}, {}}, Parse_Case{"empty", "", {}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Http_Challenge, Bounded_On_Hostile_Values)
{
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += "Basic realm=x, ";
    EXPECT_EQ(Parse_Challenges(many).size(), Max_Challenges);
    std::string params = "Digest ";
    for (int i = 0; i < 1000; ++i)
        params += "p" + std::to_string(i) + "=v,";
    EXPECT_EQ(Parse_Challenges(params).at(0).Params.size(), Max_Challenge_Params);
    EXPECT_EQ(Http_Quoted("a\"b\\c"), R"("a\"b\\c")");
}

// ---- Choosing and answering challenges ----

Http_Reply_Head Unauthorized(std::vector<std::string> challenges)
{
    Http_Reply_Head head;
    head.Status_Code = 401;
    head.Status_Line = "HTTP/1.1 401 Unauthorized";
    for (auto& value : challenges)
        head.Headers.Add("WWW-Authenticate", value);
    return head;
}

Http_Url Camera_Url(const std::string& text)
{
    return Parse_Http_Url(text, {});
}

const Http_Login login{"admin", "secret"};

TEST(Http_Authenticator, Prefers_The_Strongest_Challenge_And_Never_Basic_After_Digest)
{
    const Http_Url url = Camera_Url("http://cam:8080/snapshot.cgi?a=1");
    struct Row {
        const char* name;
        std::vector<std::string> challenges;
        std::string expected_prefix;  // of the next Authorization; "" when none is answered
        std::string refusal;
    };
    const Row rows[] = {
        {"sha256_over_md5_over_basic",
         {"Basic realm=r", "Digest realm=r, nonce=m, algorithm=MD5", "Digest realm=r, nonce=s, algorithm=SHA-256"},
         "Digest username=\"admin\", realm=\"r\", nonce=\"s\", uri=\"/snapshot.cgi?a=1\", algorithm=SHA-256,",
         ""},
        {"rfc2069_form_without_qop",
         {"Digest realm=r, nonce=n"},
         "Digest username=\"admin\", realm=\"r\", nonce=\"n\"",
         ""},
        {"basic_alone", {"Basic realm=r"}, "Basic YWRtaW46c2VjcmV0", ""},
        {"unsupported_digest_is_not_replaced_by_basic",
         {"Digest realm=r, nonce=n, algorithm=SHA-512-256", "Basic realm=r"},
         "",
         "Digest with the algorithm SHA-512-256 is not supported"},
        {"userhash_refused",
         {"Digest realm=r, nonce=n, userhash=true"},
         "",
         "Digest with a hashed user name is not supported"},
        {"auth_int_only_refused",
         {"Digest realm=r, nonce=n, qop=\"auth-int\""},
         "",
         "Digest with qop=auth-int is not supported"},
        {"unknown_scheme_only", {"Negotiate abc"}, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Http_Authenticator auth;
        auto verdict = auth.Unauthorized(url, Unauthorized(row.challenges), login, "");
        EXPECT_EQ(verdict.Resend, !row.expected_prefix.empty());
        EXPECT_EQ(verdict.Refusal, row.refusal);
        EXPECT_EQ(auth.Authorization(url, login).substr(0, row.expected_prefix.size()), row.expected_prefix);
    }
}

TEST(Http_Authenticator, Counts_Nonce_Uses_Resends_On_Stale_Or_New_Nonce_Refuses_A_Rejected_Answer)
{
    const Http_Url url = Camera_Url("http://cam/x");
    Http_Authenticator auth;
    EXPECT_EQ(auth.Authorization(url, login), "");  // nothing to answer before a challenge
    ASSERT_TRUE(auth.Unauthorized(url, Unauthorized({"Digest realm=r, nonce=a, qop=auth"}), login, "").Resend);
    const std::string first = auth.Authorization(url, login);
    EXPECT_NE(first.find("nc=00000001"), std::string::npos);
    EXPECT_NE(auth.Authorization(url, login).find("nc=00000002"), std::string::npos);
    // Another server gets nothing up front; nor does a request without a user name.
    EXPECT_EQ(auth.Authorization(Camera_Url("http://cam:81/x"), login), "");
    EXPECT_EQ(auth.Authorization(url, Http_Login{}), "");

    // The same nonce refused again: a wrong password.
    EXPECT_FALSE(auth.Unauthorized(url, Unauthorized({"Digest realm=r, nonce=a, qop=auth"}), login, first).Resend);
    // A stale nonce, or a new one, is worth one more request; the count starts again.
    EXPECT_TRUE(
        auth.Unauthorized(url, Unauthorized({"Digest realm=r, nonce=a, qop=auth, stale=true"}), login, first).Resend);
    EXPECT_TRUE(auth.Unauthorized(url, Unauthorized({"Digest realm=r, nonce=b, qop=auth"}), login, first).Resend);
    EXPECT_NE(auth.Authorization(url, login).find("nonce=\"b\", uri=\"/x\", response="), std::string::npos);
    EXPECT_EQ(auth.Nonce_Count(), 1u);
    // No login: nothing can be answered.
    EXPECT_FALSE(auth.Unauthorized(url, Unauthorized({"Digest realm=r, nonce=c"}), Http_Login{}, "").Resend);

    // The server may name the next nonce on a success.
    Http_Reply_Head ok;
    ok.Status_Code = 200;
    ok.Headers.Add("Authentication-Info", "qop=auth, nextnonce=\"z\"");
    auth.Accepted(ok);
    EXPECT_NE(auth.Authorization(url, login).find("nonce=\"z\""), std::string::npos);
}

}  // namespace
