// The client over https, against simulated cameras and scripted servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <chrono>
#include <thread>

#include "acquisition/Http_Client.h"
#include "acquisition/Tls_Session.h"
#include "camsim/Camsim_Server.h"
#include "support/Scripted_Server.h"
#include "support/Temp_Dir.h"

namespace {

using namespace std::chrono;

Camsim_Options Https_Camera(Camsim_Tls tls = {})
{
    Camsim_Options options;
    options.Width = 160;
    options.Height = 120;
    options.Password = "secret";
    options.Tls.emplace_back(1, std::move(tls));
    return options;
}

std::string Snapshot_Path()
{
    return "/snapshot.cgi?user=admin&pwd=secret";
}

int Snapshot_Requests(Camsim_Server& camera)
{
    const auto counters = camera.Camera(1).Counters();
    const auto it = counters.Requests_By_Path.find("/snapshot.cgi");
    return it == counters.Requests_By_Path.end() ? 0 : it->second;
}

// "ab12..." as "AB:12:..." (how certificate viewers show a fingerprint).
std::string With_Colons_Upper(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        out += (i ? ":" : "") +
               std::string{static_cast<char>(std::toupper(hex[i])), static_cast<char>(std::toupper(hex[i + 1]))};
    return out;
}

TEST(Http_Tls, Trusted_By_The_Store_Or_By_Its_Pin_Else_Refused_Before_Anything_Is_Sent)
{
    Temp_Dir dir;
    const Camsim_Tls_Identity ca = Camsim_Make_Ca();
    const std::string ca_file = dir.Path() + "/ca.pem";
    ca.Write_Certificate_Pem(ca_file);
    Camsim_Certificate_Request elsewhere;
    elsewhere.Dns_Names = {"elsewhere.test"};
    elsewhere.Ip_Addresses = {};
    Camsim_Certificate_Request expired;
    expired.Not_Before = std::chrono::system_clock::now() - hours(24 * 30);
    expired.Not_After = std::chrono::system_clock::now() - hours(24);
    const Camsim_Tls_Identity self_signed = Camsim_Self_Signed();
    const Camsim_Tls_Identity other = Camsim_Self_Signed();

    struct Row {
        const char* name;
        Camsim_Tls_Identity identity;
        const char* host;
        bool use_ca;
        std::string pin;
        bool accepted;
        bool changed;  // the refusal says the pinned certificate changed
    };
    const Row rows[] = {
        {"ca_signed_by_name", Camsim_Issue(ca), "localhost", true, "", true, false},
        {"ca_signed_by_address", Camsim_Issue(ca), "127.0.0.1", true, "", true, false},
        {"ca_signed_for_another_host", Camsim_Issue(ca, elsewhere), "127.0.0.1", true, "", false, false},
        {"ca_signed_but_expired", Camsim_Issue(ca, expired), "127.0.0.1", true, "", false, false},
        {"self_signed_without_pin", self_signed, "127.0.0.1", false, "", false, false},
        {"self_signed_pinned", self_signed, "127.0.0.1", false, self_signed.Fingerprint(), true, false},
        {"pin_with_colons_and_upper_case", self_signed, "localhost", false,
         With_Colons_Upper(self_signed.Fingerprint()), true, false},
        {"pinned_certificate_changed", self_signed, "127.0.0.1", false, other.Fingerprint(), false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Camsim_Server camera(Https_Camera({Camsim_Tls_Version::TLS_1_3, row.identity}));
        camera.Start();
        Http_Settings settings;
        settings.Tls_Ca_File = row.use_ca ? ca_file : dir.Path() + "/none.pem";
        if (!row.use_ca)
            Camsim_Make_Ca().Write_Certificate_Pem(settings.Tls_Ca_File);  // a store that trusts nothing here
        T_Http_Client client(settings);
        client.Set_Pinned_Certificate(row.pin);
        const std::string url =
            "https://" + std::string(row.host) + ":" + std::to_string(camera.Port(1)) + Snapshot_Path();
        std::string body;
        if (row.accepted) {
            EXPECT_NO_THROW(client.Get(url, body));
            EXPECT_GT(body.size(), 100u);
            continue;
        }
        try {
            client.Get(url, body);
            ADD_FAILURE() << "accepted";
        } catch (const E_Tls_Untrusted& refused) {
            const std::string fingerprint = row.identity.Fingerprint();
            EXPECT_EQ(refused.Certificate_Sha256, fingerprint);
            std::string text = "certificate not trusted: SHA-256 " + fingerprint;
            if (row.changed)
                text += " (it changed: the pinned certificate is SHA-256 " + other.Fingerprint() + ")";
            EXPECT_EQ(refused.what(), text);
        }
        EXPECT_TRUE(body.empty());
        EXPECT_EQ(Snapshot_Requests(camera), 0) << "not a byte of the request may reach an untrusted camera";
    }
}

TEST(Http_Tls, One_Handshake_Per_Kept_Connection)
{
    Camsim_Server camera(Https_Camera());
    camera.Start();
    T_Http_Client client;
    client.Set_Pinned_Certificate(camera.Fingerprint(1));
    for (int i = 0; i < 10; ++i) {
        std::string body;
        client.Get(camera.Base_Url(1) + Snapshot_Path(), body);
        ASSERT_GT(body.size(), 100u);
    }
    EXPECT_EQ(camera.Camera(1).Counters().Connections, 1);
    EXPECT_EQ(Snapshot_Requests(camera), 10);
}

// A self-signed certificate carrying a comment of `size` bytes.
Camsim_Tls_Identity Huge_Identity(std::size_t size)
{
    Camsim_Tls_Identity identity = Camsim_Self_Signed();
    X509* certificate = identity.Certificate.get();
    const std::string comment(size, 'x');
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, nullptr, NID_netscape_comment, comment.c_str());
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
    X509_sign(certificate, identity.Key.get(), EVP_sha256());
    return identity;
}

TEST(Http_Tls, Bad_Peers_Fail_Clearly_Within_The_Time_Outs)
{
    struct Row {
        const char* name;
        std::function<std::unique_ptr<Camsim_Server>()> camsim;  // or a scripted server
        Connection_Script script;
        std::string error;
    };
    auto camsim = [](Camsim_Tls tls, Camsim_Fault fault = Camsim_Fault::Keep_Alive) {
        return [tls, fault] {
            Camsim_Options options = Https_Camera(tls);
            options.Faults.emplace_back(1, fault);
            return std::make_unique<Camsim_Server>(options);
        };
    };
    const Row rows[] = {
        {"plain_http_answer",
         {},
         {Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"), Step::Hang()},
         "TLS handshake failed: the camera does not speak TLS on this port"},
        {"silent_mid_handshake", {}, {Step::Hang()}, Http_Error_Text::Handshake_Timed_Out},
        {"closed_mid_handshake", {}, {Step::Pause(50), Step::Close()}, "TLS handshake failed"},
        {"only_tls_1_1",
         camsim({Camsim_Tls_Version::TLS_1_1, {}}),
         {},
         "TLS handshake failed: the camera offers only TLS versions older than 1.2, which are refused"},
        {"certificate_of_a_megabyte",
         camsim({Camsim_Tls_Version::TLS_1_3, Huge_Identity(1 << 20)}),
         {},
         "TLS handshake failed: the camera's certificates are too large"},
        {"cut_in_the_middle_of_a_picture", camsim({}, Camsim_Fault::Reset_Mid_Body), {}, Http_Error_Text::Tls_Cut},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<Camsim_Server> camera;
        std::unique_ptr<Scripted_Server> scripted;
        std::string url;
        if (row.camsim) {
            camera = row.camsim();
            camera->Start();
            url = camera->Base_Url(1) + Snapshot_Path();
        } else {
            scripted = std::make_unique<Scripted_Server>(std::vector<Connection_Script>{row.script});
            url = "https://127.0.0.1:" + std::to_string(scripted->Port()) + "/snapshot.cgi";
        }
        Http_Settings settings;
        settings.Read_Timeout_Ms = 700;
        T_Http_Client client(settings);
        client.Set_Pinned_Certificate(camera ? camera->Fingerprint(1) : "");
        std::string body;
        const auto start = steady_clock::now();
        try {
            client.Get(url, body);
            ADD_FAILURE() << "no failure";
        } catch (const E_Http_Error& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, row.error.size()), row.error);
        }
        EXPECT_LT(steady_clock::now() - start, milliseconds(2500));
        EXPECT_TRUE(body.empty()) << "bytes before a cut are not a picture";
    }
}

TEST(Http_Tls, Abort_Ends_A_Handshake_At_Once)
{
    Scripted_Server silent({{Step::Hang()}});
    T_Http_Client client;
    std::thread aborter([&] {
        std::this_thread::sleep_for(milliseconds(150));
        client.Abort();
    });
    const auto start = steady_clock::now();
    std::string body;
    EXPECT_THROW(client.Get("https://127.0.0.1:" + std::to_string(silent.Port()) + "/", body), E_Http_Error);
    aborter.join();
    EXPECT_LT(steady_clock::now() - start, milliseconds(1500));
}

}  // namespace
