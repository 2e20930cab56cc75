#include <gtest/gtest.h>

#include <openssl/ssl.h>

#include <chrono>
#include <thread>

#include "Camsim_Client.h"
#include "camsim/Camsim_Server.h"

namespace {

using namespace std::chrono;

Camsim_Options Streaming(const std::string& stream_spec, int count = 1)
{
    Camsim_Options options;
    options.Count = count;
    options.Width = 160;
    options.Height = 120;
    options.Fps = 0.1;  // one scene change every ten seconds: every part carries the same picture
    options.Password = "secret";
    for (int camera = 1; camera <= count; ++camera)
        options.Streams.emplace_back(camera, *Parse_Camsim_Stream(stream_spec));
    return options;
}

const std::string Stream_Target = "/videostream.cgi?user=admin&pwd=secret";

// Waits (at most a second) until the camera's counters satisfy done.
template <typename Done>
bool Eventually(const Camsim_Camera& camera, Done done)
{
    auto deadline = steady_clock::now() + seconds(1);
    while (!done(camera.Counters()) && steady_clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(5));
    return done(camera.Counters());
}

struct Framing_Case {
    const char* name;
    const char* spec;  // drop=2 follows: the reply is the head and two parts
    const char* content_type;
    const char* part_before_length;  // the part up to its length (the length and what follows are added)
    const char* after_length;        // "" when the part has no Content-Length line
    const char* after_picture;
};

class Camsim_Stream_Framing : public ::testing::TestWithParam<Framing_Case> {};

TEST_P(Camsim_Stream_Framing, Sends_Exactly_These_Bytes)
{
    const Framing_Case& c = GetParam();
    Camsim_Server server(Streaming(std::string(c.spec) + (*c.spec ? ":" : "") + "drop=2:fps=50"));
    server.Start();
    const std::string jpeg = server.Camera(1).Snapshot().toStdString();
    Raw_Client client(server.Port(1));
    ASSERT_TRUE(client.Send("GET " + Stream_Target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    const std::string received = client.Read_Until_Close();

    std::string part = c.part_before_length;
    if (*c.after_length)
        part += std::to_string(jpeg.size()) + c.after_length;
    part += jpeg + c.after_picture;
    const std::string head = std::string("HTTP/1.1 200 OK\r\nServer: tambrel-camsim\r\nContent-Type: ") +
                             c.content_type + "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n";
    EXPECT_EQ(received.substr(0, head.size()), head);
    EXPECT_TRUE(received == head + part + part)
        << received.size() << " bytes instead of " << (head + part + part).size();
    EXPECT_TRUE(Eventually(server.Camera(1), [](const Camsim_Counters& k) { return k.Streams_Open == 0; }));
    EXPECT_EQ(server.Camera(1).Counters().Stream_Parts, 2);
    EXPECT_EQ(server.Camera(1).Counters().Streams_Opened, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Options, Camsim_Stream_Framing,
    ::testing::Values(Framing_Case{"default", "", "multipart/x-mixed-replace; boundary=camsimframe",
                                   "--camsimframe\r\nContent-Type: image/jpeg\r\nContent-Length: ", "\r\n\r\n", "\r\n"},
                      Framing_Case{"nolength", "nolength", "multipart/x-mixed-replace; boundary=camsimframe",
                                   "--camsimframe\r\nContent-Type: image/jpeg\r\n\r\n", "", "\r\n"},
                      Framing_Case{"lf", "lf", "multipart/x-mixed-replace; boundary=camsimframe",
                                   "--camsimframe\nContent-Type: image/jpeg\nContent-Length: ", "\n\n", "\n"},
                      Framing_Case{"header_case_quoted", "header-case:quoted",
                                   "multipart/x-mixed-replace; boundary=\"camsimframe\"",
                                   "--camsimframe\r\ncontent-TYPE: image/jpeg\r\ncontent-LENGTH: ", "\r\n\r\n", "\r\n"},
                      Framing_Case{"nodash", "nodash", "multipart/x-mixed-replace; boundary=--camsimframe",
                                   "--camsimframe\r\nContent-Type: image/jpeg\r\nContent-Length: ", "\r\n\r\n",
                                   "\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Camsim_Stream, Repeats_The_Cached_Picture_At_Its_Rate_Until_The_Client_Leaves)
{
    Camsim_Server server(Streaming("fps=40"));
    server.Start();
    Camsim_Camera& camera = server.Camera(1);
    {
        Raw_Client client(server.Port(1));
        client.Send("GET " + Stream_Target + " HTTP/1.1\r\n\r\n");
        auto start = steady_clock::now();
        client.Read_At_Least(1);
        std::this_thread::sleep_for(milliseconds(150));
        const int parts = camera.Counters().Stream_Parts;
        const double expected = 1 + 40 * duration<double>(steady_clock::now() - start).count();
        EXPECT_GE(parts, 4);
        EXPECT_LE(parts, expected + 1);
        EXPECT_EQ(camera.Counters().Frames_Rendered, 1);
        EXPECT_EQ(camera.Counters().Streams_Open, 1);
    }
    // Gone between two parts: the camera notices without sending, and stops.
    EXPECT_TRUE(Eventually(camera, [](const Camsim_Counters& k) { return k.Streams_Open == 0; }));
    const int parts = camera.Counters().Stream_Parts;
    std::this_thread::sleep_for(milliseconds(60));
    EXPECT_EQ(camera.Counters().Stream_Parts, parts);
}

TEST(Camsim_Stream, Stop_Returns_Promptly_With_A_Stream_And_A_Handshake_Open)
{
    Camsim_Options options = Streaming("fps=2", 2);
    options.Tls.emplace_back(2, Camsim_Tls{});
    Camsim_Server server(options);
    server.Start();
    Raw_Client watcher(server.Port(1));
    watcher.Send("GET " + Stream_Target + " HTTP/1.1\r\n\r\n");
    watcher.Read_At_Least(1);
    Raw_Client silent(server.Port(2));  // the TLS camera waits for its hello
    ASSERT_TRUE(Eventually(server.Camera(2), [](const Camsim_Counters& k) { return k.Connections == 1; }));
    auto start = steady_clock::now();
    server.Stop();
    EXPECT_LT(steady_clock::now() - start, milliseconds(500));
    EXPECT_EQ(server.Camera(1).Counters().Streams_Open, 0);
}

TEST(Camsim_Stream, Snapshot_As_A_One_Part_Multipart_Reply)
{
    for (Camsim_Fault fault : {Camsim_Fault::Multipart_One, Camsim_Fault::Multipart_One_Close}) {
        SCOPED_TRACE(Camsim_Fault_Name(fault));
        Camsim_Options options = Streaming("default");
        options.Faults = {{1, fault}};
        Camsim_Server server(options);
        server.Start();
        const std::string jpeg = server.Camera(1).Snapshot().toStdString();
        Raw_Client client(server.Port(1));
        const Raw_Reply reply = client.Get("/snapshot.cgi?user=admin&pwd=secret");
        EXPECT_EQ(reply.Header("Content-Type"), "multipart/x-mixed-replace; boundary=camsimframe");
        EXPECT_EQ(reply.Body, "--camsimframe\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                                  std::to_string(jpeg.size()) + "\r\n\r\n" + jpeg + "\r\n--camsimframe--\r\n");
        if (fault == Camsim_Fault::Multipart_One) {
            EXPECT_EQ(reply.Header("Content-Length"), std::to_string(reply.Body.size()));
            EXPECT_EQ(client.Get("/get_camera_params.cgi?user=admin&pwd=secret").Status, 200);  // kept
        } else {
            EXPECT_EQ(reply.Header("Content-Length"), std::nullopt);
        }
    }
}

}  // namespace
