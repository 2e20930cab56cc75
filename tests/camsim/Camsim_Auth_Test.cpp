#include <gtest/gtest.h>

#include "Camsim_Client.h"
#include "acquisition/Base64.h"
#include "acquisition/Http_Challenge.h"
#include "acquisition/Http_Digest.h"
#include "camsim/Camsim_Server.h"
#include "imaging/Jpeg_Codec.h"

namespace {

Camsim_Options Cameras_Behind(const std::string& auth, int count = 1)
{
    Camsim_Options options;
    options.Count = count;
    options.Width = 160;
    options.Height = 120;
    options.Fps = 0.1;
    options.Password = "secret";
    for (int camera = 1; camera <= count; ++camera)
        options.Auth.emplace_back(camera, *Parse_Camsim_Auth(auth));
    return options;
}

// The challenges of a 401 reply, every WWW-Authenticate line together.
std::vector<Http_Challenge> Challenges(const Raw_Reply& reply)
{
    std::vector<Http_Challenge> all;
    for (const std::string& line : reply.Headers("WWW-Authenticate"))
        for (Http_Challenge& challenge : Parse_Challenges(line))
            all.push_back(std::move(challenge));
    return all;
}

Http_Challenge First_Digest(const Raw_Reply& reply)
{
    for (const Http_Challenge& challenge : Challenges(reply))
        if (challenge.Is("Digest"))
            return challenge;
    ADD_FAILURE() << "no Digest challenge in\n" << reply.Head;
    return {};
}

std::string Text(const Http_Challenge& challenge, std::string_view name)
{
    const std::string* value = challenge.Param(name);
    return value ? *value : std::string();
}

// One Digest answer; the defaults answer the challenge correctly for GET /snapshot.cgi.
struct Answer {
    std::string User = "admin";
    std::string Password = "secret";
    std::string Uri = "/snapshot.cgi";
    std::uint32_t Nc = 1;
    std::string Qop = "auth";                                  // "" for the RFC 2069 form
    std::optional<std::string> Opaque = std::nullopt;          // default: the challenge's
    std::optional<Digest_Algorithm> Algorithm = std::nullopt;  // default: the challenge's
};

std::string Authorization(const Http_Challenge& challenge, const Answer& a)
{
    Digest_Input in;
    in.Algorithm = a.Algorithm ? *a.Algorithm : *Digest_Algorithm_From_Name(challenge.Param("algorithm"));
    in.User = a.User;
    in.Password = a.Password;
    in.Realm = Text(challenge, "realm");
    in.Nonce = Text(challenge, "nonce");
    in.Cnonce = "0a4f113b";
    in.Nc = a.Nc;
    in.Qop = a.Qop;
    in.Uri = a.Uri;
    std::string response = Digest_Response(in);
    if (a.Qop == "auth-int") {
        // RFC 7616: A2 = method ":" uri ":" H(entity-body), here with an empty body.
        auto h = [&](const std::string& text) { return Digest_Hash(in.Algorithm, text); };
        response = h(h(in.User + ":" + in.Realm + ":" + in.Password) + ":" + in.Nonce + ":" + Digest_Nc_Text(in.Nc) +
                     ":" + in.Cnonce + ":auth-int:" + h("GET:" + in.Uri + ":" + h("")));
    }
    std::string value = "Digest username=" + Http_Quoted(a.User) + ", realm=" + Http_Quoted(in.Realm) +
                        ", nonce=" + Http_Quoted(in.Nonce) + ", uri=" + Http_Quoted(a.Uri) +
                        ", response=" + Http_Quoted(response) +
                        ", opaque=" + Http_Quoted(a.Opaque ? *a.Opaque : Text(challenge, "opaque"));
    if (challenge.Param("algorithm") || a.Algorithm)
        value += std::string(", algorithm=") + Digest_Algorithm_Name(in.Algorithm);
    if (!a.Qop.empty())
        value += ", qop=" + a.Qop + ", nc=" + Digest_Nc_Text(a.Nc) + ", cnonce=" + Http_Quoted(in.Cnonce);
    return "Authorization: " + value + "\r\n";
}

bool Is_Picture(const Raw_Reply& reply)
{
    return reply.Status == 200 && !Jpeg_Decode(reply.Body.data(), reply.Body.size()).isNull();
}

TEST(Camsim_Auth, Digest_Refuses_Every_Wrong_Part_Of_An_Answer)
{
    Camsim_Server server(Cameras_Behind("digest"));
    server.Start();
    Raw_Client client(server.Port(1));
    const Raw_Reply first = client.Get("/snapshot.cgi");
    ASSERT_EQ(first.Status, 401);
    const Http_Challenge challenge = First_Digest(first);
    EXPECT_EQ(Text(challenge, "realm"), "camsim");
    EXPECT_EQ(Text(challenge, "qop"), "auth");
    EXPECT_EQ(Text(challenge, "algorithm"), "MD5");
    EXPECT_EQ(Text(challenge, "nonce").size(), 32u);
    EXPECT_FALSE(Text(challenge, "opaque").empty());
    EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", Authorization(challenge, {}))));

    struct Wrong {
        const char* what;
        Answer answer;
    };
    const Wrong wrongs[] = {
        {"password", {.Password = "Secret", .Nc = 2}},
        {"user", {.User = "root", .Nc = 2}},
        {"uri other than the request line's", {.Uri = "/snapshot.cgi?x=1", .Nc = 2}},
        {"replayed nc", {.Nc = 1}},
        {"opaque", {.Nc = 2, .Opaque = "0123"}},
        {"algorithm other than the challenge's", {.Nc = 2, .Algorithm = Digest_Algorithm::SHA_256}},
        {"no qop", {.Nc = 2, .Qop = ""}},
    };
    for (const Wrong& wrong : wrongs) {
        SCOPED_TRACE(wrong.what);
        Raw_Reply reply = client.Get("/snapshot.cgi", Authorization(challenge, wrong.answer));
        EXPECT_EQ(reply.Status, 401);
        EXPECT_EQ(reply.Head.find("stale=true"), std::string::npos);
        EXPECT_FALSE(Text(First_Digest(reply), "nonce").empty());
    }
    // Refused answers do not use up nonce counts.
    EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", Authorization(challenge, {.Nc = 2}))));
    const Camsim_Counters counters = server.Camera(1).Counters();
    EXPECT_EQ(counters.Refused, static_cast<int>(std::size(wrongs)));
    EXPECT_EQ(counters.Authorized, 2);
    EXPECT_EQ(counters.Challenges, 1 + static_cast<int>(std::size(wrongs)));
}

struct Algorithm_Case {
    const char* name;
    const char* auth;
    const char* algorithm;  // the challenge's algorithm parameter ("" for none)
    const char* qop;        // the challenge's qop parameter
    const char* answer_qop;
};

class Camsim_Digest_Forms : public ::testing::TestWithParam<Algorithm_Case> {};

TEST_P(Camsim_Digest_Forms, Accept_A_Correct_Answer)
{
    const Algorithm_Case& c = GetParam();
    Camsim_Server server(Cameras_Behind(c.auth));
    server.Start();
    Raw_Client client(server.Port(1));
    const Raw_Reply first = client.Get("/snapshot.cgi?user=admin&pwd=secret");  // the query is no credential here
    ASSERT_EQ(first.Status, 401);
    const Http_Challenge challenge = First_Digest(first);
    EXPECT_EQ(Text(challenge, "algorithm"), c.algorithm);
    EXPECT_EQ(Text(challenge, "qop"), c.qop);
    for (std::uint32_t nc = 1; nc <= 2; ++nc)
        EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", Authorization(challenge, {.Nc = nc, .Qop = c.answer_qop}))));
}

INSTANTIATE_TEST_SUITE_P(Algorithms, Camsim_Digest_Forms,
                         ::testing::Values(Algorithm_Case{"md5_sess", "digest:md5-sess", "MD5-sess", "auth", "auth"},
                                           Algorithm_Case{"sha256", "digest:sha256", "SHA-256", "auth", "auth"},
                                           Algorithm_Case{"sha256_sess", "digest:sha256-sess", "SHA-256-sess", "auth",
                                                          "auth"},
                                           Algorithm_Case{"rfc2069", "digest:noqop", "", "", ""},
                                           Algorithm_Case{"auth_int", "digest:sha256:qop=auth,auth-int", "SHA-256",
                                                          "auth,auth-int", "auth-int"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Camsim_Auth, Nonces_Serve_Many_Pictures_Until_Stale)
{
    Camsim_Options options = Cameras_Behind("digest:sha256:stale=3", 2);
    options.Auth[1].second.Stale_After = 0;  // camera 2: a nonce never goes stale
    Camsim_Server server(options);
    server.Start();

    Raw_Client kept(server.Port(2));
    const Http_Challenge challenge = First_Digest(kept.Get("/snapshot.cgi"));
    for (std::uint32_t nc = 1; nc <= 12; ++nc)
        EXPECT_TRUE(Is_Picture(kept.Get("/snapshot.cgi", Authorization(challenge, {.Nc = nc}))));
    EXPECT_EQ(server.Camera(2).Counters().Challenges, 1);
    EXPECT_EQ(server.Camera(2).Counters().Authorized, 12);

    Raw_Client client(server.Port(1));
    Http_Challenge first = First_Digest(client.Get("/snapshot.cgi"));
    for (std::uint32_t nc = 1; nc <= 3; ++nc)
        EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", Authorization(first, {.Nc = nc}))));
    const Raw_Reply stale = client.Get("/snapshot.cgi", Authorization(first, {.Nc = 4}));
    ASSERT_EQ(stale.Status, 401);
    const Http_Challenge fresh = First_Digest(stale);
    EXPECT_EQ(Text(fresh, "stale"), "true");
    EXPECT_NE(Text(fresh, "nonce"), Text(first, "nonce"));
    EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", Authorization(fresh, {.Nc = 1}))));
    const Camsim_Counters counters = server.Camera(1).Counters();
    EXPECT_EQ(counters.Stale, 1);
    EXPECT_EQ(counters.Refused, 0);
    EXPECT_EQ(counters.Challenges, 2);
    EXPECT_EQ(counters.Authorized, 4);
}

TEST(Camsim_Auth, Always_Challenges_Even_A_Correct_Answer)
{
    Camsim_Server server(Cameras_Behind("digest:always"));
    server.Start();
    Raw_Client client(server.Port(1));
    Http_Challenge challenge = First_Digest(client.Get("/snapshot.cgi"));
    for (std::uint32_t nc = 1; nc <= 3; ++nc) {
        Raw_Reply reply = client.Get("/snapshot.cgi", Authorization(challenge, {.Nc = nc}));
        EXPECT_EQ(reply.Status, 401);
        challenge = First_Digest(reply);
    }
    EXPECT_EQ(server.Camera(1).Counters().Authorized, 0);
    EXPECT_EQ(server.Camera(1).Counters().Refused, 0);
    EXPECT_EQ(server.Camera(1).Counters().Challenges, 4);
}

TEST(Camsim_Auth, Basic_Takes_Only_The_Right_Header_On_Every_Path)
{
    Camsim_Server server(Cameras_Behind("basic"));
    server.Start();
    Raw_Client client(server.Port(1));
    const std::string good = "Authorization: Basic " + Base64_Encode("admin:secret") + "\r\n";
    EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", good)));
    EXPECT_EQ(client.Get("/get_camera_params.cgi", good).Status, 200);
    struct Refused {
        const char* target;
        std::string header;
    };
    for (const Refused& refused : {
             Refused{"/snapshot.cgi", ""},
             Refused{"/snapshot.cgi?user=admin&pwd=secret", ""},
             Refused{"/snapshot.cgi", "Authorization: Basic " + Base64_Encode("admin:wrong") + "\r\n"},
             Refused{"/snapshot.cgi", "Authorization: Digest username=\"admin\", realm=\"camsim\"\r\n"},
             Refused{"/videostream.cgi?user=admin&pwd=secret", ""},
         }) {
        SCOPED_TRACE(std::string(refused.target) + " " + refused.header);
        Raw_Reply reply = client.Get(refused.target, refused.header);
        EXPECT_EQ(reply.Status, 401);
        EXPECT_EQ(reply.Headers("WWW-Authenticate"), std::vector<std::string>{"Basic realm=\"camsim\""});
    }
    EXPECT_EQ(server.Camera(1).Counters().Refused, 2);
}

TEST(Camsim_Auth, Several_Offers_On_Separate_Lines_Or_One)
{
    for (const auto& [spec, lines] :
         {std::pair{"digest:offer=sha256+md5+basic", 3u}, std::pair{"digest:offer=sha256+md5+basic:oneline", 1u}}) {
        SCOPED_TRACE(spec);
        Camsim_Server server(Cameras_Behind(spec));
        server.Start();
        Raw_Client client(server.Port(1));
        const Raw_Reply reply = client.Get("/snapshot.cgi");
        EXPECT_EQ(reply.Headers("WWW-Authenticate").size(), lines);
        const std::vector<Http_Challenge> offered = Challenges(reply);
        ASSERT_EQ(offered.size(), 3u);
        EXPECT_EQ(Text(offered[0], "algorithm"), "SHA-256");
        EXPECT_EQ(Text(offered[1], "algorithm"), "MD5");
        EXPECT_TRUE(offered[2].Is("Basic"));
        // Each challenge can be answered: the MD5 one with its own nonce, Basic with the password.
        EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", Authorization(offered[1], {}))));
        EXPECT_TRUE(Is_Picture(client.Get("/snapshot.cgi", Authorization(offered[0], {}))));
        EXPECT_TRUE(
            Is_Picture(client.Get("/snapshot.cgi", "Authorization: Basic " + Base64_Encode("admin:secret") + "\r\n")));
        // A SHA-256 answer to the MD5 challenge's nonce is not one the camera asked for.
        EXPECT_EQ(
            client.Get("/snapshot.cgi", Authorization(offered[1], {.Nc = 2, .Algorithm = Digest_Algorithm::SHA_256}))
                .Status,
            401);
    }
}

}  // namespace
