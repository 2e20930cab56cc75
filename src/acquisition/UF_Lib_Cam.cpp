#include "acquisition/UF_Lib_Cam.h"

#include "acquisition/Tls_Session.h"
#include "imaging/Compare_Bitmaps.h"
#include "imaging/Jpeg_Codec.h"
#include "imaging/Jpeg_Row_Decoder.h"
#include "imaging/Picture_Shrink.h"
#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>

TF_Lib_Cam::TF_Lib_Cam() : TF_Lib_Cam(Options{}) {}

TF_Lib_Cam::TF_Lib_Cam(Options options)
    : options_(std::move(options)), HTP_Flux_Cam(options_.Http), TRD_Flux_Cam([this] { Run(); })
{}

TF_Lib_Cam::~TF_Lib_Cam()
{
    Stop();
    if (TRD_Flux_Cam.joinable())
        TRD_Flux_Cam.join();
}

void TF_Lib_Cam::Set_Request(const T_Fetch_Request& request)
{
    std::lock_guard lock(mutex_);
    request_ = request;
}

void TF_Lib_Cam::Set_Url(const std::string& url)
{
    Set_Request({url, {}, {}});
}

std::string TF_Lib_Cam::Url() const
{
    std::lock_guard lock(mutex_);
    return request_.Url;
}

std::vector<std::string> TF_Lib_Cam::Take_Notes()
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> notes;
    notes.swap(notes_);
    return notes;
}

void TF_Lib_Cam::Set_Picture_Use(const T_Picture_Use& use)
{
    std::lock_guard lock(mutex_);
    use_ = use;
}

void TF_Lib_Cam::Poll_Flux()
{
    bool motion = false;
    {
        std::lock_guard lock(mutex_);
        taken_ = published_;
        motion = use_.Motion;
    }
    Move_Frames(motion);
    // Asked for only now: the frames have let go of the picture they no longer compare, so the next one
    // is decoded into its buffer.
    bool start = false;
    {
        std::lock_guard lock(mutex_);
        if (!stop_ && !picture_wanted_) {
            picture_wanted_ = true;
            wanted_since_ = System_Clock().Tick_Ms();
            if (streaming_ && part_held_)
                wake_signal_.Raise();  // otherwise the next part is shown as it arrives
        }
        if (!active_ && !stop_) {
            active_ = true;
            requested_ = true;
            start = true;
        }
    }
    // Woken once the lock is free, so the thread does not wake only to wait for it.
    if (start)
        wake_.notify_one();
}

void TF_Lib_Cam::Move_Frames(bool motion)
{
    if (full_of_ != taken_.Jpeg) {
        full_ = QImage();
        full_of_.reset();
    }
    if (!motion) {
        // Nobody reads the level: the frames are let go.
        Motion_New.reset();
        Motion_Old.reset();
        K_Motion = 0;
    }
    if (taken_.Not_Connected)
        return;
    if (motion) {
        // Measuring again after a spell without (no frame kept): the previous picture is decoded at full size too, so the
        // first level is the one measured all along would have given.
        if (!Motion_New)
            Motion_New = Motion_Of(last_connected_);
        Motion_Old = std::move(Motion_New);
        Motion_New = Motion_Of(taken_);
        K_Motion = Compare_Samples(*Motion_New, *Motion_Old, false);
    }
    last_connected_ = taken_;
}

QImage TF_Lib_Cam::Full_Picture()
{
    const QImage full = Full_Size_Of(taken_);
    // A picture that shows but cannot be decoded whole (no memory) is recorded as shown.
    return full.isNull() ? taken_.BMP_Received : full;
}

QImage TF_Lib_Cam::Full_Size_Of(const T_Fetch_Result& result)
{
    if (!result.Whole.isNull())
        return result.Whole;
    if (result.BMP_Received.isNull() || !result.Jpeg)
        return result.BMP_Received;
    if (result.Jpeg != full_of_) {
        full_of_ = result.Jpeg;
        try {
            if (!full_decoder_)
                full_decoder_ = std::make_unique<Jpeg_Decoder>();
            full_ = full_decoder_->Decode(result.Jpeg->data(), result.Jpeg->size());
        } catch (const std::exception&) {
            full_ = QImage();
        }
    }
    return full_;
}

std::shared_ptr<const T_Motion_Samples> TF_Lib_Cam::Motion_Of(const T_Fetch_Result& result)
{
    if (result.Motion)
        return result.Motion;
    try {
        return std::make_shared<const T_Motion_Samples>(Motion_Samples(Full_Size_Of(result)));
    } catch (const std::bad_alloc&) {
        return std::make_shared<const T_Motion_Samples>();  // no frame: the level is 0
    }
}

void TF_Lib_Cam::Stop()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        wake_.notify_one();
    }
    HTP_Flux_Cam.Abort();
}

void TF_Lib_Cam::Release_Stream()
{
    std::lock_guard lock(mutex_);
    if (!streaming_ || release_)
        return;
    release_ = true;
    HTP_Flux_Cam.Abort();
}

T_Fetch_Result TF_Lib_Cam::Published() const
{
    std::lock_guard lock(mutex_);
    return published_;
}

bool TF_Lib_Cam::Fetching() const
{
    std::lock_guard lock(mutex_);
    return active_;
}

int64_t TF_Lib_Cam::Attempts() const
{
    std::lock_guard lock(mutex_);
    return attempts_;
}

int64_t TF_Lib_Cam::Decoded() const
{
    std::lock_guard lock(mutex_);
    return decoded_;
}

bool TF_Lib_Cam::Streaming() const
{
    std::lock_guard lock(mutex_);
    return streaming_;
}

void TF_Lib_Cam::Run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stop_ || requested_; });
        if (stop_)
            return;
        requested_ = false;

        // One attempt sequence: until a success, a released stream or a stop. Consecutive attempts of a
        // failing camera (or a stream that keeps ending) start at least Retry_Pause_Ms apart, so a refused
        // connection or an HTML page neither spins a core nor floods the camera.
        while (!stop_) {
            const T_Fetch_Request request = request_;
            ++attempts_;
            const auto started = std::chrono::steady_clock::now();
            lock.unlock();
            const Outcome outcome = Attempt(request);
            lock.lock();
            streaming_ = false;
            part_held_ = false;
            if (release_ && !stop_) {
                release_ = false;
                HTP_Flux_Cam.Clear_Abort();
                active_ = false;
                break;
            }
            if (outcome == Outcome::Success) {
                active_ = false;
                break;
            }
            wake_.wait_until(lock, started + std::chrono::milliseconds(options_.Retry_Pause_Ms),
                             [this] { return stop_; });
        }
        if (stop_)
            return;
    }
}

TF_Lib_Cam::Decoded_Picture TF_Lib_Cam::Decode_Body()
{
    if (!decoder_)
        decoder_ = std::make_unique<Jpeg_Decoder>();
    T_Picture_Use use;
    {
        std::lock_guard lock(mutex_);
        use = use_;
    }
    const QSize shown(use.Shown_Width, use.Shown_Height);
    Decoded_Picture decoded;
    if (use.Motion) {
        Decode_For_Motion(shown, decoded);
    } else {
        Jpeg_Decode_Size target;
        target.Cover_Width = use.Shown_Width;
        target.Cover_Height = use.Shown_Height;
        const QImage picture = decoder_->Decode(body_.data(), body_.size(), decoded_pool_.Take(), target);
        decoded_pool_.Keep(picture);
        if (decoder_->Last_Full_Size())
            decoded.Whole = picture;
        decoded.Picture = picture;
        if (Shrinks_To(picture.size(), shown)) {
            decoded.Picture = Shrink_Picture(picture, shown, shown_pool_.Take());
            shown_pool_.Keep(decoded.Picture);
        }
    }
    last_body_size_ = body_.size();
    decoded.Jpeg = std::make_shared<const std::string>(std::move(body_));
    body_.clear();
    return decoded;
}

void TF_Lib_Cam::Decode_For_Motion(QSize shown, Decoded_Picture& decoded)
{
    if (!row_decoder_)
        row_decoder_ = std::make_unique<Jpeg_Row_Decoder>();
    std::optional<Motion_Sampler> sampler;
    std::optional<Picture_Shrinker> shrinker;
    QImage whole;
    row_decoder_->Decode(
        body_.data(), body_.size(),
        [&](QSize size) {
            sampler.emplace(size.width(), size.height());
            if (Shrinks_To(size, shown)) {
                shrinker.emplace(size, shown, QImage::Format_RGB32, shown_pool_.Take());
                return;
            }
            whole = Reuse_Or_Make(decoded_pool_.Take(), size, QImage::Format_RGB32);
            if (whole.isNull())
                throw std::bad_alloc();
        },
        [&](int first, int count, const unsigned char* rows, std::ptrdiff_t stride) {
            sampler->Rows(first, count, rows, stride);
            if (shrinker) {
                shrinker->Rows(first, count, rows, stride);
                return;
            }
            const auto length = static_cast<std::size_t>(whole.width()) * 4;
            for (int r = 0; r < count; ++r)
                std::memcpy(whole.scanLine(first + r), rows + r * stride, length);
        });
    decoded.Motion = std::make_shared<const T_Motion_Samples>(sampler->Take());
    if (shrinker) {
        decoded.Picture = shrinker->Take();
        if (decoded.Picture.isNull())
            throw std::bad_alloc();
        shown_pool_.Keep(decoded.Picture);
    } else {
        decoded_pool_.Keep(whole);
        decoded.Picture = whole;
        decoded.Whole = std::move(whole);
    }
}

void TF_Lib_Cam::Note(std::string text)
{
    if (notes_.size() >= Max_Notes)
        notes_.erase(notes_.begin());
    notes_.push_back(std::move(text));
}

void TF_Lib_Cam::Publish_Picture(Decoded_Picture picture, int64_t time_requested)
{
    ++decoded_;
    published_.BMP_Received = std::move(picture.Picture);
    published_.Whole = std::move(picture.Whole);
    published_.Jpeg = std::move(picture.Jpeg);
    published_.Motion = std::move(picture.Motion);
    published_.Time_Requested = time_requested;
    published_.Not_Connected = false;
    published_.Failure.clear();
    published_.Untrusted_Certificate.clear();
    picture_wanted_ = false;
    noted_failure_.clear();
}

void TF_Lib_Cam::Publish_Failure(const std::string& reason, const std::string& untrusted_certificate)
{
    // A stream's last picture stays until it is older than the read time-out.
    const bool recent_stream_picture =
        last_picture_tick_ != 0 && System_Clock().Tick_Ms() - last_picture_tick_ < options_.Http.Read_Timeout_Ms;
    if (!recent_stream_picture) {
        published_.Not_Connected = true;
        last_picture_tick_ = 0;
    }
    published_.Failure = reason;
    published_.Untrusted_Certificate = untrusted_certificate;
    if (reason == noted_failure_)
        return;
    noted_failure_ = reason;
    Note(reason);
}

// Reads a stream's parts inside the client's call: keeps the newest undecoded, decodes it when a poll
// wants a picture.
class TF_Lib_Cam::Stream_Reader : public Http_Stream_Handler {
public:
    Stream_Reader(TF_Lib_Cam& worker, int64_t tick_start) : worker_(worker), tick_start_(tick_start) {}

    void Opened() override
    {
        std::lock_guard lock(worker_.mutex_);
        worker_.streaming_ = true;
        opened_ = true;
    }
    void Part(std::string&& bytes) override
    {
        if (++parts_ == 1)
            first_part_ms_ = System_Clock().Tick_Ms() - tick_start_;
        worker_.body_ = std::move(bytes);
        int64_t since = 0;
        {
            std::lock_guard lock(worker_.mutex_);
            if (parts_ == 2) {
                // A second part: a stream indeed, not a snapshot sent as a one-part reply.
                worker_.Note("MJPEG stream opened, first picture after " + std::to_string(first_part_ms_) + " ms");
            }
            worker_.part_held_ = !worker_.picture_wanted_;
            if (worker_.part_held_)
                return;
            since = worker_.wanted_since_;
        }
        Show(since);
    }
    void Woken() override
    {
        int64_t since = 0;
        {
            std::lock_guard lock(worker_.mutex_);
            if (!worker_.part_held_ || !worker_.picture_wanted_)
                return;
            worker_.part_held_ = false;
            since = worker_.wanted_since_;
        }
        Show(since);
    }

    // The part held and not yet shown, decoded and published (the end of a one-part reply, timed from
    // the attempt's start as a snapshot is).
    void Show_Held()
    {
        bool held = false;
        {
            std::lock_guard lock(worker_.mutex_);
            held = worker_.part_held_;
            worker_.part_held_ = false;
        }
        if (held)
            Show(tick_start_);
    }

    bool Opened_Stream() const { return opened_; }
    int64_t Parts() const { return parts_; }

private:
    void Show(int64_t since)
    {
        Decoded_Picture picture;
        try {
            picture = worker_.Decode_Body();
        } catch (const std::exception& error) {
            throw E_Http_Error(std::string("The stream sent a picture that is not a JPEG picture (") + error.what() +
                               ").");
        }
        const int64_t now = System_Clock().Tick_Ms();
        std::lock_guard lock(worker_.mutex_);
        worker_.Publish_Picture(std::move(picture), now - since);
        worker_.last_picture_tick_ = now;
    }

    TF_Lib_Cam& worker_;
    const int64_t tick_start_;
    bool opened_ = false;
    int64_t parts_ = 0;
    int64_t first_part_ms_ = 0;
};

TF_Lib_Cam::Outcome TF_Lib_Cam::Attempt(const T_Fetch_Request& request)
{
    const int64_t tick_start = System_Clock().Tick_Ms();
    std::string failure;
    std::string untrusted_certificate;
    Decoded_Picture picture;
    Stream_Reader stream(*this, tick_start);
    try {
        // Room for a picture like the last one, so the body does not grow step by step.
        body_.clear();
        body_.reserve(std::min<std::size_t>(last_body_size_ + last_body_size_ / 8, 4u << 20));
        try {
            HTP_Flux_Cam.Set_Login(request.Login);
            HTP_Flux_Cam.Set_Pinned_Certificate(request.Cert_Sha256);
            HTP_Flux_Cam.Get(request.Url, body_, stream, wake_signal_);
        } catch (const E_Tls_Untrusted& refused) {
            failure = refused.what();
            untrusted_certificate = refused.Certificate_Sha256;
        } catch (const E_Http_Error& error) {
            failure = error.what();
        }
        if (stream.Opened_Stream()) {
            // A reply of one part is a snapshot that came as a stream; a stream of several ended.
            if (failure.empty() && stream.Parts() == 1) {
                stream.Show_Held();
                return Outcome::Success;
            }
            if (failure.empty())
                failure =
                    stream.Parts() == 0 ? "The stream ended before its first picture." : "The camera ended the stream.";
        } else if (!body_.empty()) {
            // Bytes that arrived before a failure but still decode count as a success, with a request time of 0.
            picture = Decode_Body();
        } else if (failure.empty()) {
            failure = "The camera answered without a picture.";
        }
    } catch (const std::bad_alloc&) {
        failure = "Not enough memory for the camera's answer.";
        picture = {};
    } catch (const std::exception& error) {
        if (failure.empty())
            failure = error.what();
        picture = {};
    } catch (...) {
        failure = "The camera's answer could not be read.";
        picture = {};
    }
    // Do not keep a large body's memory between attempts.
    if (body_.capacity() > (4u << 20))
        std::string().swap(body_);

    std::lock_guard lock(mutex_);
    if (release_)
        return Outcome::Released;
    if (stream.Parts() > 1)
        Note("MJPEG stream ended after " + std::to_string(stream.Parts()) + " pictures: " + failure);
    if (picture.Picture.isNull()) {
        Publish_Failure(failure, untrusted_certificate);
        return Outcome::Failure;
    }
    last_picture_tick_ = 0;  // a snapshot: failures show at once again
    Publish_Picture(std::move(picture), failure.empty() ? System_Clock().Tick_Ms() - tick_start : 0);
    return Outcome::Success;
}
