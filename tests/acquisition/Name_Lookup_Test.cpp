#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <chrono>
#include <thread>

#include "acquisition/Abort_Signal.h"
#include "acquisition/Http_Client.h"
#include "acquisition/Name_Lookup.h"
#include "support/Scripted_Server.h"
#include "support/Test_Name_Server.h"

namespace {

using namespace std::chrono;

std::string Text_Of(const Socket_Address& address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.Family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address.Address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        return std::string(text) + ":" + std::to_string(ntohs(v4->sin_port));
    }
    const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address.Address);
    inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
    return "[" + std::string(text) + "]:" + std::to_string(ntohs(v6->sin6_port));
}

TEST(Name_Lookup, Literals_Need_No_Server_And_Names_Go_To_The_Name_Servers)
{
    Abort_Signal abort;
    Test_Name_Server silent(Test_Name_Server::Mode::Silent);
    EXPECT_EQ(Text_Of(Look_Up_Host("127.0.0.1", 8080, 1000, abort, silent.Address()).at(0)), "127.0.0.1:8080");
    EXPECT_EQ(Text_Of(Look_Up_Host("::1", 81, 1000, abort, silent.Address()).at(0)), "[::1]:81");
    EXPECT_EQ(silent.Questions(), 0);

    Test_Name_Server answering(Test_Name_Server::Mode::Answering);
    const auto found = Look_Up_Host("camera.tambrel-test", 554, 2000, abort, answering.Address());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(Text_Of(found[0]), "127.0.0.1:554");
    EXPECT_GE(answering.Questions(), 1);

    // Names under "invalid" never resolve: no server is asked (the maker's host defaults to one).
    const int asked = answering.Questions();
    for (const char* name : {"tambrel.invalid", "TAMBREL.Invalid.", "invalid"}) {
        EXPECT_TRUE(Is_Reserved_Invalid_Name(name)) << name;
        try {
            Look_Up_Host(name, 80, 1000, abort, answering.Address());
            ADD_FAILURE() << name;
        } catch (const E_Http_Error& error) {
            EXPECT_EQ(error.Socket_Error, EAI_NONAME);
        }
    }
    EXPECT_EQ(answering.Questions(), asked);
    for (const char* name : {"invalid.example", "notinvalid", "127.0.0.1"})
        EXPECT_FALSE(Is_Reserved_Invalid_Name(name)) << name;
}

TEST(Name_Lookup, A_Silent_Name_Server_Holds_A_Lookup_For_Its_Time_Out_Or_Until_Abort)
{
    Test_Name_Server silent(Test_Name_Server::Mode::Silent);
    Abort_Signal abort;
    auto start = steady_clock::now();
    try {
        Look_Up_Host("camera.tambrel-test", 80, 600, abort, silent.Address());
        ADD_FAILURE();
    } catch (const E_Http_Error& error) {
        EXPECT_EQ(error.Socket_Error, EAI_AGAIN);
    }
    EXPECT_GE(steady_clock::now() - start, milliseconds(550));
    EXPECT_LT(steady_clock::now() - start, milliseconds(1500));

    std::thread aborter([&] {
        std::this_thread::sleep_for(milliseconds(100));
        abort.Raise();
    });
    start = steady_clock::now();
    try {
        Look_Up_Host("camera.tambrel-test", 80, 5000, abort, silent.Address());
        ADD_FAILURE();
    } catch (const E_Http_Error& error) {
        EXPECT_EQ(error.Socket_Error, ECANCELED);
    }
    aborter.join();
    EXPECT_LT(steady_clock::now() - start, milliseconds(600));
}

TEST(Name_Lookup, The_Client_Reaches_A_Camera_By_Name)
{
    Test_Name_Server names(Test_Name_Server::Mode::Answering);
    Scripted_Server camera({{Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok")}});
    Http_Settings settings;
    settings.Name_Servers = names.Address();
    T_Http_Client client(settings);
    std::string body;
    client.Get("http://camera.tambrel-test:" + std::to_string(camera.Port()) + "/snapshot.cgi", body);
    EXPECT_EQ(body, "ok");
    EXPECT_NE(camera.Requests().at(0).find("Host: camera.tambrel-test:"), std::string::npos);
}

}  // namespace
