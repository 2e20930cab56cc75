// bench_control
//   BM_Jog_Command: one jog step sent through Camera_Control to an in-process simulated camera over
//     the command client's kept connection. A held jog button repeats every 20 ms, so this must stay
//     far below 20 ms for the repetition, not the camera, to set the pace.
//   BM_Full_Screen_Repaint/<zoom x 10>: one repaint of a 1280 x 720 full-screen window showing a
//     640 x 480 picture; the zoomed picture control is far larger than the window, so this shows
//     whether painting is bounded by the window rather than by the zoomed size.
#include "camsim/Camsim_Server.h"
#include "control/Camera_Control.h"
#include "views/UF_Full_Screen.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QApplication>
#include <QImage>
#include <QObject>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_Jog_Command(benchmark::State& state)
{
    Camsim_Options options;
    options.Width = 320;
    options.Height = 240;
    Camsim_Server server(options);
    server.Start();
    T_Cams cams;
    cams[1].Ad_Ip = "127.0.0.1";
    cams[1].Port = server.Port(1);
    cams[1].Login = options.Login;
    Camera_Control control(cams, [] { return 1; });
    for (auto _ : state)
        control.Jog(6);
    state.SetItemsProcessed(state.iterations());
    state.counters["connections"] = server.Camera(1).Counters().Connections;
    if (server.Camera(1).Counters().Requests_By_Path["/decoder_control.cgi"] != static_cast<int>(state.iterations()))
        state.SkipWithError("some jog requests did not reach the camera");
}
BENCHMARK(BM_Jog_Command)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Full_Screen_Repaint(benchmark::State& state)
{
    TF_Full_Screen window;
    window.resize(1280, 720);
    window.PNL_Status_Cam->show();
    QImage picture(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    window.IMG_Cam->Set_Picture(picture);
    QImage target(window.size(), QImage::Format_RGB32);
    {
        // The first render delivers the pending resize, which lays the hidden window out.
        QPainter painter(&target);
        window.render(&painter);
    }
    window.Zoom = static_cast<double>(state.range(0)) / 10.0;
    window.Apply_Zoom();
    for (auto _ : state) {
        QPainter painter(&target);
        window.render(&painter);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["picture_width"] = window.IMG_Cam->width();
}
BENCHMARK(BM_Full_Screen_Repaint)->Arg(2)->Arg(10)->Arg(50)->Arg(110)->Unit(benchmark::kMillisecond);

}  // namespace
