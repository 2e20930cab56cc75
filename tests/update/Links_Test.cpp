#include "update/Donation_Url.h"
#include "update/Link_Label.h"
#include "update/Web_Links.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records every address it is asked to open; answers `result`.
struct Fake_Browser {
    std::vector<std::string> opened;
    bool result = true;
    Url_Opener Opener()
    {
        return [this](const std::string& url) {
            opened.push_back(url);
            return result;
        };
    }
};

TEST(Link_Address, Prefixes_Http_Only_For_Www_Targets_Without_Colon)
{
    struct Row {
        const char* name;
        std::string target;
        std::string address;
    };
    const Row rows[] = {
        {"www host", "www.x.org", "http://www.x.org"},
        {"www host with path", "www.x.org/a/b.html", "http://www.x.org/a/b.html"},
        {"full http address", "http://www.x.org", "http://www.x.org"},
        {"www with a port has a colon", "www.x.org:8080", "www.x.org:8080"},
        {"mail address", "mailto:www@x.org", "mailto:www@x.org"},
        {"host without www", "x.org", "x.org"},
        {"upper-case WWW is not www", "WWW.x.org", "WWW.x.org"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Link_Address(row.target), row.address);
    }
}

TEST(Link_Label, Opens_Its_Target_Every_Time_While_The_Opener_Succeeds)
{
    Fake_Browser browser;
    Link_Label label("x", nullptr, browser.Opener());
    label.Set_Target("www.x.org");
    label.Open();
    label.Open();
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"http://www.x.org", "http://www.x.org"}));
    EXPECT_TRUE(label.Is_Link());
    EXPECT_TRUE(label.isEnabled());
}

TEST(Link_Label, A_Failed_Opening_Disables_The_Link_For_Good)
{
    struct Row {
        const char* name;
        Url_Opener (*make)(int& calls);
    };
    const Row rows[] = {
        {"opener reports failure",
         [](int& calls) -> Url_Opener {
             return [&calls](const std::string&) {
                 ++calls;
                 return false;
             };
         }},
        {"opener throws",
         [](int& calls) -> Url_Opener {
             return [&calls](const std::string&) -> bool {
                 ++calls;
                 throw std::runtime_error("no browser");
             };
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int calls = 0;
        Link_Label label("x", nullptr, row.make(calls));
        label.Set_Target("http://127.0.0.1:1/a");
        label.Open();
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(label.Is_Link());
        EXPECT_FALSE(label.isEnabled());
        label.Open();
        label.Open();
        EXPECT_EQ(calls, 1) << "a disabled link must not open again";
    }
}

TEST(Web_Links, Each_Button_Opens_Its_Own_Target)
{
    Fake_Browser browser;
    Web_Links links(nullptr, browser.Opener());
    links.LBL_Update->Set_Target("http://127.0.0.1:1/vesk-soft/Tambrel/Tambrel.exe");
    links.LBL_Site_Vesk->Set_Target("http://127.0.0.1:1/software/index.html");
    links.BTN_UpdateClick();
    links.BTN_Site_VeskClick();
    links.BTN_PaypalClick();
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"http://127.0.0.1:1/vesk-soft/Tambrel/Tambrel.exe",
                                                        "http://127.0.0.1:1/software/index.html", Donation_Url()}));
}

TEST(Web_Links, A_Failing_Link_Leaves_The_Others_Working)
{
    Fake_Browser browser;
    browser.result = false;
    Web_Links links(nullptr, browser.Opener());
    links.LBL_Update->Set_Target("http://127.0.0.1:1/a");
    links.LBL_Site_Vesk->Set_Target("http://127.0.0.1:1/b");
    links.BTN_UpdateClick();
    browser.result = true;
    links.BTN_UpdateClick();
    links.BTN_Site_VeskClick();
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"http://127.0.0.1:1/a", "http://127.0.0.1:1/b"}));
    EXPECT_FALSE(links.LBL_Update->Is_Link());
    EXPECT_TRUE(links.LBL_Site_Vesk->Is_Link());
}

TEST(Web_Links, Panel_And_Labels_Carry_Their_Names_And_Stay_Hidden)
{
    QWidget window;
    auto* links = new Web_Links(&window, [](const std::string&) { return true; });
    window.show();
    EXPECT_EQ(links->objectName(), "PNL_Info");
    EXPECT_FALSE(links->isVisible());
    EXPECT_EQ(links->LBL_Update->objectName(), "LBL_Update");
    EXPECT_EQ(links->LBL_Update->text(), "Get the latest version here ...");
    EXPECT_EQ(links->LBL_Site_Vesk->objectName(), "LBL_Site_Vesk");
    EXPECT_EQ(links->LBL_Paypal->objectName(), "LBL_Paypal");
    EXPECT_EQ(links->LBL_Paypal->text(), "Donate Paypal");
    EXPECT_EQ(links->LBL_Paypal->Target(), Donation_Url());
}

}  // namespace
