#include "acquisition/Http_Request.h"
#include "acquisition/Http_Url.h"
#include "control/Camera_Commands.h"
#include "control/Command_Send.h"
#include "control/Flip_State.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

T_Cam Cam(const std::string& ad_ip, int port, const std::string& login, const std::string& password)
{
    T_Cam cam;
    cam.Ad_Ip = ad_ip;
    cam.Port = port;
    cam.Login = login;
    cam.Password = password;
    return cam;
}

struct Url_Row {
    const char* name;
    T_Cam cam;
    std::function<std::string(const T_Cam&)> build;
    std::string expected;
};

TEST(Command_Urls, ParametersInOrderTrimmedAndUnescaped)
{
    const T_Cam plain = Cam("192.168.1.1", 8080, "admin", "");
    const std::vector<Url_Row> rows = {
        {"jog left, empty password", plain, [](const T_Cam& c) { return Jog_Url(c, 4); },
         "http://192.168.1.1:8080/decoder_control.cgi?user=admin&pwd=&command=4&onestep=1"},
        {"preset set 10", plain, [](const T_Cam& c) { return Preset_Url(c, 48); },
         "http://192.168.1.1:8080/decoder_control.cgi?user=admin&pwd=&command=48"},
        {"read parameters: & right after ?", plain, [](const T_Cam& c) { return Read_Params_Url(c); },
         "http://192.168.1.1:8080/get_camera_params.cgi?&user=admin&pwd="},
        {"write flip", plain, [](const T_Cam& c) { return Write_Flip_Url(c, 3); },
         "http://192.168.1.1:8080/camera_control.cgi?param=5&value=3&user=admin&pwd="},
        {"reboot", plain, [](const T_Cam& c) { return Reboot_Url(c); },
         "http://192.168.1.1:8080/reboot.cgi?user=admin&pwd="},
        {"login and password trimmed of blanks and control characters, inner ones kept",
         Cam("cam", 81, " \tad min\r\n", "\x01p&w d#1 "), [](const T_Cam& c) { return Reboot_Url(c); },
         "http://cam:81/reboot.cgi?user=ad min&pwd=p&w d#1"},
        {"trailing blank of the address stays before the colon", Cam("127.0.0.1 ", 8000, "admin", "x"),
         [](const T_Cam& c) { return Jog_Url(c, 0); },
         "http://127.0.0.1 :8000/decoder_control.cgi?user=admin&pwd=x&command=0&onestep=1"},
        {"leading blank of the address is trimmed", Cam("  cam.local", 80, "a", "b"),
         [](const T_Cam& c) { return Reboot_Url(c); }, "http://cam.local:80/reboot.cgi?user=a&pwd=b"},
        {"port 0 is written", Cam("h", 0, "a", "b"), [](const T_Cam& c) { return Reboot_Url(c); },
         "http://h:0/reboot.cgi?user=a&pwd=b"},
    };
    for (const Url_Row& row : rows)
        EXPECT_EQ(row.build(row.cam), row.expected) << row.name;
}

TEST(Command_Urls, Port80IsNamedInTheUrlButNotInTheHostLine)
{
    const std::string url = Jog_Url(Cam("127.0.0.1", 80, "admin", ""), 6);
    EXPECT_NE(url.find("127.0.0.1:80/decoder_control.cgi"), std::string::npos) << url;
    const std::string head = Build_Request_Head(Parse_Http_Url(url, {}), Command_Http_Settings(), {});
    EXPECT_EQ(head.rfind("GET /decoder_control.cgi?user=admin&pwd=&command=6&onestep=1 HTTP/1.1\r\n", 0), 0u) << head;
    EXPECT_NE(head.find("\r\nHost: 127.0.0.1\r\n"), std::string::npos) << head;

    const std::string other = Build_Request_Head(Parse_Http_Url(Jog_Url(Cam("127.0.0.1", 8080, "a", ""), 6), {}),
                                                 Command_Http_Settings(), {});
    EXPECT_NE(other.find("\r\nHost: 127.0.0.1:8080\r\n"), std::string::npos) << other;
}

TEST(Command_Names, PresetCommandNumbers)
{
    const int set[10] = {30, 32, 34, 36, 38, 40, 42, 44, 46, 48};
    const int go[10] = {31, 33, 35, 37, 39, 41, 43, 45, 47, 49};
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(Preset_Command(n, true), set[n - 1]) << "set " << n;
        EXPECT_EQ(Preset_Command(n, false), go[n - 1]) << "go " << n;
    }
}

TEST(Command_Texts, QuestionsCarryTheDegreeSignAndTheTrimmedAlias)
{
    EXPECT_EQ(Preset_Question(10), "Are you sure you want to set this actual position to the preset position N\xC2\xB0"
                                   "10");
    EXPECT_EQ(Reboot_Question(" \tGarage cam \r\n"), "Are you sure you want to reboot camera : Garage cam");
}

struct Flip_Row {
    const char* name;
    std::vector<std::string> lines;
    std::optional<int> expected;
};

TEST(Flip_State, CurrentValueFromTheAnswerLines)
{
    const std::vector<Flip_Row> rows = {
        {"digit 0", {"resolution=32", "flip=0", "fps=0"}, 0},
        {"digit 3", {"flip=3"}, 3},
        {"flip= at the end of the line", {"a=1", "flip="}, 0},
        {"a letter after flip=", {"flip=x"}, 0},
        {"a blank after flip=", {"flip= 3"}, 0},
        {"only the first character counts", {"flip=12"}, 1},
        {"inside a longer key", {"var mirror_flip=2;"}, 2},
        {"the last line wins", {"flip=1", "other", "flip=2", "x"}, 2},
        {"a later flip= with no digit wins too", {"flip=3", "flip="}, 0},
        {"case-sensitive", {"Flip=1", "FLIP=2"}, std::nullopt},
        {"no line", {}, std::nullopt},
        {"no flip line", {"resolution=32", "fps=0"}, std::nullopt},
    };
    for (const Flip_Row& row : rows)
        EXPECT_EQ(Current_Flip(row.lines), row.expected) << row.name;
}

}  // namespace
