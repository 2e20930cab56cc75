// Cost of the settings store: every key is its own file access, so a load or save of the nine
// cameras (117 keys) is 117 reads or 117 read-modify-rename cycles.
#include "model/Cams_Ini.h"
#include "platform/Ini_Keys.h"
#include "platform/Profile_Text.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

char Point()
{
    return '.';
}

// A private folder for one benchmark, removed afterwards.
class Bench_Dir {
public:
    Bench_Dir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tambrel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~Bench_Dir()
    {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

T_Cams Default_Cams()
{
    T_Cams cams;
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        cams[slot] = Default_Cam(slot);
    return cams;
}

void BM_Read_Cams_Ini(benchmark::State& state)
{
    Set_Ini_Decimal_Separator_Source(&Point);
    Bench_Dir dir;
    const std::string file = dir.File("datas.ini");
    T_Cams cams;
    Read_Cams_Ini(file, cams);  // completes the file once
    for (auto _ : state) {
        Read_Cams_Ini(file, cams);
        benchmark::DoNotOptimize(cams[9].Port);
    }
}
BENCHMARK(BM_Read_Cams_Ini)->Unit(benchmark::kMillisecond);

void BM_Write_Cams_Ini(benchmark::State& state)
{
    Set_Ini_Decimal_Separator_Source(&Point);
    Bench_Dir dir;
    const std::string file = dir.File("datas.ini");
    T_Cams cams = Default_Cams();
    Write_Cams_Ini(file, cams);
    int round = 0;
    for (auto _ : state) {
        // Changed values, so that every key really rewrites the file.
        for (int slot = 1; slot <= Nb_Slots; ++slot) {
            cams[slot].Port = 8000 + (++round);
            cams[slot].K_Detect = round;
            cams[slot].Password = "pw" + std::to_string(round);
        }
        Write_Cams_Ini(file, cams);
    }
}
BENCHMARK(BM_Write_Cams_Ini)->Unit(benchmark::kMillisecond);

void BM_First_Start_Read(benchmark::State& state)
{
    Set_Ini_Decimal_Separator_Source(&Point);
    Bench_Dir dir;
    const std::string file = dir.File("datas.ini");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(file);
        state.ResumeTiming();
        T_Cams cams;
        Read_Cams_Ini(file, cams);
        benchmark::DoNotOptimize(cams[9].Port);
    }
}
BENCHMARK(BM_First_Start_Read)->Unit(benchmark::kMillisecond);

void BM_Profile_Find_Value(benchmark::State& state)
{
    std::string content;
    for (int slot = 1; slot <= Nb_Slots; ++slot) {
        content += "[CAM" + std::to_string(slot) + "]\r\n";
        for (int key = 0; key < 13; ++key)
            content += "Key_" + std::to_string(key) + "=value " + std::to_string(key) + "\r\n";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(Profile_Find_Value(content, "cam9", "key_12"));
}
BENCHMARK(BM_Profile_Find_Value);

}  // namespace

BENCHMARK_MAIN();
