// The fetch worker against cameras that answer with an MJPEG stream.
#include "acquisition/UF_Lib_Cam.h"
#include "camsim/Camsim_Server.h"
#include "imaging/Jpeg_Codec.h"
#include "support/Scripted_Server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::unique_ptr<Camsim_Server> Stream_Camera(const char* spec)
{
    Camsim_Options options;
    options.Width = 160;
    options.Height = 120;
    options.Fps = 20;
    options.Password = "secret";
    options.Streams.emplace_back(1, *Parse_Camsim_Stream(spec));
    auto camera = std::make_unique<Camsim_Server>(options);
    camera->Start();
    return camera;
}

struct Watch {
    int Pictures = 0;
    bool Failed_After_First = false;
};

// Polls as refresh passes do, every `period`, for `time`.
Watch Poll_For(TF_Lib_Cam& worker, std::chrono::milliseconds time, std::chrono::milliseconds period = 50ms)
{
    Watch watch;
    qint64 last = 0;
    for (const auto end = Clock::now() + time; Clock::now() < end; std::this_thread::sleep_for(period)) {
        worker.Poll_Flux();
        const T_Fetch_Result& result = worker.Result();
        if (!result.Not_Connected && result.BMP_Received.cacheKey() != last) {
            last = result.BMP_Received.cacheKey();
            ++watch.Pictures;
        } else if (result.Not_Connected && watch.Pictures > 0) {
            watch.Failed_After_First = true;
        }
    }
    return watch;
}

int Count_Notes(const std::vector<std::string>& notes, const std::string& start)
{
    int n = 0;
    for (const auto& note : notes)
        n += note.rfind(start, 0) == 0;
    return n;
}

TEST(Camera_Stream, PartsFasterThanThePassesAreDroppedUndecodedOnOneConnection)
{
    for (const char* spec : {"fps=20", "fps=20:nolength:lf:header-case:quoted", "fps=20:nodash"}) {
        SCOPED_TRACE(spec);
        auto camera = Stream_Camera(spec);
        TF_Lib_Cam worker;
        worker.Set_Request({camera->Stream_Url(1), {}, {}});
        const Watch watch = Poll_For(worker, 1000ms, 200ms);  // five passes a second
        const Camsim_Counters counters = camera->Camera(1).Counters();
        EXPECT_GE(watch.Pictures, 4);
        EXPECT_FALSE(watch.Failed_After_First);
        EXPECT_GE(counters.Stream_Parts, 12);
        EXPECT_LE(worker.Decoded(), 6) << "only the parts about to be shown are decoded";
        EXPECT_EQ(counters.Streams_Opened, 1);
        EXPECT_TRUE(worker.Streaming());
        const auto notes = worker.Take_Notes();
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(Count_Notes(notes, "MJPEG stream opened, first picture after "), 1);
    }
}

TEST(Camera_Stream, AStreamThatDropsIsReopenedAtThePaceWithoutAFailureShown)
{
    auto camera = Stream_Camera("fps=25:drop=3");
    TF_Lib_Cam worker;
    worker.Set_Request({camera->Stream_Url(1), {}, {}});
    const Watch watch = Poll_For(worker, 1200ms);
    const Camsim_Counters counters = camera->Camera(1).Counters();
    EXPECT_GE(watch.Pictures, 6);
    EXPECT_FALSE(watch.Failed_After_First);
    EXPECT_GE(counters.Streams_Opened, 3);
    EXPECT_LE(counters.Streams_Opened, 8) << "reopened at most five times a second";
    const auto notes = worker.Take_Notes();
    EXPECT_GE(Count_Notes(notes, "MJPEG stream ended after "), 2);
}

TEST(Camera_Stream, AHiddenPanelReleasesItsStreamAndStopIsBounded)
{
    auto camera = Stream_Camera("fps=20");
    auto worker = std::make_unique<TF_Lib_Cam>();
    worker->Set_Request({camera->Stream_Url(1), {}, {}});
    ASSERT_GE(Poll_For(*worker, 400ms).Pictures, 1);
    worker->Release_Stream();
    for (int i = 0; i < 100 && (camera->Camera(1).Counters().Streams_Open > 0 || worker->Fetching()); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(camera->Camera(1).Counters().Streams_Open, 0);
    EXPECT_FALSE(worker->Fetching());
    EXPECT_FALSE(worker->Published().Not_Connected) << "the last picture stays";

    // Shown again: a poll opens a new stream; closing the window ends it at once.
    ASSERT_GE(Poll_For(*worker, 400ms).Pictures, 1);
    EXPECT_EQ(camera->Camera(1).Counters().Streams_Opened, 2);
    const auto start = Clock::now();
    worker.reset();
    EXPECT_LT(Clock::now() - start, 500ms);
}

TEST(Camera_Stream, AOnePartReplyIsASnapshot)
{
    for (Camsim_Fault fault : {Camsim_Fault::Multipart_One, Camsim_Fault::Multipart_One_Close}) {
        Camsim_Options options;
        options.Width = 160;
        options.Height = 120;
        options.Faults.emplace_back(1, fault);
        Camsim_Server camera(options);
        camera.Start();
        TF_Lib_Cam worker;
        worker.Set_Url(camera.Snapshot_Url(1));
        EXPECT_GE(Poll_For(worker, 300ms).Pictures, 2);
        EXPECT_TRUE(worker.Take_Notes().empty());
    }
}

std::string Stream_Head()
{
    return "HTTP/1.1 200 OK\r\nContent-Type: multipart/x-mixed-replace; boundary=b\r\n\r\n";
}

TEST(Camera_Stream, BadStreamsFailClearly)
{
    const QByteArray jpeg = Jpeg_Encode(QImage(16, 16, QImage::Format_RGB32), 80);
    struct Row {
        const char* name;
        std::string bytes;
        const char* failure;
    };
    const Row rows[] = {
        {"parts_that_are_not_pictures", Stream_Head() + "--b\r\n\r\n<html>a page</html>\r\n--b\r\n\r\nmore\r\n--b\r\n",
         "The stream sent a picture that is not a JPEG picture ("},
        {"a_part_that_never_ends", Stream_Head() + "--b\r\nContent-Length: 100000\r\n\r\n" + jpeg.toStdString(),
         "The stream sent no complete picture within the read time-out."},
        {"no_boundary_at_all", Stream_Head() + std::string(70000, 'x'),
         "The stream sent no boundary line where a picture should start."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Scripted_Server camera({{Step::Read(), Step::Send(row.bytes), Step::Hang()}});
        TF_Lib_Cam::Options options;
        options.Http.Read_Timeout_Ms = 300;
        TF_Lib_Cam worker(options);
        worker.Set_Url(camera.Base_Url() + "/video");
        Poll_For(worker, 600ms);
        EXPECT_TRUE(worker.Published().Not_Connected);
        const auto notes = worker.Take_Notes();
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes[0].substr(0, std::string(row.failure).size()), row.failure);
    }
}

}  // namespace
