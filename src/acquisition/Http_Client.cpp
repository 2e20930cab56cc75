#include "acquisition/Http_Client.h"

#include <cerrno>
#include <chrono>

#include "acquisition/Base64.h"
#include "acquisition/Http_Multipart.h"
#include "acquisition/Http_Outcome.h"
#include "acquisition/Http_Request.h"
#include "acquisition/Http_Text.h"
#include "acquisition/Tls_Session.h"
#include "util/Fingerprint_Text.h"

namespace {
constexpr std::size_t Read_Buffer_Size = 64 * 1024;

// A kept connection the server dropped just as the request left: worth one new connection.
bool Is_Stale_Connection_Failure(const E_Http_Error& error)
{
    return error.what() == std::string(Http_Error_Text::Closed_Gracefully) || error.Socket_Error == ECONNRESET ||
           error.Socket_Error == EPIPE;
}
}  // namespace

T_Http_Client::T_Http_Client(Http_Settings settings) : settings_(std::move(settings)), buffer_(Read_Buffer_Size) {}

T_Http_Client::~T_Http_Client()
{
    Disconnect();
}

void T_Http_Client::Abort()
{
    abort_.Raise();
}

void T_Http_Client::Clear_Abort()
{
    abort_.Clear();
}

void T_Http_Client::Disconnect()
{
    socket_.Close();
    unread_begin_ = unread_end_ = 0;
}

void T_Http_Client::Set_Pinned_Certificate(const std::string& sha256)
{
    const std::string pin = Normalized_Sha256(sha256);
    if (pin != pinned_ && socket_tls_)
        Disconnect();  // the kept connection was accepted under the old pin
    pinned_ = pin;
}

void T_Http_Client::Choose_Connection(const Http_Url& url)
{
    if (!socket_.Is_Open())
        return;
    if (!Http_Same_Text(socket_host_, url.Host) || socket_port_ != url.Port || socket_tls_ != url.Is_Tls() ||
        socket_.Probe() != Socket::Probe_Result::Idle)
        Disconnect();
}

std::string T_Http_Client::Request_Head(const Http_Url& url, const std::string& authorization) const
{
    Http_Request_Extras extras;
    extras.Authorization = authorization;
    if (settings_.AllowCookies)
        extras.Cookie = cookies_.Header_For(url.Host, url.Path + url.Document);
    return Build_Request_Head(url, settings_, extras);
}

Http_Parse_Status T_Http_Client::Pump(Http_Reply_Parser& parser, std::string& sink)
{
    for (;;) {
        if (unread_begin_ < unread_end_) {
            std::string_view unread(buffer_.data() + unread_begin_, unread_end_ - unread_begin_);
            Http_Parse_Result result = parser.Feed(unread, sink);
            unread_begin_ += result.Consumed;
            if (result.Status != Http_Parse_Status::Need_More)
                return result.Status;
        }
        std::size_t got = socket_.Receive(buffer_.data(), buffer_.size(), settings_.Read_Timeout_Ms, abort_);
        if (got == 0) {
            saw_close_ = true;
            return parser.Feed_Eof(sink);
        }
        reply_bytes_ += got;
        unread_begin_ = 0;
        unread_end_ = got;
    }
}

void T_Http_Client::Read_Reply(const Http_Url& url, std::string& body)
{
    Http_Reply_Parser parser;
    std::string no_body;
    Http_Parse_Status status = Pump(parser, no_body);
    if (settings_.AllowCookies) {
        auto now = std::chrono::system_clock::now();
        for (const auto& set_cookie : parser.Take_Set_Cookies())
            cookies_.Store(set_cookie, url.Host, now);
    }
    if (status == Http_Parse_Status::Failed)
        throw E_Http_Error(parser.Error());

    last_head_ = parser.Head();
    const Http_Reply_Head& head = last_head_;
    Http_Outcome outcome = Decide_Http_Outcome(head);

    if (outcome == Http_Outcome::Accept && stream_) {
        const std::string* content_type = head.Headers.Find("Content-Type");
        if (auto boundary = content_type ? Mixed_Replace_Boundary(*content_type) : std::nullopt) {
            parser.Allow_Endless_Body();
            Read_Stream(parser, *boundary);
            Disconnect();  // a stream is not followed by another request on its connection
            return;
        }
    }

    std::string refused_body;
    std::string& sink = outcome == Http_Outcome::Refuse ? refused_body : body;
    status = parser.Begin_Body(outcome == Http_Outcome::Accept_No_Body);
    if (status == Http_Parse_Status::Need_More)
        status = Pump(parser, sink);
    if (status == Http_Parse_Status::Failed)
        throw E_Http_Error(parser.Error());

    // Keep the connection only when the reply allows it and the stream sits exactly at its end. Whatever
    // the camera does with it afterwards (bytes beyond the reply, a close) is looked at before the next
    // request is sent on it.
    bool keep = !saw_close_ && unread_begin_ == unread_end_ && Allows_Keep_Alive(head.Headers);
    if (!keep)
        Disconnect();
    if (outcome == Http_Outcome::Refuse)
        throw E_Http_Protocol_Error(head.Status_Code, head.Status_Line, std::move(refused_body));
}

void T_Http_Client::Get(const std::string& url_text, std::string& body)
{
    Get(url_text, body, nullptr, nullptr);
}

void T_Http_Client::Get(const std::string& url_text, std::string& body, Http_Stream_Handler& stream, Abort_Signal& wake)
{
    Get(url_text, body, &stream, &wake);
}

void T_Http_Client::Get(const std::string& url_text, std::string& body, Http_Stream_Handler* stream, Abort_Signal* wake)
{
    stream_ = stream;
    wake_ = wake;
    if (abort_.Is_Raised())
        throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
    Http_Url url = Parse_Http_Url(url_text, previous_);
    if (url_text.find("://") != std::string::npos)
        url_login_ = url.Has_User ? Http_Login{url.User, url.Password} : Http_Login{};
    previous_ = url.As_Base();
    if (settings_.AllowCookies)
        cookies_.Drop_Expired(std::chrono::system_clock::now());
    const Http_Login& login = url_login_.Empty() ? login_ : url_login_;

    for (int resend = 0;; ++resend) {
        std::string authorization = auth_.Authorization(url, login);
        if (authorization.empty() && settings_.BasicAuthentication && !login.Empty())
            authorization = "Basic " + Base64_Encode(login.User + ":" + login.Password);
        Choose_Connection(url);
        try {
            Exchange(url, Request_Head(url, authorization), body);
            auth_.Accepted(last_head_);
            return;
        } catch (const E_Http_Protocol_Error& refused) {
            if (refused.Error_Code != 401)
                throw;
            Http_Authenticator::Verdict verdict = auth_.Unauthorized(url, last_head_, login, authorization);
            // One answer per call: a challenge that comes back again is a refusal, never a loop.
            if (verdict.Resend && resend == 0 && !abort_.Is_Raised())
                continue;
            if (verdict.Refusal.empty())
                throw;
            throw E_Http_Protocol_Error(refused.Error_Code, std::string(refused.what()) + " (" + verdict.Refusal + ")",
                                        refused.Reply_Body);
        }
    }
}

void T_Http_Client::Read_Stream(Http_Reply_Parser& parser, const std::string& boundary)
{
    using Clock = std::chrono::steady_clock;
    Multipart_Parser parts(boundary);
    const auto time_out = std::chrono::milliseconds(settings_.Read_Timeout_Ms);
    auto part_deadline = Clock::now() + time_out;
    const auto take_part = [&](std::string&& part) {
        part_deadline = Clock::now() + time_out;
        stream_->Part(std::move(part));
    };
    stream_->Opened();
    const auto feed_parts = [&](std::string_view bytes) { parts.Feed(bytes, take_part); };
    Http_Parse_Status status = parser.Begin_Body(false);
    for (;;) {
        if (unread_begin_ < unread_end_ && status == Http_Parse_Status::Need_More) {
            std::string_view unread(buffer_.data() + unread_begin_, unread_end_ - unread_begin_);
            Http_Parse_Result result = parser.Feed(unread, feed_parts);
            unread_begin_ += result.Consumed;
            status = result.Status;
        }
        if (status == Http_Parse_Status::Failed)
            throw E_Http_Error(parser.Error());
        if (parts.State() == Multipart_Parser::Status::Failed)
            throw E_Http_Error(parts.Error());
        if (parts.State() == Multipart_Parser::Status::Closed)
            return;
        if (status == Http_Parse_Status::Body_Complete) {
            if (parts.Finish(take_part) == Multipart_Parser::Status::Failed)
                throw E_Http_Error(parts.Error());
            return;
        }
        if (unread_begin_ < unread_end_)
            continue;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(part_deadline - Clock::now()).count();
        if (left <= 0)
            throw E_Http_Error(Http_Error_Text::Stream_Stalled, ETIMEDOUT);
        const int wait_ms = static_cast<int>(std::min<long long>(left, settings_.Read_Timeout_Ms));
        std::size_t got = 0;
        try {
            got = socket_.Receive(buffer_.data(), buffer_.size(), wait_ms, abort_, wake_);
        } catch (const E_Http_Error& error) {
            if (error.Socket_Error == ETIMEDOUT)
                throw E_Http_Error(Http_Error_Text::Stream_Stalled, ETIMEDOUT);
            throw;
        }
        if (got == Socket::Woken) {
            stream_->Woken();
            continue;
        }
        if (got == 0) {
            saw_close_ = true;
            std::string none;
            status = parser.Feed_Eof(none);
            continue;
        }
        reply_bytes_ += got;
        unread_begin_ = 0;
        unread_end_ = got;
    }
}

void T_Http_Client::Exchange(const Http_Url& url, const std::string& head, std::string& body)
{
    for (int attempt = 0;; ++attempt) {
        bool reused = socket_.Is_Open();
        saw_close_ = false;
        reply_bytes_ = 0;
        unread_begin_ = unread_end_ = 0;
        std::size_t body_size = body.size();
        try {
            if (!reused) {
                socket_ = Socket::Connect(url.Host, url.Port, settings_.Connect_Timeout_Ms, abort_,
                                          settings_.Lookup_Timeout_Ms, settings_.Name_Servers);
                socket_host_ = url.Host;
                socket_port_ = url.Port;
                socket_tls_ = url.Is_Tls();
                if (socket_tls_) {
                    if (!tls_)
                        tls_ = std::make_unique<Tls_Context>(settings_.Tls_Ca_File);
                    socket_.Start_Tls(*tls_, url.Host, pinned_, settings_.Read_Timeout_Ms, abort_);
                }
            }
            socket_.Send_All(head, settings_.Read_Timeout_Ms, abort_);
            Read_Reply(url, body);
            return;
        } catch (const E_Http_Protocol_Error&) {
            throw;  // a complete reply: the connection was kept or closed as it allowed
        } catch (const E_Http_Error& error) {
            // The stream position is unknown after a failure in the middle of an exchange.
            Disconnect();
            // A TLS connection cut without its closing message may have been cut by anyone: what
            // came before the cut is not trusted as a (short) body.
            if (error.what() == std::string(Http_Error_Text::Tls_Cut))
                body.resize(body_size);
            bool retry = settings_.Resend_On_Dropped_Connection && reused && attempt == 0 && reply_bytes_ == 0 &&
                         body.size() == body_size && !abort_.Is_Raised() && Is_Stale_Connection_Failure(error);
            if (!retry)
                throw;
        } catch (...) {
            Disconnect();  // anything else (no memory, a stream reader's own failure): same uncertainty
            throw;
        }
    }
}
