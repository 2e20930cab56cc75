#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "acquisition/Http_Client.h"
#include "camsim/Camsim_Server.h"
#include "imaging/Jpeg_Codec.h"
#include "support/Temp_Dir.h"

namespace {

using namespace std::chrono;

Camsim_Options Small(int count = 1)
{
    Camsim_Options options;
    options.Count = count;
    options.Width = 320;
    options.Height = 240;
    options.Login = "admin";
    options.Password = "secret";
    options.Reboot_Ms = 300;
    options.Slow_Ms = 100;
    return options;
}

std::string Credentials(const Camsim_Server& server)
{
    return "user=" + server.Options().Login + "&pwd=" + server.Options().Password;
}

std::string Fetch(T_Http_Client& client, const std::string& url)
{
    std::string body;
    client.Get(url, body);
    return body;
}

QImage Decode(const std::string& body)
{
    return Jpeg_Decode(body.data(), body.size());
}

// Mean colour of a rectangle of a picture.
QColor Mean(const QImage& image, QRect area)
{
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = area.top(); y <= area.bottom(); y += 2)
        for (int x = area.left(); x <= area.right(); x += 2) {
            QRgb p = image.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
        }
    return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

TEST(Camsim, Snapshot_Is_A_Jpeg_Of_The_Configured_Size_And_Moves_Over_Time)
{
    Camsim_Options options = Small();
    options.Fps = 20;
    Camsim_Server server(options);
    server.Start();
    T_Http_Client client;
    QImage first = Decode(Fetch(client, server.Snapshot_Url(1)));
    EXPECT_EQ(first.size(), QSize(320, 240));
    // Upper half is sky (blue), lower half ground (green).
    QColor sky = Mean(first, QRect(160, 40, 150, 40));
    QColor ground = Mean(first, QRect(160, 200, 150, 30));
    EXPECT_GT(sky.blue(), sky.green());
    EXPECT_GT(ground.green(), ground.blue());
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_NE(Decode(Fetch(client, server.Snapshot_Url(1))), first);
    EXPECT_EQ(server.Camera(1).Counters().Connections, 1);
}

TEST(Camsim, Renders_At_Scene_Rate_Not_Per_Request)
{
    Camsim_Options options = Small();
    options.Fps = 0.1;  // one frame every ten seconds
    Camsim_Server server(options);
    server.Start();
    T_Http_Client client;
    std::string first = Fetch(client, server.Snapshot_Url(1));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Fetch(client, server.Snapshot_Url(1)), first);
    EXPECT_EQ(server.Camera(1).Counters().Frames_Rendered, 1);
    EXPECT_EQ(server.Camera(1).Counters().Requests_By_Path.at("/snapshot.cgi"), 21);
}

TEST(Camsim, Checks_Credentials_On_Every_Command)
{
    Camsim_Server server(Small());
    server.Start();
    const std::string base = server.Base_Url(1);
    for (const std::string& url :
         {base + "/snapshot.cgi?user=admin&pwd=wrong", base + "/snapshot.cgi?user=root&pwd=secret",
          base + "/snapshot.cgi", base + "/decoder_control.cgi?user=admin&pwd=&command=6",
          base + "/reboot.cgi?user=admin"}) {
        SCOPED_TRACE(url);
        T_Http_Client client;
        try {
            Fetch(client, url);
            FAIL() << "accepted";
        } catch (const E_Http_Protocol_Error& e) {
            EXPECT_EQ(e.Error_Code, 401);
        }
    }
    EXPECT_FALSE(server.Is_Offline(1));
    Camsim_Camera_Config config;
    config.Width = 320;
    config.Height = 240;
    EXPECT_EQ(server.Camera(1).View(), Camsim_Camera(config).View());
}

TEST(Camsim, Unknown_Path_Is_Not_Found)
{
    Camsim_Server server(Small());
    server.Start();
    T_Http_Client client;
    try {
        Fetch(client, server.Base_Url(1) + "/index.html");
        FAIL();
    } catch (const E_Http_Protocol_Error& e) {
        EXPECT_EQ(e.Error_Code, 404);
    }
}

TEST(Camsim, Flip_Round_Trip_Mirrors_The_Picture)
{
    Camsim_Server server(Small());
    server.Start();
    T_Http_Client client;
    const std::string base = server.Base_Url(1);
    auto flip_line = [&] {
        std::string text = Fetch(client, base + "/get_camera_params.cgi?&" + Credentials(server));
        return text.substr(text.find("flip="), 6);
    };
    EXPECT_EQ(flip_line(), "flip=0");
    Fetch(client, base + "/camera_control.cgi?param=5&value=1&" + Credentials(server));
    EXPECT_EQ(flip_line(), "flip=1");
    EXPECT_EQ(server.Camera(1).Flip(), 1);
    // Upside down: the ground is now at the top.
    QImage flipped = Decode(Fetch(client, server.Snapshot_Url(1)));
    QColor top = Mean(flipped, QRect(160, 40, 150, 40));
    EXPECT_GT(top.green(), top.blue());
    Fetch(client, base + "/camera_control.cgi?param=5&value=7&" + Credentials(server));
    EXPECT_EQ(flip_line(), "flip=3");
    Fetch(client, base + "/camera_control.cgi?param=5&value=0&" + Credentials(server));
    EXPECT_EQ(flip_line(), "flip=0");
    EXPECT_EQ(server.Camera(1).Counters().Connections, 1);
}

TEST(Camsim, Jog_Steps_And_Presets_Store_And_Recall)
{
    Camsim_Server server(Small());
    server.Start();
    T_Http_Client client;
    auto command = [&](int n) {
        Fetch(client, server.Base_Url(1) + "/decoder_control.cgi?" + Credentials(server) +
                          "&command=" + std::to_string(n) + "&onestep=1");
    };
    const QPoint start = server.Camera(1).View();
    command(6);
    command(6);
    command(2);
    const QPoint moved = server.Camera(1).View();
    EXPECT_EQ(moved, start + QPoint(2 * 320 / 16, 240 / 16));
    command(48);  // store preset 10
    command(4);
    command(0);
    command(0);
    EXPECT_NE(server.Camera(1).View(), moved);
    command(33);  // preset 2 was never stored: nothing moves
    const QPoint before_recall = server.Camera(1).View();
    EXPECT_EQ(before_recall, start + QPoint(320 / 16, -240 / 16));
    command(49);  // recall preset 10
    EXPECT_EQ(server.Camera(1).View(), moved);
    for (int i = 0; i < 100; ++i)
        command(4);  // the view stops at the edge of the world
    EXPECT_EQ(server.Camera(1).View().x(), 0);
}

TEST(Camsim, Reboot_Goes_Offline_Then_Comes_Back)
{
    Camsim_Server server(Small());
    server.Start();
    T_Http_Client client;
    Fetch(client, server.Snapshot_Url(1));
    Fetch(client, server.Base_Url(1) + "/reboot.cgi?" + Credentials(server));
    EXPECT_TRUE(server.Is_Offline(1));
    try {
        Fetch(client, server.Snapshot_Url(1));
        FAIL() << "answered while rebooting";
    } catch (const E_Http_Error& e) {
        EXPECT_EQ(e.Socket_Error, ECONNREFUSED) << e.what();
    }
    auto deadline = steady_clock::now() + seconds(5);
    std::string body;
    while (body.empty() && steady_clock::now() < deadline) {
        std::this_thread::sleep_for(milliseconds(50));
        try {
            body = Fetch(client, server.Snapshot_Url(1));
        } catch (const E_Http_Error&) {
        }
    }
    EXPECT_FALSE(Decode(body).isNull());
    EXPECT_FALSE(server.Is_Offline(1));
}

struct Fault_Case {
    const char* name;
    Camsim_Fault fault;
    enum { Picture, Not_A_Picture, Refused, Failed } outcome;
    int code_or_connections;  // Refused: status code; Picture: connections for two calls
};

class Camsim_Faults : public ::testing::TestWithParam<Fault_Case> {};

TEST_P(Camsim_Faults, Reach_The_Client_As_A_Camera_Would_Send_Them)
{
    const auto& c = GetParam();
    Camsim_Options options = Small();
    options.Fps = 0.1;
    options.Faults = {{1, c.fault}};
    Camsim_Server server(options);
    server.Start();
    Http_Settings settings;
    settings.Read_Timeout_Ms = 300;
    T_Http_Client client(settings);
    const std::string jpeg = server.Camera(1).Snapshot().toStdString();
    for (int call = 0; call < 2; ++call) {
        std::string body;
        try {
            client.Get(server.Snapshot_Url(1), body);
            if (c.outcome == Fault_Case::Picture)
                EXPECT_EQ(body, jpeg);
            else if (c.outcome == Fault_Case::Not_A_Picture)
                EXPECT_THROW(Decode(body), Jpeg_Error);
            else
                ADD_FAILURE() << "accepted";
        } catch (const E_Http_Protocol_Error& e) {
            EXPECT_EQ(c.outcome, Fault_Case::Refused) << e.what();
            EXPECT_EQ(e.Error_Code, c.code_or_connections);
        } catch (const E_Http_Error& e) {
            EXPECT_EQ(c.outcome, Fault_Case::Failed) << e.what();
        }
    }
    if (c.outcome == Fault_Case::Picture) {
        EXPECT_EQ(server.Camera(1).Counters().Connections, c.code_or_connections);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Camsim_Faults,
    ::testing::Values(Fault_Case{"keep_alive", Camsim_Fault::Keep_Alive, Fault_Case::Picture, 1},
                      Fault_Case{"close", Camsim_Fault::Close, Fault_Case::Picture, 2},
                      Fault_Case{"close_upper", Camsim_Fault::Close_Upper, Fault_Case::Picture, 2},
                      Fault_Case{"silent_close", Camsim_Fault::Silent_Close, Fault_Case::Picture, 2},
                      Fault_Case{"chunked", Camsim_Fault::Chunked, Fault_Case::Picture, 1},
                      Fault_Case{"no_length", Camsim_Fault::No_Length, Fault_Case::Picture, 2},
                      Fault_Case{"short_body", Camsim_Fault::Short_Body, Fault_Case::Picture, 2},
                      Fault_Case{"continue", Camsim_Fault::Continue_100, Fault_Case::Picture, 1},
                      Fault_Case{"cookie", Camsim_Fault::Set_Cookie, Fault_Case::Picture, 1},
                      Fault_Case{"slow", Camsim_Fault::Slow, Fault_Case::Picture, 1},
                      Fault_Case{"html", Camsim_Fault::Html_200, Fault_Case::Not_A_Picture, 0},
                      Fault_Case{"redirect", Camsim_Fault::Redirect_302, Fault_Case::Refused, 302},
                      Fault_Case{"location_200", Camsim_Fault::Location_200, Fault_Case::Refused, 200},
                      Fault_Case{"unauthorized", Camsim_Fault::Unauthorized_401, Fault_Case::Refused, 401},
                      Fault_Case{"not_found", Camsim_Fault::Not_Found_404, Fault_Case::Refused, 404},
                      Fault_Case{"hang", Camsim_Fault::Hang, Fault_Case::Failed, 0},
                      Fault_Case{"reset", Camsim_Fault::Reset_Mid_Body, Fault_Case::Failed, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Camsim, Records_Request_Heads_And_Cookie_Round_Trip)
{
    Temp_Dir dir;
    Camsim_Options options = Small();
    options.Log_File = dir.File("heads.log");
    Camsim_Server server(options);
    server.Start();
    T_Http_Client client;
    Fetch(client, server.Snapshot_Url(1));
    server.Camera(1).Set_Fault(Camsim_Fault::Set_Cookie);  // changed while running
    Fetch(client, server.Snapshot_Url(1));
    Fetch(client, server.Snapshot_Url(1));
    Camsim_Counters counters = server.Camera(1).Counters();
    const std::string expected_head =
        "GET /snapshot.cgi?user=admin&pwd=secret HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.Port(1)) +
        "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
        "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\nCookie: camsim_session=1\r\n\r\n";
    EXPECT_EQ(counters.Last_Request_Head, expected_head);
    ASSERT_EQ(counters.Request_Log.size(), 3u);
    EXPECT_EQ(counters.Request_Log[1].find("Cookie"), std::string::npos);
    server.Stop();
    std::string log = Read_File(dir.File("heads.log"));
    EXPECT_NE(log.find("== CAM1 port " + std::to_string(server.Port(1)) + "\r\n" + expected_head), std::string::npos);
}

TEST(Camsim, Serves_Nine_Cameras_On_Their_Own_Ports)
{
    Camsim_Server server(Small(9));
    server.Start();
    std::vector<std::thread> fetchers;
    std::atomic<int> pictures{0};
    for (int camera = 1; camera <= 9; ++camera)
        fetchers.emplace_back([&, camera] {
            T_Http_Client client;
            for (int i = 0; i < 5; ++i)
                if (!Decode(Fetch(client, server.Snapshot_Url(camera))).isNull())
                    ++pictures;
        });
    for (auto& t : fetchers)
        t.join();
    EXPECT_EQ(pictures, 45);
    for (int camera = 1; camera <= 9; ++camera)
        EXPECT_EQ(server.Camera(camera).Counters().Connections, 1);
}

TEST(Camsim, Stop_Returns_Promptly_With_Hanging_Connections)
{
    Camsim_Options options = Small(2);
    options.Faults = {{1, Camsim_Fault::Hang}};
    Camsim_Server server(options);
    server.Start();
    std::vector<int> sockets;
    for (int camera = 1; camera <= 2; ++camera) {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(server.Port(camera)));
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        const std::string request = "GET /snapshot.cgi?" + Credentials(server) + " HTTP/1.1\r\n\r\n";
        if (camera == 1)
            send(fd, request.data(), request.size(), 0);  // the hanging camera holds this one
        sockets.push_back(fd);                            // camera 2 waits for a request head
    }
    std::this_thread::sleep_for(milliseconds(100));
    auto start = steady_clock::now();
    server.Stop();
    EXPECT_LT(steady_clock::now() - start, seconds(1));
    for (int fd : sockets)
        close(fd);
}

struct Args_Case {
    const char* name;
    std::vector<std::string> args;
    bool good;
};

class Camsim_Args : public ::testing::TestWithParam<Args_Case> {};

TEST_P(Camsim_Args, Accepts_Or_Rejects)
{
    std::string error;
    auto options = Parse_Camsim_Args(GetParam().args, error);
    EXPECT_EQ(options.has_value(), GetParam().good) << error;
    if (!GetParam().good && GetParam().args.front() != "--help") {
        EXPECT_FALSE(error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Camsim_Args,
    ::testing::Values(
        Args_Case{"full_set",
                  {"--count", "9", "--base-port", "8001", "--size", "320x240", "--fps", "2.5", "--login", "u",
                   "--password", "p", "--fault", "3:chunked", "--fault", "9:hang", "--reboot-ms", "100"},
                  true},
        Args_Case{"help", {"--help"}, false}, Args_Case{"count_zero", {"--count", "0"}, false},
        Args_Case{"ports_beyond_range", {"--count", "9", "--base-port", "65530"}, false},
        Args_Case{"size_without_x", {"--size", "640"}, false},
        Args_Case{"fault_beyond_count", {"--count", "2", "--fault", "3:close"}, false},
        Args_Case{"unknown_fault", {"--fault", "1:explode"}, false}, Args_Case{"missing_value", {"--count"}, false},
        Args_Case{"unknown_option", {"--bind", "0.0.0.0"}, false},
        Args_Case{"every_new_option",
                  {"--count",   "3",
                   "--auth",    "1:digest:sha256-sess:qop=auth,auth-int:stale=5:always:oneline",
                   "--auth",    "all:basic",
                   "--auth",    "2:digest:offer=sha256+md5+basic",
                   "--auth",    "3:digest:noqop",
                   "--tls",     "all",
                   "--tls-max", "2:1.1",
                   "--idle-ms", "500",
                   "--stream",  "1:fps=2.5:nolength:lf:drop=3:nodash:header-case:quoted",
                   "--stream",  "all:default"},
                  true},
        Args_Case{"auth_without_camera", {"--auth", "digest"}, false},
        Args_Case{"auth_unknown_algorithm", {"--auth", "1:digest:sha512"}, false},
        Args_Case{"auth_two_algorithms", {"--auth", "1:digest:md5:sha256"}, false},
        Args_Case{"auth_algorithm_and_offer", {"--auth", "1:digest:sha256:offer=md5+basic"}, false},
        Args_Case{"auth_offer_twice_the_same", {"--auth", "1:digest:offer=md5+md5"}, false},
        Args_Case{"auth_noqop_and_qop", {"--auth", "1:digest:noqop:qop=auth"}, false},
        Args_Case{"auth_unknown_qop", {"--auth", "1:digest:qop=auth-conf"}, false},
        Args_Case{"auth_stale_zero", {"--auth", "1:digest:stale=0"}, false},
        Args_Case{"auth_basic_with_options", {"--auth", "1:basic:always"}, false},
        Args_Case{"auth_beyond_count", {"--count", "2", "--auth", "3:basic"}, false},
        Args_Case{"tls_beyond_count", {"--tls", "2"}, false}, Args_Case{"tls_with_spec", {"--tls", "1:yes"}, false},
        Args_Case{"tls_max_unknown", {"--tls-max", "1:1.4"}, false},
        Args_Case{"stream_fps_zero", {"--stream", "1:fps=0"}, false},
        Args_Case{"stream_drop_negative", {"--stream", "1:drop=-1"}, false},
        Args_Case{"stream_option_twice", {"--stream", "1:lf:lf"}, false},
        Args_Case{"stream_unknown_option", {"--stream", "1:gzip"}, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Camsim, Parsed_Options_Hold_The_Values)
{
    std::string error;
    auto options =
        Parse_Camsim_Args({"--count", "3", "--size", "320x200", "--fault", "2:reset", "--fault", "3:no-length"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->Count, 3);
    EXPECT_EQ(options->Width, 320);
    EXPECT_EQ(options->Height, 200);
    ASSERT_EQ(options->Faults.size(), 2u);
    EXPECT_EQ(options->Faults[0], std::make_pair(2, Camsim_Fault::Reset_Mid_Body));
    EXPECT_EQ(options->Faults[1], std::make_pair(3, Camsim_Fault::No_Length));
    for (auto fault : Camsim_All_Faults())
        EXPECT_EQ(Camsim_Fault_From_Name(Camsim_Fault_Name(fault)), fault);
}

TEST(Camsim, Per_Camera_Options_Land_On_Their_Cameras_And_Print_Back)
{
    std::string error;
    auto options = Parse_Camsim_Args({"--count", "3", "--auth", "all:digest:sha256:stale=4", "--auth",
                                      "2:digest:offer=md5+basic:oneline", "--tls", "3", "--tls-max", "1:1.1",
                                      "--stream", "2:fps=12.5:lf:drop=7"},
                                     error);
    ASSERT_TRUE(options) << error;
    ASSERT_EQ(options->Auth.size(), 4u);
    ASSERT_EQ(options->Tls.size(), 2u);
    EXPECT_EQ(options->Tls[0].first, 1);
    EXPECT_EQ(options->Tls[0].second.Max, Camsim_Tls_Version::TLS_1_1);
    EXPECT_EQ(options->Tls[1].first, 3);
    EXPECT_EQ(options->Tls[1].second.Max, Camsim_Tls_Version::TLS_1_3);
    ASSERT_EQ(options->Streams.size(), 1u);
    EXPECT_EQ(options->Streams[0].second.Fps, 12.5);
    EXPECT_EQ(options->Streams[0].second.Drop_After, 7);

    options->Width = 160;
    options->Height = 120;
    Camsim_Server server(*options);  // the later --auth for camera 2 wins
    const Camsim_Auth& auth = server.Camera(2).Config().Auth;
    EXPECT_EQ(Camsim_Auth_Text(auth), "digest:offer=md5+basic:oneline");
    EXPECT_EQ(Camsim_Auth_Text(server.Camera(1).Config().Auth), "digest:sha256:stale=4");
    EXPECT_EQ(Camsim_Stream_Text(server.Camera(2).Config().Stream), "fps=12.5:lf:drop=7");
    EXPECT_TRUE(server.Is_Https(1));
    EXPECT_FALSE(server.Is_Https(2));
    for (const char* spec : {"none", "basic", "digest", "digest:md5-sess:noqop:always",
                             "digest:qop=auth-int,auth:stale=9", "digest:offer=sha256-sess+basic+md5:oneline"})
        EXPECT_EQ(Camsim_Auth_Text(*Parse_Camsim_Auth(spec)), spec);
    for (const char* spec : {"default", "fps=0.5:nolength:lf:drop=1:nodash:header-case:quoted"})
        EXPECT_EQ(Camsim_Stream_Text(*Parse_Camsim_Stream(spec)), spec);
}

}  // namespace
