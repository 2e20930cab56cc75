#include "acquisition/Http_Client.h"
#include "acquisition/UF_Lib_Cam.h"
#include "camsim/Camsim_Server.h"
#include "control/Camera_Control.h"
#include "support/Scripted_Server.h"

#include <QObject>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono;

constexpr int Slot = 2;  // not slot 1, so a handler that ignored the selection would show

std::string Ok(const std::string& body = "ok.\r\n")
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The request target of a raw request head ("GET <target> HTTP/1.1").
std::string Target(const std::string& head)
{
    const std::size_t start = head.find(' ') + 1;
    return head.substr(start, head.find(' ', start) - start);
}

template <typename Condition>
bool Wait_Until(Condition condition, milliseconds limit = milliseconds(5000))
{
    const auto end = steady_clock::now() + limit;
    while (!condition()) {
        if (steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(milliseconds(5));
    }
    return true;
}

// One simulated camera in slot 2, selected; the confirmation box answers `answer` and records the questions.
struct Camsim_Fixture {
    explicit Camsim_Fixture(const char* auth = "none")
        : server([auth] {
              Camsim_Options options;
              options.Width = 160;
              options.Height = 120;
              options.Login = "admin";
              options.Password = "pw";
              options.Reboot_Ms = 200;
              options.Auth.emplace_back(1, *Parse_Camsim_Auth(auth));
              return options;
          }())
    {
        Start();
    }
    Camsim_Server server;
    T_Cams cams;
    int selected = Slot;
    Dbx_Answer answer = Dbx_Answer::Yes;
    std::vector<std::string> questions;
    Camera_Control control{cams, [this] { return selected; }};

    void Start()
    {
        server.Start();
        cams[Slot].Alias = " Porch ";
        cams[Slot].Ad_Ip = "127.0.0.1";
        cams[Slot].Port = server.Port(1);
        cams[Slot].Login = "admin ";
        cams[Slot].Password = " pw";
        control.Set_Confirm([this](const std::string& question) {
            questions.push_back(question);
            return answer;
        });
    }
    Camsim_Camera& Camera() { return server.Camera(1); }
    int Requests(const std::string& path)
    {
        const Camsim_Counters counters = Camera().Counters();
        const auto it = counters.Requests_By_Path.find(path);
        return it == counters.Requests_By_Path.end() ? 0 : it->second;
    }
    std::string Last_Target() { return Target(Camera().Counters().Last_Request_Head); }
};

TEST(Camera_Control, JogStepsTheSelectedCameraInTheCommandsDirection)
{
    struct Row {
        const char* name;
        int command;
        int dx;
        int dy;
    };
    const Row rows[] = {{"BTN_Deplace_Haut", 0, 0, -1},
                        {"BTN_Deplace_Bas", 2, 0, 1},
                        {"BTN_Deplace_Gauche", 4, -1, 0},
                        {"BTN_Deplace_Droite", 6, 1, 0}};
    Camsim_Fixture f;
    for (const Row& row : rows) {
        const QPoint before = f.Camera().View();
        f.control.Send({Ptz_Action::Jog, row.command}, false);
        EXPECT_EQ(f.Last_Target(),
                  "/decoder_control.cgi?user=admin&pwd=pw&command=" + std::to_string(row.command) + "&onestep=1")
            << row.name;
        const QPoint moved = f.Camera().View() - before;
        EXPECT_EQ((moved.x() > 0) - (moved.x() < 0), row.dx) << row.name;
        EXPECT_EQ((moved.y() > 0) - (moved.y() < 0), row.dy) << row.name;
    }
    const std::string head = f.Camera().Counters().Last_Request_Head;
    EXPECT_NE(head.find("\r\nHost: 127.0.0.1:" + std::to_string(f.server.Port(1)) + "\r\n"), std::string::npos) << head;
    EXPECT_TRUE(f.questions.empty());
}

TEST(Camera_Control, CommandsToACameraBehindDigestReachItOnceEach)
{
    Camsim_Fixture f("digest:sha256");
    const QPoint before = f.Camera().View();
    f.control.Jog(6);  // challenged, then answered
    f.control.Jog(6);  // answered up front
    const Camsim_Counters counters = f.Camera().Counters();
    EXPECT_EQ(counters.Challenges, 1);
    EXPECT_EQ(counters.Authorized, 2);
    EXPECT_EQ(counters.Refused, 0);
    EXPECT_EQ(f.Requests("/decoder_control.cgi"), 3);
    EXPECT_EQ(f.Camera().View().x() - before.x(), 2 * 160 / 16) << "two steps, each taken once";
}

TEST(Camera_Control, PresetNumbersOnTheWire)
{
    Camsim_Fixture f;
    f.control.Gere_Preset_PTZ(10, true);
    EXPECT_EQ(f.Last_Target(), "/decoder_control.cgi?user=admin&pwd=pw&command=48");
    ASSERT_EQ(f.questions.size(), 1u);
    EXPECT_EQ(f.questions[0], "Are you sure you want to set this actual position to the preset position N\xC2\xB0"
                              "10");

    f.control.Send({Ptz_Action::Preset, 1}, false);
    EXPECT_EQ(f.Last_Target(), "/decoder_control.cgi?user=admin&pwd=pw&command=31");
    EXPECT_EQ(f.questions.size(), 1u) << "going to a preset asks nothing";
}

TEST(Camera_Control, StoredPresetBringsTheCameraBack)
{
    Camsim_Fixture f;
    const QPoint home = f.Camera().View();
    f.control.Gere_Preset_PTZ(3, true);
    f.control.Jog(6);
    f.control.Jog(2);
    ASSERT_NE(f.Camera().View(), home);
    f.control.Gere_Preset_PTZ(3, false);
    EXPECT_EQ(f.Camera().View(), home);
}

TEST(Camera_Control, ConfirmationAnswers)
{
    struct Row {
        const char* name;
        bool reboot;  // else a preset set
        Dbx_Answer answer;
        bool sent;
    };
    const Row rows[] = {
        {"preset set, Yes", false, Dbx_Answer::Yes, true},
        {"preset set, No", false, Dbx_Answer::No, false},
        {"preset set, box closed otherwise", false, Dbx_Answer::Other, true},
        {"reboot, Yes", true, Dbx_Answer::Yes, true},
        {"reboot, No", true, Dbx_Answer::No, false},
        {"reboot, box closed otherwise", true, Dbx_Answer::Other, false},
    };
    for (const Row& row : rows) {
        Camsim_Fixture f;
        f.answer = row.answer;
        if (row.reboot)
            f.control.Send({Ptz_Action::Reboot, 0}, false);
        else
            f.control.Send({Ptz_Action::Preset, 4}, true);
        ASSERT_EQ(f.questions.size(), 1u) << row.name;
        if (row.reboot) {
            EXPECT_EQ(f.questions[0], "Are you sure you want to reboot camera : Porch") << row.name;
        }
        const int sent = row.reboot ? f.Requests("/reboot.cgi") : f.Requests("/decoder_control.cgi");
        EXPECT_EQ(sent, row.sent ? 1 : 0) << row.name;
        if (row.sent) {
            const char* expected =
                row.reboot ? "/reboot.cgi?user=admin&pwd=pw" : "/decoder_control.cgi?user=admin&pwd=pw&command=36";
            EXPECT_EQ(f.Last_Target(), expected) << row.name;
        }
    }
}

TEST(Camera_Control, MirrorButtonsToggleTheirBitOnTheCamera)
{
    Camsim_Fixture f;
    const std::pair<int, int> presses[] = {{1, 1}, {2, 3}, {1, 2}, {2, 0}};  // bit, then the camera's state
    for (const auto& [bit, expected] : presses) {
        f.control.Send({Ptz_Action::Mirror, bit}, false);
        EXPECT_EQ(f.Camera().Flip(), expected) << bit;
    }
    EXPECT_EQ(f.Requests("/get_camera_params.cgi"), 4);
    EXPECT_EQ(f.Requests("/camera_control.cgi"), 4);
}

// The parameter answer as a camera could word it, and what each mirror button then writes.
TEST(Camera_Control, MirrorValueFromExactAnswers)
{
    struct Row {
        const char* name;
        std::string reply;
        int bit;      // 1 vertical, 2 horizontal
        int written;  // -1: no write request
    };
    const std::vector<Row> rows = {
        {"flip=0, vertical", Ok("resolution=32\r\nflip=0\r\nfps=0\r\n"), 1, 1},
        {"flip=0, horizontal", Ok("resolution=32\r\nflip=0\r\nfps=0\r\n"), 2, 2},
        {"flip=3, vertical", Ok("flip=3\n"), 1, 2},
        {"flip=3, horizontal", Ok("flip=3\n"), 2, 1},
        {"flip= ends its line", Ok("brightness=96\r\nflip=\r\nfps=0"), 2, 2},
        {"last flip= line counts", Ok("flip=1\rflip=2\r"), 1, 3},
        {"no flip= line", Ok("resolution=32\r\nfps=0\r\n"), 1, -1},
        {"empty answer", Ok(""), 1, -1},
        {"refused query", "HTTP/1.1 401 Unauthorized\r\nContent-Length: 7\r\n\r\nflip=1\n", 1, -1},
    };
    for (const Row& row : rows) {
        Scripted_Server camera({{Step::Read(), Step::Send(row.reply), Step::Read(), Step::Send(Ok())}});
        T_Cams cams;
        cams[Slot].Ad_Ip = "127.0.0.1";
        cams[Slot].Port = camera.Port();
        cams[Slot].Login = "admin";
        {
            Camera_Control control(cams, [] { return Slot; });
            control.Toggle_Mirror(row.bit);
        }
        const std::vector<std::string> requests = camera.Requests();
        ASSERT_GE(requests.size(), 1u) << row.name;
        EXPECT_EQ(Target(requests[0]), "/get_camera_params.cgi?&user=admin&pwd=") << row.name;
        if (row.written < 0) {
            EXPECT_EQ(requests.size(), 1u) << row.name;
        } else {
            ASSERT_EQ(requests.size(), 2u) << row.name;
            EXPECT_EQ(Target(requests[1]),
                      "/camera_control.cgi?param=5&value=" + std::to_string(row.written) + "&user=admin&pwd=")
                << row.name;
        }
    }
}

TEST(Camera_Control, NothingIsSentWithoutASelectedCameraOrForAPresetOutOfRange)
{
    Camsim_Fixture f;
    for (int selected : {0, -1, 10}) {
        f.selected = selected;
        for (const Ptz_Button& button : Ptz_Buttons)
            f.control.Send(button.Command, true);
    }
    f.selected = Slot;
    for (int n : {0, 11, -1}) {
        f.control.Gere_Preset_PTZ(n, true);
        f.control.Gere_Preset_PTZ(n, false);
    }

    EXPECT_EQ(f.Camera().Counters().Connections, 0);
    EXPECT_TRUE(f.questions.empty());
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        EXPECT_EQ(f.control.Existing_Client(slot), nullptr) << "no client is made before a command is sent";
}

TEST(Camera_Control, ASilentCameraReleasesTheHandlerWithinTheTimeOuts)
{
    Scripted_Server silent({{Step::Read(), Step::Hang()}});
    T_Cams cams;
    cams[Slot].Ad_Ip = "127.0.0.1";
    cams[Slot].Port = silent.Port();
    Camera_Control control(cams, [] { return Slot; });
    const auto start = steady_clock::now();
    control.Jog(2);
    EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - start).count(), 9000);
    EXPECT_EQ(silent.Requests().size(), 1u);
}

TEST(Camera_Control, CommandsDoNotWaitForTheSnapshotInFlight)
{
    // The first connection is the worker's snapshot request, which the camera never answers; the
    // command must go over a connection of its own and complete at once.
    Scripted_Server camera({{Step::Read(), Step::Hang()}, {Step::Read(), Step::Send(Ok())}});
    T_Cams cams;
    cams[Slot].Ad_Ip = "127.0.0.1";
    cams[Slot].Port = camera.Port();
    cams[Slot].Login = "admin";

    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi?user=admin&pwd=");
    worker.Poll_Flux();
    ASSERT_TRUE(Wait_Until([&] { return camera.Requests().size() == 1; })) << "the snapshot request is on the wire";

    Camera_Control control(cams, [] { return Slot; });
    ASSERT_EQ(control.Existing_Client(Slot), nullptr);
    const auto start = steady_clock::now();
    control.Jog(4);
    EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - start).count(), 2000);
    EXPECT_NE(control.Existing_Client(Slot), nullptr);

    const std::vector<std::string> requests = camera.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(Target(requests[0]), "/snapshot.cgi?user=admin&pwd=");
    EXPECT_EQ(Target(requests[1]), "/decoder_control.cgi?user=admin&pwd=&command=4&onestep=1");
    EXPECT_EQ(camera.Connections_Accepted(), 2);
    EXPECT_TRUE(worker.Fetching()) << "the snapshot is still waiting for its reply";
}

}  // namespace
