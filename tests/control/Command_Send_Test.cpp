#include "acquisition/Http_Client.h"
#include "control/Command_Send.h"
#include "support/Scripted_Server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string Reply(const std::string& status, const std::string& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

TEST(Split_Lines, EndsAtCrLfOrCrLf)
{
    const std::vector<std::pair<std::string, Lines>> rows = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"one", {"one"}},
        {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
        {"\xB0\n", {"\xB0"}},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(Split_Lines(text), expected) << "'" << text << "'";
}

TEST(Query_Command, ReplacesTheListOnlyWithANonEmptyBody)
{
    Scripted_Server server(
        {{Step::Read(), Step::Send(Reply("200 OK", "flip=1\r\nfps=0\r\n")), Step::Read(),
          Step::Send(Reply("200 OK", "")), Step::Read(), Step::Send(Reply("404 Not Found", "missing\r\n"))}});
    T_Http_Client client(Command_Http_Settings());
    Lines lines = {"old"};
    EXPECT_TRUE(Query_Command(client, server.Base_Url() + "/get_camera_params.cgi?&user=a&pwd=", lines));
    EXPECT_EQ(lines, (Lines{"flip=1", "fps=0"}));

    lines = {"kept"};
    EXPECT_TRUE(Query_Command(client, server.Base_Url() + "/get_camera_params.cgi?", lines)) << "empty body";
    EXPECT_EQ(lines, Lines{"kept"});

    EXPECT_FALSE(Query_Command(client, server.Base_Url() + "/get_camera_params.cgi?", lines)) << "refused reply";
    EXPECT_EQ(lines, Lines{"kept"});
}

TEST(Send_Command, DropsEveryFailure)
{
    int closed_port = 0;
    {
        Scripted_Server gone({});
        closed_port = gone.Port();
    }
    Scripted_Server refusing(
        {{Step::Read(), Step::Send(Reply("401 Unauthorized", "no")), Step::Close()}, {Step::Read(), Step::Reset()}});
    T_Http_Client client(Command_Http_Settings());
    EXPECT_NO_THROW(Send_Command(client, "http://127.0.0.1:" + std::to_string(closed_port) + "/reboot.cgi?"));
    EXPECT_NO_THROW(Send_Command(client, refusing.Base_Url() + "/reboot.cgi?user=a&pwd=b"));
    EXPECT_NO_THROW(Send_Command(client, refusing.Base_Url() + "/reboot.cgi?user=a&pwd=b"));
    EXPECT_NO_THROW(Send_Command(client, "https://127.0.0.1/reboot.cgi?"));
    Lines lines;
    EXPECT_FALSE(Query_Command(client, "http://127.0.0.1:" + std::to_string(closed_port) + "/x", lines));
}

TEST(Send_Command, IsNotSentAgainWhenTheKeptConnectionDropsUnderIt)
{
    // The camera takes the second request, then drops the connection without a reply: it may well
    // have acted on it (a reboot, a preset store), so the command must not leave a second time.
    for (bool command : {true, false}) {
        SCOPED_TRACE(command ? "command" : "snapshot");
        Scripted_Server camera({{Step::Read(), Step::Send(Reply("200 OK", "ok")), Step::Read(), Step::Close()}, {}});
        T_Http_Client client(command ? Command_Http_Settings() : Http_Settings{});
        std::string body;
        client.Get(camera.Base_Url() + "/decoder_control.cgi?command=30", body);
        EXPECT_THROW(client.Get(camera.Base_Url() + "/decoder_control.cgi?command=30", body), E_Http_Error);
        ASSERT_TRUE(camera.Wait_Idle(2000));
        EXPECT_EQ(camera.Connections_Accepted(), command ? 1 : 2);
    }
}

TEST(Send_Command, ASilentCameraHoldsTheCallerOnlyForTheReadTimeOut)
{
    Scripted_Server silent({{Step::Read(), Step::Hang()}});
    T_Http_Client client(Command_Http_Settings());
    const auto start = std::chrono::steady_clock::now();
    Send_Command(client, silent.Base_Url() + "/decoder_control.cgi?user=a&pwd=&command=0&onestep=1");
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(waited.count(), 4500) << "gave up before the 5 s read time-out";
    EXPECT_LT(waited.count(), 9000) << "a silent camera must not hold the user-interface thread";
}

}  // namespace
