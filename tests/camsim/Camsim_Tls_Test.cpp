#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <sys/socket.h>

#include <chrono>
#include <memory>

#include "Camsim_Client.h"
#include "camsim/Camsim_Server.h"
#include "imaging/Jpeg_Codec.h"
#include "support/Temp_Dir.h"

namespace {

using namespace std::chrono;

using Client_Context = std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)>;

// A client context that takes any certificate (the tests read the verification result instead),
// speaking the versions from min to max; level 0 lets it speak TLS 1.0 and 1.1 too.
Client_Context Client(int min_version = TLS1_2_VERSION, int max_version = TLS1_3_VERSION,
                      const std::string& ca_file = "")
{
    Client_Context context(SSL_CTX_new(TLS_client_method()), SSL_CTX_free);
    SSL_CTX_set_min_proto_version(context.get(), min_version);
    SSL_CTX_set_max_proto_version(context.get(), max_version);
    if (min_version < TLS1_2_VERSION)
        SSL_CTX_set_security_level(context.get(), 0);
    if (!ca_file.empty())
        SSL_CTX_load_verify_locations(context.get(), ca_file.c_str(), nullptr);
    X509_VERIFY_PARAM_set1_ip_asc(SSL_CTX_get0_param(context.get()), "127.0.0.1");
    SSL_CTX_set_verify(context.get(), SSL_VERIFY_NONE, nullptr);
    return context;
}

Camsim_Options Https_Cameras(int count = 1)
{
    Camsim_Options options;
    options.Count = count;
    options.Width = 160;
    options.Height = 120;
    options.Password = "secret";
    for (int camera = 1; camera <= count; ++camera)
        options.Tls.emplace_back(camera, Camsim_Tls{});
    return options;
}

// SHA-256 of the certificate the server presented, by OpenSSL's own digest of it.
std::string Peer_Fingerprint(SSL* ssl)
{
    std::unique_ptr<X509, decltype(&X509_free)> peer(SSL_get1_peer_certificate(ssl), X509_free);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!peer || X509_digest(peer.get(), EVP_sha256(), digest, &size) != 1)
        return "";
    std::string hex;
    for (unsigned int i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

TEST(Camsim_Tls, Https_Camera_Presents_Its_Fingerprint_And_Serves_Pictures)
{
    Camsim_Server server(Https_Cameras());
    server.Start();
    EXPECT_EQ(server.Base_Url(1), "https://127.0.0.1:" + std::to_string(server.Port(1)));
    const std::string fingerprint = server.Fingerprint(1);
    EXPECT_EQ(fingerprint.size(), 64u);
    EXPECT_EQ(fingerprint.find_first_not_of("0123456789abcdef"), std::string::npos);
    for (int newest : {TLS1_2_VERSION, TLS1_3_VERSION}) {
        Client_Context context = Client(TLS1_2_VERSION, newest);
        Raw_Client client(server.Port(1), context.get());
        ASSERT_TRUE(client.Connected());
        EXPECT_EQ(SSL_version(client.Ssl()), newest);
        EXPECT_EQ(Peer_Fingerprint(client.Ssl()), fingerprint);
        for (int i = 0; i < 2; ++i) {  // kept connection
            Raw_Reply reply = client.Get("/snapshot.cgi?user=admin&pwd=secret");
            EXPECT_EQ(Jpeg_Decode(reply.Body.data(), reply.Body.size()).size(), QSize(160, 120));
        }
    }
    EXPECT_EQ(server.Camera(1).Counters().Connections, 2);
}

TEST(Camsim_Tls, Certificates_Check_Against_A_Ca_File_By_Host_And_Date)
{
    Temp_Dir dir;
    const Camsim_Tls_Identity ca = Camsim_Make_Ca();
    ca.Write_Certificate_Pem(dir.File("ca.pem"));
    Camsim_Certificate_Request other_host;
    other_host.Dns_Names = {"camera.invalid"};
    other_host.Ip_Addresses = {"127.0.0.2"};
    Camsim_Certificate_Request expired;
    expired.Not_Before = system_clock::now() - hours(24 * 30);
    expired.Not_After = system_clock::now() - hours(24);
    struct Case {
        const char* name;
        Camsim_Tls_Identity identity;
        long verdict;
    };
    const Case cases[] = {
        {"signed by the CA", Camsim_Issue(ca), X509_V_OK},
        {"for another host", Camsim_Issue(ca, other_host), X509_V_ERR_IP_ADDRESS_MISMATCH},
        {"expired", Camsim_Issue(ca, expired), X509_V_ERR_CERT_HAS_EXPIRED},
        {"self-signed", Camsim_Self_Signed(), X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT},
    };
    Camsim_Server server(Https_Cameras());
    server.Start();
    Client_Context context = Client(TLS1_2_VERSION, TLS1_3_VERSION, dir.File("ca.pem"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.Set_Identity(1, c.identity);
        EXPECT_EQ(server.Fingerprint(1), c.identity.Fingerprint());
        Raw_Client client(server.Port(1), context.get());
        ASSERT_TRUE(client.Connected());
        EXPECT_EQ(SSL_get_verify_result(client.Ssl()), c.verdict);
        EXPECT_EQ(Peer_Fingerprint(client.Ssl()), c.identity.Fingerprint());
    }
    const std::string pem = Read_File(dir.File("ca.pem"));
    EXPECT_EQ(pem.rfind("-----BEGIN CERTIFICATE-----", 0), 0u);
}

TEST(Camsim_Tls, Tls_1_1_Camera_Refuses_A_Client_That_Wants_1_2)
{
    std::string error;
    auto options = Parse_Camsim_Args({"--count", "1", "--size", "160x120", "--tls-max", "1:1.1"}, error);
    ASSERT_TRUE(options) << error;
    Camsim_Server server(*options);
    server.Start();
    Client_Context modern = Client(TLS1_2_VERSION, TLS1_3_VERSION);
    EXPECT_FALSE(Raw_Client(server.Port(1), modern.get()).Connected());
    Client_Context old = Client(TLS1_VERSION, TLS1_3_VERSION);
    Raw_Client client(server.Port(1), old.get());
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(SSL_version(client.Ssl()), TLS1_1_VERSION);
    EXPECT_EQ(client.Get("/snapshot.cgi?user=admin&pwd=").Status, 200);
}

TEST(Camsim_Tls, Unfinished_Handshake_Is_Dropped_After_The_Idle_Time)
{
    Camsim_Options options = Https_Cameras();
    options.Idle_Timeout_Ms = 150;
    Camsim_Server server(options);
    server.Start();
    Raw_Client silent(server.Port(1));  // connects, never says hello
    auto start = steady_clock::now();
    EXPECT_EQ(silent.Read_Until_Close(), "");
    EXPECT_GE(steady_clock::now() - start, milliseconds(100));
    EXPECT_LT(steady_clock::now() - start, milliseconds(1500));
}

}  // namespace
