// Replays the fuzz targets' seed corpora and every crashing input kept from earlier fuzzing runs
// (fuzz/crashes/<target>/), so that a fault found once stays fixed.
#include "Fuzz_Targets.h"
#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;
    void (*run)(const uint8_t*, std::size_t);
};

class Fuzz_Replay : public ::testing::TestWithParam<Target> {};

TEST_P(Fuzz_Replay, EveryKeptInputRunsCleanly)
{
    int replayed = 0;
    for (const char* folder : {"corpus", "crashes"}) {
        const fs::path dir = fs::path(TAMBREL_FUZZ_DIR) / folder / GetParam().name;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            const std::string bytes = Read_File(entry.path().string());
            SCOPED_TRACE(entry.path().string());
            GetParam().run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no seed inputs for " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Targets, Fuzz_Replay,
                         ::testing::Values(Target{"reply_parser", Fuzz_Reply_Parser}, Target{"url", Fuzz_Url},
                                           Target{"profile", Fuzz_Profile}, Target{"numbers", Fuzz_Numbers},
                                           Target{"jpeg", Fuzz_Jpeg}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
