#include "Closed_Port.h"
#include "acquisition/Http_Client.h"
#include "support/Scripted_Server.h"
#include "update/Version_Fetch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

namespace {

const std::string Path = "/vesk-soft/Tambrel/Tambrel.ver";

std::string Ok(const std::string& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(Fetch_Version, Keeps_The_First_Four_Bytes_Of_What_Arrived)
{
    struct Row {
        const char* name;
        Connection_Script script;
        bool received;
        std::string version;
    };
    const Row rows[] = {
        {"four bytes", {Step::Read(), Step::Send(Ok("V3.2"))}, true, "V3.2"},
        {"longer file", {Step::Read(), Step::Send(Ok("V3.2\r\nrelease notes"))}, true, "V3.2"},
        {"two bytes", {Step::Read(), Step::Send(Ok("V4"))}, true, "V4"},
        {"empty file", {Step::Read(), Step::Send(Ok(""))}, false, ""},
        {"chunked, split inside the version",
         {Step::Read(),
          Step::Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nV3\r\n2\r\n.2\r\n0\r\n\r\n")},
         true,
         "V3.2"},
        {"two bytes, then a reset",
         {Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nV3"), Step::Pause(50), Step::Reset()},
         true,
         "V3"},
        {"five of fifty bytes, then a close",
         {Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nV3.25"), Step::Close()},
         true,
         "V3.2"},
        {"file missing: a 404 page is not a version",
         {Step::Read(), Step::Send("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot Found")},
         false,
         ""},
        {"closed without a reply", {Step::Read(), Step::Close()}, false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Scripted_Server server({row.script});
        T_Http_Client client(Check_Ver_Http_Settings());
        std::string version = "stale";
        EXPECT_EQ(Fetch_Version(client, server.Base_Url() + Path, Check_Ver_Deadline_Ms, version), row.received);
        EXPECT_EQ(version, row.version);
    }
}

TEST(Fetch_Version, Unreachable_Server_Gives_Nothing)
{
    T_Http_Client client(Check_Ver_Http_Settings());
    std::string version = "stale";
    EXPECT_FALSE(Fetch_Version(client, "http://127.0.0.1:" + std::to_string(Closed_Port()) + Path,
                               Check_Ver_Deadline_Ms, version));
    EXPECT_EQ(version, "");
}

TEST(Fetch_Version, Sends_A_Plain_Get_Of_The_Version_Path_Without_Cookies)
{
    Scripted_Server server(
        {{Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nContent-Length: 4\r\n\r\nV3.2")},
         {Step::Read(), Step::Send(Ok("V3.3"))}});
    T_Http_Client client(Check_Ver_Http_Settings());
    std::string version;
    ASSERT_TRUE(Fetch_Version(client, server.Base_Url() + Path, Check_Ver_Deadline_Ms, version));
    client.Disconnect();
    ASSERT_TRUE(Fetch_Version(client, server.Base_Url() + Path, Check_Ver_Deadline_Ms, version));
    EXPECT_EQ(version, "V3.3");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].rfind("GET " + Path + " HTTP/1.1\r\n", 0), 0u) << requests[0];
    EXPECT_EQ(requests[1].find("Cookie:"), std::string::npos) << requests[1];
}

TEST(Fetch_Version, A_Trickling_Server_Is_Abandoned_At_The_Deadline_With_What_Arrived)
{
    // One byte every two seconds stays inside the client's 5 s read time-out for as long as the
    // server likes; the deadline must end the request and keep the bytes already received.
    Connection_Script trickle{Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 30\r\n\r\nV3")};
    for (int i = 0; i < 28; ++i) {
        trickle.push_back(Step::Pause(2000));
        trickle.push_back(Step::Send("."));
    }
    Scripted_Server server({trickle, {Step::Read(), Step::Send(Ok("V3.2"))}});
    T_Http_Client client(Check_Ver_Http_Settings());
    std::string version;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Fetch_Version(client, server.Base_Url() + Path, 500, version));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(version, "V3");
    EXPECT_LT(elapsed, std::chrono::seconds(20)) << "the whole reply would take 56 s";

    // The client is not left aborted.
    EXPECT_TRUE(Fetch_Version(client, server.Base_Url() + Path, Check_Ver_Deadline_Ms, version));
    EXPECT_EQ(version, "V3.2");
}

}  // namespace
