#include "acquisition/Log_Line.h"
#include "acquisition/Snapshot_Url.h"

#include <gtest/gtest.h>

namespace {

T_Cam Camera(std::string ad_ip, int port, std::string login, std::string password)
{
    T_Cam cam = Default_Cam(1);
    cam.Ad_Ip = std::move(ad_ip);
    cam.Port = port;
    cam.Login = std::move(login);
    cam.Password = std::move(password);
    return cam;
}

struct Url_Case {
    const char* name;
    T_Cam cam;
    std::string expected;
};

class Snapshot_Url_Rows : public ::testing::TestWithParam<Url_Case> {};

TEST_P(Snapshot_Url_Rows, BuildsTheRequestAsTyped)
{
    EXPECT_EQ(Snapshot_Url(GetParam().cam), GetParam().expected);
}

T_Cam With_Special(std::string url)
{
    T_Cam cam = Camera("127.0.0.1", 8000, "admin", "");
    cam.Use_Url = true;
    cam.Special_Url = std::move(url);
    return cam;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Snapshot_Url_Rows,
    ::testing::Values(
        Url_Case{"built_in", Camera("127.0.0.1", 8000, "admin", ""),
                 "http://127.0.0.1:8000/snapshot.cgi?user=admin&pwd="},
        Url_Case{"trailing_blank_of_address_stays_before_colon", Camera("cam.local ", 81, "u", "p"),
                 "http://cam.local :81/snapshot.cgi?user=u&pwd=p"},
        Url_Case{"leading_blank_of_address_trimmed", Camera("  cam.local", 81, "u", "p"),
                 "http://cam.local:81/snapshot.cgi?user=u&pwd=p"},
        Url_Case{"login_and_password_trimmed_not_escaped", Camera("h", 80, " me ", " a&b c "),
                 "http://h:80/snapshot.cgi?user=me&pwd=a&b c"},
        Url_Case{"port_zero_and_negative", Camera("h", -1, "", ""), "http://h:-1/snapshot.cgi?user=&pwd="},
        Url_Case{"special_url_trimmed_of_controls", With_Special("\t http://h/x.jpg?a=1 \r\n"), "http://h/x.jpg?a=1"},
        Url_Case{"special_url_of_blanks_is_empty", With_Special("    "), ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Log_Lines, WorkedExampleOfCameraTwo)
{
    Local_Date_Time now;
    now.Hour = 14;
    now.Minute = 3;
    now.Second = 7;
    now.Millisecond = 45;
    const std::string stamp = Log_Stamp(now);
    EXPECT_EQ(stamp, "14:03:07_045");
    EXPECT_EQ(Log_Line_Shown(stamp, 2, 153, "http://h:80/snapshot.cgi?user=a&pwd=b"),
              "14:03:07_045 | Thread CAM N\xC2\xB0"
              "2 | Time requested :    153ms | URL : \"http://h:80/snapshot.cgi?user=a&pwd=b\"\r");
    EXPECT_EQ(Log_Line_Not_Connected(stamp, 9, ""), "14:03:07_045 | Thread CAM N\xC2\xB0"
                                                    "9 | NOT CONNECTED TO NETWORK! | URL : \"\"\r");
}

TEST(Log_Lines, StampAndTimeFieldsNeverShorten)
{
    Local_Date_Time midnight;
    EXPECT_EQ(Log_Stamp(midnight), "00:00:00_000");
    EXPECT_EQ(Log_Line_Shown("s", 1, 1234567, "u"), "s | Thread CAM N\xC2\xB0"
                                                    "1 | Time requested : 1234567ms | URL : \"u\"\r");
    EXPECT_EQ(Log_Line_Shown("s", 1, 0, "u"), "s | Thread CAM N\xC2\xB0"
                                              "1 | Time requested :      0ms | URL : \"u\"\r");
}

}  // namespace
