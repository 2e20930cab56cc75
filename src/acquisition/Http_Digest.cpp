#include "acquisition/Http_Digest.h"

#include <openssl/evp.h>
#include <sys/random.h>

#include <array>
#include <cerrno>
#include <memory>
#include <stdexcept>

#include "acquisition/Http_Text.h"

namespace {

constexpr char Hex[] = "0123456789abcdef";

std::string To_Hex(const unsigned char* bytes, std::size_t size)
{
    std::string out(size * 2, '0');
    for (std::size_t i = 0; i < size; ++i) {
        out[2 * i] = Hex[bytes[i] >> 4];
        out[2 * i + 1] = Hex[bytes[i] & 0x0F];
    }
    return out;
}

bool Is_Sha_256(Digest_Algorithm algorithm)
{
    return algorithm == Digest_Algorithm::SHA_256 || algorithm == Digest_Algorithm::SHA_256_Sess;
}

bool Is_Session(Digest_Algorithm algorithm)
{
    return algorithm == Digest_Algorithm::MD5_Sess || algorithm == Digest_Algorithm::SHA_256_Sess;
}

}  // namespace

std::optional<Digest_Algorithm> Digest_Algorithm_From_Name(const std::string* name)
{
    if (!name || name->empty() || Http_Same_Text(*name, "MD5"))
        return Digest_Algorithm::MD5;
    if (Http_Same_Text(*name, "MD5-sess"))
        return Digest_Algorithm::MD5_Sess;
    if (Http_Same_Text(*name, "SHA-256"))
        return Digest_Algorithm::SHA_256;
    if (Http_Same_Text(*name, "SHA-256-sess"))
        return Digest_Algorithm::SHA_256_Sess;
    return std::nullopt;
}

const char* Digest_Algorithm_Name(Digest_Algorithm algorithm)
{
    switch (algorithm) {
    case Digest_Algorithm::MD5: return "MD5";
    case Digest_Algorithm::MD5_Sess: return "MD5-sess";
    case Digest_Algorithm::SHA_256: return "SHA-256";
    case Digest_Algorithm::SHA_256_Sess: return "SHA-256-sess";
    }
    return "MD5";
}

int Digest_Strength(Digest_Algorithm algorithm)
{
    return Is_Sha_256(algorithm) ? 2 : 1;
}

std::string Digest_Hash(Digest_Algorithm algorithm, std::string_view data)
{
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int size = 0;
    const EVP_MD* md = Is_Sha_256(algorithm) ? EVP_sha256() : EVP_md5();
    if (EVP_Digest(data.data(), data.size(), digest.data(), &size, md, nullptr) != 1)
        throw std::runtime_error("the digest could not be computed");
    return To_Hex(digest.data(), size);
}

std::string Digest_Nc_Text(std::uint32_t nc)
{
    std::string out(8, '0');
    for (int i = 7; i >= 0; --i, nc >>= 4)
        out[static_cast<std::size_t>(i)] = Hex[nc & 0x0F];
    return out;
}

std::string Digest_Response(const Digest_Input& in)
{
    const Digest_Algorithm a = in.Algorithm;
    std::string ha1 = Digest_Hash(a, in.User + ":" + in.Realm + ":" + in.Password);
    if (Is_Session(a))
        ha1 = Digest_Hash(a, ha1 + ":" + in.Nonce + ":" + in.Cnonce);
    const std::string ha2 = Digest_Hash(a, in.Method + ":" + in.Uri);
    if (in.Qop.empty())
        return Digest_Hash(a, ha1 + ":" + in.Nonce + ":" + ha2);
    return Digest_Hash(a,
                       ha1 + ":" + in.Nonce + ":" + Digest_Nc_Text(in.Nc) + ":" + in.Cnonce + ":" + in.Qop + ":" + ha2);
}

std::string Digest_New_Cnonce()
{
    std::array<unsigned char, 16> bytes{};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error("no random bytes for the client nonce");
        }
        filled += static_cast<std::size_t>(got);
    }
    return To_Hex(bytes.data(), bytes.size());
}
