#pragma once
#include "acquisition/Http_Client.h"
#include "acquisition/Snapshot_Url.h"
#include "imaging/Compare_Bitmaps.h"
#include "imaging/Picture_Pool.h"

#include <QImage>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Jpeg_Decoder;
class Jpeg_Row_Decoder;

// How the refresh pass uses a camera's pictures, and so the size its worker decodes them at.
struct T_Picture_Use {
    // The largest size a picture is shown at: the worker decodes at the smallest scale that still covers
    // it (never enlarging) and hands over a picture drawn smaller at exactly this size, so painting it
    // is a plain copy. 0 x 0: full size.
    int Shown_Width = 0;
    int Shown_Height = 0;
    // The motion level is measured: every picture is decoded at full size (the level is defined on the
    // whole picture), its motion samples taken as its rows come, and Poll_Flux moves the motion frames
    // on. Otherwise they are let go.
    bool Motion = true;
    bool operator==(const T_Picture_Use&) const = default;
};

// What a fetch attempt leaves for the refresh pass, published as one unit.
struct T_Fetch_Result {
    QImage BMP_Received;                      // the last successfully decoded snapshot, as shown (implicitly shared)
    QImage Whole;                             // the same at full size when the worker decoded it so (else null)
    std::shared_ptr<const std::string> Jpeg;  // the bytes both were decoded from
    std::shared_ptr<const T_Motion_Samples> Motion;  // what the motion level reads of it, when measured (else null)
    bool Not_Connected = true;          // no valid picture: before the first success and after every failure
    int64_t Time_Requested = 0;         // ms from the start of the last successful attempt to the end of decoding
    std::string Failure;                // why the last attempt failed ("" after a success)
    std::string Untrusted_Certificate;  // SHA-256 of the certificate the last attempt refused ("" otherwise)
};

// The fetch worker of one camera slot (F_Lib_Cam). It owns the slot's HTTP client and a worker thread:
// Poll_Flux starts an attempt sequence on that thread when the worker is idle; the sequence retries a failing
// camera until one attempt succeeds or the worker stops. The result is published under the worker's lock;
// the motion frames are kept on the user-interface thread.
//
// A camera that answers with an MJPEG stream (multipart/x-mixed-replace) keeps its attempt open: each part
// is the newest picture, held undecoded until a Poll_Flux asks for one (then decoded and published where a
// snapshot would be), so parts that come faster than the grid shows them cost no decoding. A stream that
// ends is reopened at the failing-camera pace, and the slot turns to "not connected" only when no picture
// came for the read time-out.
class TF_Lib_Cam {
public:
    // Time-outs and pace of a worker; the defaults are the program's.
    struct Options {
        Http_Settings Http;        // HTP_Flux_Cam's settings (cookies on, no redirects)
        int Retry_Pause_Ms = 200;  // least time between the starts of two attempts of a failing camera
    };

    TF_Lib_Cam();
    explicit TF_Lib_Cam(Options options);
    // Stops the thread: the attempt in progress is aborted and the thread joined. Bounded by the time a
    // decode takes; never by the camera.
    ~TF_Lib_Cam();
    TF_Lib_Cam(const TF_Lib_Cam&) = delete;
    TF_Lib_Cam& operator=(const TF_Lib_Cam&) = delete;

    // ---- user-interface thread ----

    // What to fetch; read by each attempt when it starts (the attempt works on its own copy).
    void Set_Request(const T_Fetch_Request& request);
    // Set_Request with url and no login.
    void Set_Url(const std::string& url);
    std::string Url() const;
    // How the pictures are used; read by the worker before each decode, so the next picture decoded
    // follows it. The default: full size, motion measured.
    void Set_Picture_Use(const T_Picture_Use& use);

    // The request-log notes the worker left since the last call (why a camera fails, each reason once
    // per failing spell), oldest first; at most Max_Notes are kept.
    std::vector<std::string> Take_Notes();
    static constexpr std::size_t Max_Notes = 16;

    // Takes a copy of the published result; when it holds a valid picture and the motion is measured, moves
    // the motion frames on (samples of full-size pictures) and measures K_Motion; then requests a fetch (starts an
    // attempt sequence when idle, does nothing while one runs). Returns at once, but for a full-size
    // decode of the pictures compared when the motion has just started to be measured.
    void Poll_Flux();

    // The result as the last Poll_Flux took it: what this refresh pass shows, logs and records.
    const T_Fetch_Result& Result() const { return taken_; }
    bool Not_Connected() const { return taken_.Not_Connected; }
    const QImage& BMP_Received() const { return taken_.BMP_Received; }
    int64_t Time_Requested() const { return taken_.Time_Requested; }
    // The picture Result() holds, at full size: its Whole when the worker decoded it so, otherwise decoded
    // again from its bytes (once per picture). What a recorded snapshot is made of.
    QImage Full_Picture();

    // Motion frames and level, touched by the user-interface thread only. A frame is what the motion level
    // reads of a picture (its samples): the current one and the one before it. Null: no frame.
    std::shared_ptr<const T_Motion_Samples> Motion_New;
    std::shared_ptr<const T_Motion_Samples> Motion_Old;
    double K_Motion = 0;

    // Tells the thread to stop without waiting: no new attempt starts, the one under way is aborted.
    void Stop();
    // The slot is not shown: a stream the worker holds open is closed (the worker goes idle, keeping its
    // last picture). A snapshot attempt sequence is left alone.
    void Release_Stream();

    // ---- any thread ----

    // A consistent copy of the result as published right now.
    T_Fetch_Result Published() const;
    // True from a request until an attempt succeeds (or the worker stops).
    bool Fetching() const;
    // Number of attempts started so far (for tests and statistics).
    int64_t Attempts() const;
    // True while an attempt reads a stream.
    bool Streaming() const;
    // Pictures decoded so far, snapshots and stream parts (for tests and statistics).
    int64_t Decoded() const;

private:
    class Stream_Reader;
    enum class Outcome { Success, Failure, Released };

    void Run();
    // One attempt. Never throws: every failure is a failing camera.
    Outcome Attempt(const T_Fetch_Request& request);
    // The picture in body_ at the size the picture use asks for, its bytes taken out of body_ (throws on
    // failure).
    struct Decoded_Picture {
        QImage Picture;  // as shown
        QImage Whole;    // at full size, when decoded so
        std::shared_ptr<const std::string> Jpeg;
        std::shared_ptr<const T_Motion_Samples> Motion;
    };
    Decoded_Picture Decode_Body();
    // body_ decoded at full size a band of rows at a time: its motion samples, and the picture as shown
    // (drawn smaller from the bands, or whole when it is shown at least as large).
    void Decode_For_Motion(QSize shown, Decoded_Picture& decoded);
    // Moves the motion frames on to the picture just taken and measures K_Motion (user-interface thread).
    void Move_Frames(bool motion);
    // Publishes a picture and clears the failure (under the lock).
    void Publish_Picture(Decoded_Picture picture, int64_t time_requested);
    // result's picture at full size (user-interface thread): its own when decoded so, otherwise decoded
    // from its bytes and kept until another picture needs it. Null when there is none or it fails.
    QImage Full_Size_Of(const T_Fetch_Result& result);
    // result's motion samples (user-interface thread): taken by the worker, or from its full-size picture.
    std::shared_ptr<const T_Motion_Samples> Motion_Of(const T_Fetch_Result& result);
    // Publishes a failure and notes its reason when it differs from the last one noted (under the lock).
    // After a stream, the last picture stays shown until it is older than the read time-out.
    void Publish_Failure(const std::string& reason, const std::string& untrusted_certificate);
    // A line for the request log (under the lock).
    void Note(std::string text);

    Options options_;
    T_Http_Client HTP_Flux_Cam;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    T_Fetch_Request request_;
    T_Picture_Use use_;
    T_Fetch_Result published_;
    std::vector<std::string> notes_;
    std::string noted_failure_;  // the reason last noted in this failing spell
    bool requested_ = false;
    bool active_ = false;
    bool stop_ = false;
    int64_t attempts_ = 0;
    int64_t decoded_ = 0;
    bool streaming_ = false;         // an attempt reads a stream
    bool picture_wanted_ = false;    // a poll asked for a picture the stream has not given yet
    bool part_held_ = false;         // the stream's newest part waits, undecoded, in body_
    int64_t wanted_since_ = 0;       // tick of that poll
    bool release_ = false;           // Release_Stream aborted the stream
    int64_t last_picture_tick_ = 0;  // of the last picture published from a stream (0: none since)
    Abort_Signal wake_signal_;       // a poll's wish reaches a stream's waits at once

    // ---- user-interface thread only ----
    T_Fetch_Result taken_;
    T_Fetch_Result last_connected_;               // taken_ at the last poll that took a valid picture
    QImage full_;                                 // the last picture Full_Size_Of decoded from bytes
    std::shared_ptr<const std::string> full_of_;  // its bytes
    std::unique_ptr<Jpeg_Decoder> full_decoder_;

    std::string body_;                               // worker thread only; also a stream's newest undecoded part
    std::size_t last_body_size_ = 0;                 // worker thread only
    std::unique_ptr<Jpeg_Decoder> decoder_;          // worker thread only
    std::unique_ptr<Jpeg_Row_Decoder> row_decoder_;  // worker thread only
    // The last pictures this worker decoded, and drew smaller for showing (worker thread only): the motion
    // level compares the last two decoded, so a camera holds at most three decoded pictures of at most
    // Jpeg_Max_Decoded_Pixels each, and three shown ones.
    Picture_Pool decoded_pool_;
    Picture_Pool shown_pool_;
    std::thread TRD_Flux_Cam;  // last member: starts after everything above exists
};
