#include "acquisition/UF_Lib_Cam.h"
#include "imaging/Compare_Bitmaps.h"
#include "imaging/Jpeg_Codec.h"
#include "imaging/Picture_Shrink.h"
#include "support/Scripted_Server.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string Jpeg_Body(int width = 64, int height = 48, int scene = 0)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb((x + scene * 7) * 4 % 256, y * 5 % 256, (x + y + scene * 40) % 256));
    const QByteArray bytes = Jpeg_Encode(picture, 90);
    return bytes.toStdString();
}

std::string Ok_Reply(const std::string& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

Connection_Script Reply_Once(const std::string& reply, int pause_ms = 0)
{
    Connection_Script script{Step::Read()};
    if (pause_ms > 0)
        script.push_back(Step::Pause(pause_ms));
    script.push_back(Step::Send(reply));
    script.push_back(Step::Close());
    return script;
}

// Waits, without requesting anything, until the worker has published a picture.
bool Wait_Picture(const TF_Lib_Cam& worker, std::chrono::milliseconds limit = 5000ms)
{
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (!worker.Published().Not_Connected)
            return true;
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

// Polls (as refresh passes do) until the condition holds or the time is up.
template <typename Condition>
bool Poll_Until(TF_Lib_Cam& worker, Condition condition, std::chrono::milliseconds limit = 5000ms)
{
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        worker.Poll_Flux();
        if (condition())
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

TEST(Lib_Cam, FirstPollStartsAnAttemptAndReturnsAtOnceStillNotConnected)
{
    Scripted_Server camera({Reply_Once(Ok_Reply(Jpeg_Body()), 300)});
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi?user=admin&pwd=");

    const auto before = Clock::now();
    worker.Poll_Flux();
    EXPECT_LT(Clock::now() - before, 100ms);
    EXPECT_TRUE(worker.Not_Connected());
    EXPECT_TRUE(worker.Fetching());

    // A second request while the first is under way starts nothing.
    worker.Poll_Flux();
    std::this_thread::sleep_for(50ms);
    worker.Poll_Flux();
    EXPECT_EQ(worker.Attempts(), 1);

    ASSERT_TRUE(Wait_Picture(worker));
    // A success ends the sequence: the worker is idle until the next request.
    EXPECT_FALSE(worker.Fetching());
    EXPECT_EQ(worker.Attempts(), 1);
    EXPECT_EQ(camera.Connections_Accepted(), 1);
    // The next pass takes the picture (and, the worker being idle, requests the next one).
    worker.Poll_Flux();
    EXPECT_FALSE(worker.Not_Connected());
    EXPECT_EQ(worker.BMP_Received().size(), QSize(64, 48));
    EXPECT_GE(worker.Time_Requested(), 250);
}

struct Failing_Camera {
    const char* name;
    std::string reply;
};

class Lib_Cam_Failing : public ::testing::TestWithParam<Failing_Camera> {};

// A camera that never gives a picture keeps the worker retrying, at a bounded pace.
TEST_P(Lib_Cam_Failing, RetriesAtABoundedPaceAndStaysNotConnected)
{
    std::vector<Connection_Script> scripts(40, Reply_Once(GetParam().reply));
    Scripted_Server camera(scripts);
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi?user=admin&pwd=bad");
    worker.Poll_Flux();
    std::this_thread::sleep_for(1100ms);
    worker.Poll_Flux();
    EXPECT_TRUE(worker.Not_Connected());
    EXPECT_TRUE(worker.Fetching());
    // 200 ms apart: about six attempts in 1.1 s, never a flood.
    EXPECT_GE(worker.Attempts(), 3);
    EXPECT_LE(worker.Attempts(), 7);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Lib_Cam_Failing,
    ::testing::Values(
        Failing_Camera{
            "html_page",
            "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 27\r\n\r\n<html><body>hi</body></html"},
        Failing_Camera{"wrong_password", "HTTP/1.1 401 Unauthorized\r\nContent-Length: 0\r\n\r\n"},
        Failing_Camera{"empty_body", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"},
        Failing_Camera{"redirect", "HTTP/1.1 302 Found\r\nLocation: /login\r\nContent-Length: 0\r\n\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Lib_Cam, ARefusedConnectionIsRetriedWithoutSpinning)
{
    int port = 0;
    {
        Scripted_Server placeholder({});
        port = placeholder.Port();
    }
    TF_Lib_Cam worker;
    worker.Set_Url("http://127.0.0.1:" + std::to_string(port) + "/snapshot.cgi?user=admin&pwd=");
    worker.Poll_Flux();
    std::this_thread::sleep_for(1100ms);
    EXPECT_LE(worker.Attempts(), 7);
    EXPECT_GE(worker.Attempts(), 3);
}

TEST(Lib_Cam, ARecoveringCameraTurnsLiveAndStopsRetrying)
{
    const std::string not_found = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
    Scripted_Server camera({Reply_Once(not_found), Reply_Once(not_found), Reply_Once(Ok_Reply(Jpeg_Body()))});
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi?user=admin&pwd=");
    worker.Poll_Flux();
    ASSERT_TRUE(Wait_Picture(worker));
    EXPECT_EQ(worker.Attempts(), 3);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(worker.Attempts(), 3);
    EXPECT_FALSE(worker.Fetching());
}

TEST(Lib_Cam, AFailureAfterAPictureShowsWaitingButKeepsThePicture)
{
    const std::string not_found = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
    std::vector<Connection_Script> scripts{Reply_Once(Ok_Reply(Jpeg_Body()))};
    for (int i = 0; i < 20; ++i)
        scripts.push_back(Reply_Once(not_found));
    Scripted_Server camera(scripts);
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi");
    ASSERT_TRUE(Poll_Until(worker, [&] { return !worker.Not_Connected(); }));
    ASSERT_TRUE(Poll_Until(worker, [&] { return worker.Not_Connected(); }));
    EXPECT_FALSE(worker.BMP_Received().isNull());
}

TEST(Lib_Cam, BytesThatArrivedBeforeAnErrorStillDecodeWithRequestTimeZero)
{
    // A chunked reply whose picture arrived whole, then a reset instead of the closing chunk.
    const std::string jpeg = Jpeg_Body();
    char size_line[16];
    std::snprintf(size_line, sizeof size_line, "%zx\r\n", jpeg.size());
    Scripted_Server camera(
        {{Step::Read(), Step::Pause(50),
          Step::Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(size_line) + jpeg + "\r\n"),
          Step::Pause(50), Step::Reset()}});
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi");
    ASSERT_TRUE(Poll_Until(worker, [&] { return !worker.Not_Connected(); }));
    EXPECT_EQ(worker.Time_Requested(), 0);
    EXPECT_EQ(worker.BMP_Received().size(), QSize(64, 48));
}

TEST(Lib_Cam, MotionFramesMoveOnOnlyWithAValidPicture)
{
    std::vector<Connection_Script> scripts(30, Reply_Once(Ok_Reply(Jpeg_Body())));
    Scripted_Server camera(scripts);
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi");
    worker.Poll_Flux();
    EXPECT_FALSE(worker.Motion_New);
    ASSERT_TRUE(Poll_Until(worker, [&] { return !worker.Not_Connected(); }));
    // The same picture compared with itself, or with an empty frame, gives 0.
    EXPECT_EQ(worker.K_Motion, 0);
    EXPECT_TRUE(worker.Motion_New);
    worker.Poll_Flux();
    ASSERT_TRUE(worker.Motion_Old);
    EXPECT_EQ(worker.Motion_Old->Values.size(), static_cast<std::size_t>(Sample_Grid(64, 48).Count));
    EXPECT_EQ(worker.K_Motion, 0);
}

// Pictures are decoded at the size they are shown at, except where the whole picture matters: the
// motion level and a recorded snapshot are exactly what full-size pictures give.
TEST(Lib_Cam, PicturesAreDecodedAtTheSizeShownAndWholeWhereTheWholeMatters)
{
    std::vector<Connection_Script> scripts;
    for (int i = 0; i < 30; ++i)
        scripts.push_back(Reply_Once(Ok_Reply(Jpeg_Body(640, 480, i))));
    Scripted_Server camera(scripts);
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi");
    worker.Set_Picture_Use({150, 100, false});
    ASSERT_TRUE(Poll_Until(worker, [&] { return !worker.Not_Connected(); }));
    // Decoded at 1/4 (160 x 120), handed over at the shown size.
    EXPECT_EQ(worker.BMP_Received().size(), QSize(150, 100));
    EXPECT_TRUE(worker.Result().Whole.isNull());
    EXPECT_FALSE(worker.Motion_New);
    EXPECT_EQ(worker.K_Motion, 0);
    const std::shared_ptr<const std::string> shown = worker.Result().Jpeg;
    ASSERT_TRUE(shown);
    EXPECT_EQ(worker.Full_Picture(), Jpeg_Decode(shown->data(), shown->size()));

    // Motion measured from here on. The picture already decoded shows as it is, but the level compares
    // whole pictures (the one before decoded whole again); the next picture is decoded whole.
    for (int i = 0; i < 500 && worker.Fetching(); ++i)
        std::this_thread::sleep_for(10ms);
    worker.Set_Picture_Use({150, 100, true});
    worker.Poll_Flux();
    const std::shared_ptr<const std::string> second = worker.Result().Jpeg;
    ASSERT_NE(second, shown);
    EXPECT_TRUE(worker.Result().Whole.isNull());
    const QImage whole_first = Jpeg_Decode(shown->data(), shown->size());
    const QImage whole_second = Jpeg_Decode(second->data(), second->size());
    EXPECT_EQ(*worker.Motion_Old, Motion_Samples(whole_first));
    EXPECT_EQ(worker.K_Motion, Compare_Bitmaps(whole_second, whole_first, false));
    EXPECT_GT(worker.K_Motion, 0);
    ASSERT_TRUE(Poll_Until(worker, [&] { return worker.Result().Jpeg != second; }));
    const std::shared_ptr<const std::string> next = worker.Result().Jpeg;
    // Decoded whole a band of rows at a time: the samples and the shown picture are those of the whole
    // picture, which is not kept (a recorded snapshot decodes it again).
    const QImage whole_next = Jpeg_Decode(next->data(), next->size());
    EXPECT_TRUE(worker.Result().Whole.isNull());
    EXPECT_EQ(*worker.Result().Motion, Motion_Samples(whole_next));
    EXPECT_EQ(worker.BMP_Received(), Shrink_Picture(whole_next, {150, 100}));
    EXPECT_EQ(worker.Full_Picture(), whole_next);
    EXPECT_EQ(*worker.Motion_Old, Motion_Samples(whole_second));
    EXPECT_EQ(worker.K_Motion, Compare_Bitmaps(whole_next, whole_second, false));

    // Shown larger than the picture: never enlarged.
    worker.Set_Picture_Use({1000, 800, false});
    ASSERT_TRUE(Poll_Until(worker, [&] { return worker.BMP_Received().size() == QSize(640, 480); }));
    EXPECT_FALSE(worker.Motion_Old);
}

TEST(Lib_Cam, StoppingNineWorkersHangingMidRequestIsBounded)
{
    std::vector<std::unique_ptr<Scripted_Server>> cameras;
    std::vector<std::unique_ptr<TF_Lib_Cam>> workers;
    for (int i = 0; i < 9; ++i) {
        cameras.push_back(
            std::make_unique<Scripted_Server>(std::vector<Connection_Script>{{Step::Read(), Step::Hang()}}));
        workers.push_back(std::make_unique<TF_Lib_Cam>());
        workers.back()->Set_Url(cameras.back()->Base_Url() + "/snapshot.cgi");
        workers.back()->Poll_Flux();
    }
    std::this_thread::sleep_for(200ms);
    for (auto& w : workers)
        EXPECT_TRUE(w->Fetching());

    const auto before = Clock::now();
    for (auto& w : workers)
        w->Stop();
    workers.clear();
    EXPECT_LT(Clock::now() - before, 2s);
}

TEST(Lib_Cam, AStoppedWorkerStartsNothing)
{
    Scripted_Server camera({Reply_Once(Ok_Reply(Jpeg_Body()))});
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Base_Url() + "/snapshot.cgi");
    worker.Stop();
    worker.Poll_Flux();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(worker.Attempts(), 0);
    EXPECT_EQ(camera.Connections_Accepted(), 0);
}

// Virtual memory of this process, in bytes.
long Virtual_Size()
{
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    return pages * sysconf(_SC_PAGESIZE);
}

// An answer that does not fit in memory ends an attempt, not the program: the camera is failing, the log
// says why, and the worker lives on (checked in a child process whose address space is capped).
TEST(Lib_Cam_Death, AnAnswerTooLargeForMemoryIsAFailingCamera)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers reserve address space of their own";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::string body(30'000'000, 'x');
            Scripted_Server camera(
                {{Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 30000000\r\n\r\n" + body)}});
            TF_Lib_Cam worker;
            worker.Set_Url(camera.Base_Url() + "/snapshot.cgi");
            rlimit cap{};
            cap.rlim_cur = cap.rlim_max = static_cast<rlim_t>(Virtual_Size() + 40'000'000);
            setrlimit(RLIMIT_AS, &cap);
            worker.Poll_Flux();
            const auto end = Clock::now() + 5s;
            while (Clock::now() < end && worker.Published().Failure.empty())
                std::this_thread::sleep_for(10ms);
            const bool said_why = worker.Published().Failure == "Not enough memory for the camera's answer.";
            std::exit(said_why ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
