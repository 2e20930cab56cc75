#include "update/Donation_Url.h"
#include "update/Update_Prompt_Text.h"
#include "update/Version_Rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Version_Value, Reads_The_Number_After_The_First_Character)
{
    struct Row {
        const char* name;
        std::string text;
        double value;
    };
    const Row rows[] = {
        {"own version", "V3.1", 3.1},
        {"comma as decimal point", "V3,2", 3.2},
        {"any first character", "X4.0", 4.0},
        {"blank inside", "V 3.", 3.0},
        {"letters", "Vabc", 0.0},
        {"only the first character", "V", 0.0},
        {"empty", "", 0.0},
        {"first character is a digit and is skipped", "43.1", 3.1},
        {"html page instead of a version", "<htm", 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(Version_Value(row.text), row.value);
    }
}

TEST(Is_Newer, Compares_Different_Texts_By_Value)
{
    struct Row {
        const char* name;
        std::string available;
        std::string own;
        bool newer;
    };
    const Row rows[] = {
        {"published newer", "V3.2", "V3.1", true},
        {"published with a comma", "V3,2", "V3.1", true},
        {"published older", "V3.0", "V3.1", false},
        {"same text", "V3.1", "V3.1", false},
        {"same value, other text", "V3,1", "V3.1", false},
        {"same value, other first letter", "W3.1", "V3.1", false},
        {"lower-case first letter, newer value", "v3.2", "V3.1", true},
        {"not a number", "Vx.y", "V3.1", false},
        {"two bytes only, newer", "V4", "V3.1", true},
        {"nothing published", "", "V3.1", false},
        {"own version unknown", "V3.2", "", false},
        {"own version not a number", "V3.2", "Vdev", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Is_Newer(row.available, row.own), row.newer);
    }
}

TEST(Update_Prompt_Text, Default_Text_Says_The_Program_May_Be_Out_Of_Date)
{
    const std::string expected = "Your application :\rTambrel\r"
                                 " may be out of date and you could miss the benefit of new functions !\r"
                                 "Do you want to proceed to check the latest version of this application ?";
    struct Row {
        const char* name;
        std::string own;
        std::string available;
    };
    const Row rows[] = {
        {"nothing received", "V3.1", ""},
        {"same version published", "V3.1", "V3.1"},
        {"own version unknown", "", "V3.2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Update_Prompt_Text("Tambrel", row.own, row.available), expected);
    }
}

TEST(Update_Prompt_Text, Other_Version_Text_Names_Both_Versions_Even_When_Older)
{
    EXPECT_EQ(Update_Prompt_Text("Tambrel", "V3.1", "V3.2"),
              "Your version V3.1 of Tambrel is out of date !\r"
              "Actual version available : V3.2\r"
              "You could miss the benefit of new functions and fixed issues !\r"
              "Proceed to download this new application version ...");
    EXPECT_EQ(Update_Prompt_Text("Tambrel", "V3.1", "V3.0"),
              "Your version V3.1 of Tambrel is out of date !\r"
              "Actual version available : V3.0\r"
              "You could miss the benefit of new functions and fixed issues !\r"
              "Proceed to download this new application version ...");
}

TEST(Donation_Url, Joins_The_Query_In_Order)
{
    EXPECT_EQ(Donation_Url("tambrel.invalid", "donate@tambrel.invalid"),
              "https://tambrel.invalid/cgi-bin/webscr?cmd=_donations&business=donate@tambrel.invalid"
              "&lc=FR&no_note=0&currency_code=EUR&bn=PP%2dDonationsBF%3abtn_donateCC_LG%2egif%3aNonHostedGuest");
}

TEST(Donation_Url, Encodes_An_Account_That_Would_Break_The_Query)
{
    const std::string url = Donation_Url("h.invalid", "a b&c=d#e+f%");
    EXPECT_NE(url.find("&business=a%20b%26c%3Dd%23e%2Bf%25&lc=FR&"), std::string::npos) << url;
}

TEST(Donation_Url, Built_In_Link_Uses_The_Maker_Host)
{
    const std::string url = Donation_Url();
    EXPECT_EQ(url.rfind("https://" + Maker_Host() + "/cgi-bin/webscr?cmd=_donations&business=", 0), 0u) << url;
}

}  // namespace
