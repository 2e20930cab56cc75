#include "Http_Client.h"
#include "Socket.h"

#include <gtest/gtest.h>

#include <netdb.h>

namespace {

TEST(Reserved_Names, OnlyTheInvalidDomainIsRecognised)
{
    EXPECT_TRUE(Is_Reserved_Invalid_Name("tambrel.invalid"));
    EXPECT_TRUE(Is_Reserved_Invalid_Name("TAMBREL.Invalid."));
    EXPECT_TRUE(Is_Reserved_Invalid_Name("invalid"));
    EXPECT_FALSE(Is_Reserved_Invalid_Name("invalid.example"));
    EXPECT_FALSE(Is_Reserved_Invalid_Name("notinvalid"));
    EXPECT_FALSE(Is_Reserved_Invalid_Name("127.0.0.1"));
}

// The maker's host defaults to a name under "invalid": the request fails at once, no name server asked.
TEST(Reserved_Names, ARequestToSuchANameFailsAsAnUnknownHost)
{
    T_Http_Client client;
    std::string body;
    try {
        client.Get("http://tambrel.invalid/vesk-soft/Tambrel/Tambrel.ver", body);
        FAIL() << "no error";
    } catch (const E_Http_Error& error) {
        EXPECT_EQ(error.Socket_Error, EAI_NONAME);
    }
    EXPECT_TRUE(body.empty());
}

} // namespace
