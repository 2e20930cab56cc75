#pragma once
#include "acquisition/Http_Client.h"
#include "acquisition/Snapshot_Url.h"

#include <QImage>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Jpeg_Decoder;

// What a fetch attempt leaves for the refresh pass, published as one unit.
struct T_Fetch_Result {
    QImage BMP_Received;                // the last successfully decoded snapshot (implicitly shared)
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

    // The request-log notes the worker left since the last call (why a camera fails, each reason once
    // per failing spell), oldest first; at most Max_Notes are kept.
    std::vector<std::string> Take_Notes();
    static constexpr std::size_t Max_Notes = 16;

    // Requests a fetch (starts an attempt sequence when idle, does nothing while one runs), takes a copy of
    // the published result, and when it holds a valid picture moves the motion frames on and measures
    // K_Motion. Returns at once.
    void Poll_Flux();

    // The result as the last Poll_Flux took it: what this refresh pass shows, logs and records.
    const T_Fetch_Result& Result() const { return taken_; }
    bool Not_Connected() const { return taken_.Not_Connected; }
    const QImage& BMP_Received() const { return taken_.BMP_Received; }
    int64_t Time_Requested() const { return taken_.Time_Requested; }

    // Motion frames and level, touched by the user-interface thread only.
    QImage BMP_New;
    QImage BMP_Old;
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
    // The picture in bytes (throws on failure).
    QImage Decode(const std::string& bytes);
    // Publishes a picture and clears the failure (under the lock).
    void Publish_Picture(QImage picture, int64_t time_requested);
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

    T_Fetch_Result taken_;  // user-interface thread only

    std::string body_;                       // worker thread only; also a stream's newest undecoded part
    std::unique_ptr<Jpeg_Decoder> decoder_;  // worker thread only
    // The last pictures this worker decoded: once the user-interface thread has let go of one, the next
    // picture is decoded into its buffer (worker thread only). Three: the one shown, the one before it
    // (the motion level compares them) and one to decode into; so a camera holds at most three
    // pictures of at most Jpeg_Max_Decoded_Pixels each.
    std::array<QImage, 3> recycle_;
    std::size_t recycle_next_ = 0;
    std::thread TRD_Flux_Cam;  // last member: starts after everything above exists
};
