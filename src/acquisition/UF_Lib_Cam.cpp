#include "UF_Lib_Cam.h"

#include "Clock.h"
#include "Compare_Bitmaps.h"
#include "Jpeg_Codec.h"
#include "Tls_Session.h"

#include <chrono>

TF_Lib_Cam::TF_Lib_Cam()
    : TF_Lib_Cam(Options{})
{
}

TF_Lib_Cam::TF_Lib_Cam(Options options)
    : options_(std::move(options))
    , HTP_Flux_Cam(options_.Http)
    , TRD_Flux_Cam([this] { Run(); })
{
}

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

void TF_Lib_Cam::Set_Url(const std::string& url) { Set_Request({url, {}, {}}); }

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

void TF_Lib_Cam::Poll_Flux()
{
    {
        std::lock_guard lock(mutex_);
        if (!active_ && !stop_) {
            active_ = true;
            requested_ = true;
            wake_.notify_one();
        }
        taken_ = published_;
    }
    if (!taken_.Not_Connected) {
        BMP_Old = BMP_New;
        BMP_New = taken_.BMP_Received;
        K_Motion = Compare_Bitmaps(BMP_New, BMP_Old, false);
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

void TF_Lib_Cam::Run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stop_ || requested_; });
        if (stop_)
            return;
        requested_ = false;

        // One attempt sequence: until a success or a stop. Consecutive attempts of a failing camera start
        // at least Retry_Pause_Ms apart, so a refused connection or an HTML page neither spins a core nor
        // floods the camera.
        while (!stop_) {
            const T_Fetch_Request request = request_;
            ++attempts_;
            const auto started = std::chrono::steady_clock::now();
            lock.unlock();
            const bool success = Attempt(request);
            lock.lock();
            if (success) {
                active_ = false;
                break;
            }
            wake_.wait_until(lock, started + std::chrono::milliseconds(options_.Retry_Pause_Ms), [this] { return stop_; });
        }
        if (stop_)
            return;
    }
}

QImage TF_Lib_Cam::Decode_Body()
{
    if (!decoder_)
        decoder_ = std::make_unique<Jpeg_Decoder>();
    QImage recycled;
    for (QImage& old : recycle_) {
        if (!old.isNull() && old.isDetached()) {
            recycled = std::move(old);
            old = QImage();
            break;
        }
    }
    QImage picture = decoder_->Decode(body_.data(), body_.size(), std::move(recycled));
    recycle_[recycle_next_] = picture;
    recycle_next_ = (recycle_next_ + 1) % recycle_.size();
    return picture;
}

void TF_Lib_Cam::Publish_Failure(const std::string& reason, const std::string& untrusted_certificate)
{
    published_.Not_Connected = true;
    published_.Failure = reason;
    published_.Untrusted_Certificate = untrusted_certificate;
    if (reason == noted_failure_)
        return;
    noted_failure_ = reason;
    if (notes_.size() >= Max_Notes)
        notes_.erase(notes_.begin());
    notes_.push_back(reason);
}

bool TF_Lib_Cam::Attempt(const T_Fetch_Request& request)
{
    const int64_t tick_start = System_Clock().Tick_Ms();
    std::string failure;
    std::string untrusted_certificate;
    QImage picture;
    try {
        body_.clear();
        try {
            HTP_Flux_Cam.Set_Login(request.Login);
            HTP_Flux_Cam.Set_Pinned_Certificate(request.Cert_Sha256);
            HTP_Flux_Cam.Get(request.Url, body_);
        } catch (const E_Tls_Untrusted& refused) {
            failure = refused.what();
            untrusted_certificate = refused.Certificate_Sha256;
        } catch (const E_Http_Error& error) {
            failure = error.what();
        }
        // Bytes that arrived before a failure but still decode count as a success, with a request time of 0.
        if (!body_.empty())
            picture = Decode_Body();
        else if (failure.empty())
            failure = "The camera answered without a picture.";
    } catch (const std::bad_alloc&) {
        failure = "Not enough memory for the camera's answer.";
        picture = QImage();
    } catch (const std::exception& error) {
        if (failure.empty())
            failure = error.what();
        picture = QImage();
    } catch (...) {
        failure = "The camera's answer could not be read.";
        picture = QImage();
    }
    // Do not keep a large body's memory between attempts.
    if (body_.capacity() > (4u << 20))
        std::string().swap(body_);

    std::lock_guard lock(mutex_);
    if (picture.isNull()) {
        Publish_Failure(failure, untrusted_certificate);
        return false;
    }
    published_.BMP_Received = std::move(picture);
    published_.Time_Requested = failure.empty() ? System_Clock().Tick_Ms() - tick_start : 0;
    published_.Not_Connected = false;
    published_.Failure.clear();
    published_.Untrusted_Certificate.clear();
    noted_failure_.clear();
    return true;
}
