// Requests per second of T_Http_Client against in-process simulated cameras.
//   bench_http                       (prints items_per_second = snapshots per second)
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "acquisition/Http_Client.h"
#include "acquisition/Http_Reply_Parser.h"
#include "camsim/Camsim_Server.h"

namespace {

Camsim_Options Bench_Options()
{
    Camsim_Options options;
    options.Count = 1;
    options.Width = 640;
    options.Height = 480;
    options.Fps = 5;
    return options;
}

// One snapshot GET per iteration over one kept connection; the camera re-encodes at its own
// scene rate, so this measures the client and the loopback exchange.
void BM_Snapshot_Get_Kept_Connection(benchmark::State& state)
{
    Camsim_Server server(Bench_Options());
    server.Start();
    T_Http_Client client;
    const std::string url = server.Snapshot_Url(1);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string body;
        client.Get(url, body);
        bytes += body.size();
        benchmark::DoNotOptimize(body.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["connections"] = server.Camera(1).Counters().Connections;
}
BENCHMARK(BM_Snapshot_Get_Kept_Connection)->Unit(benchmark::kMicrosecond)->MinTime(2.0)->UseRealTime();

// The same with a new connection per request ("Connection: close" camera).
void BM_Snapshot_Get_New_Connection(benchmark::State& state)
{
    Camsim_Options options = Bench_Options();
    options.Faults = {{1, Camsim_Fault::Close}};
    Camsim_Server server(options);
    server.Start();
    T_Http_Client client;
    const std::string url = server.Snapshot_Url(1);
    for (auto _ : state) {
        std::string body;
        client.Get(url, body);
        benchmark::DoNotOptimize(body.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Snapshot_Get_New_Connection)->Unit(benchmark::kMicrosecond)->MinTime(2.0)->UseRealTime();

// The reply parser alone on a 40 KB reply held in memory.
void BM_Reply_Parser_40K(benchmark::State& state)
{
    const std::string reply =
        "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: 40000\r\n\r\n" + std::string(40000, 'j');
    for (auto _ : state) {
        Http_Reply_Parser parser;
        std::string body;
        auto head = parser.Feed(reply, body);
        parser.Begin_Body(false);
        parser.Feed(std::string_view(reply).substr(head.Consumed), body);
        benchmark::DoNotOptimize(body.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Reply_Parser_40K);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the cameras draw text
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
