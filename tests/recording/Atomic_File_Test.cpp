#include "recording/Atomic_File.h"

#include "File_Size_Limit.h"
#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names_In(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void Write(const std::string& path, const std::string& content)
{
    Write_File_Atomically(path, content.data(), content.size());
}

TEST(Atomic_File, WritesAndReplacesWithoutLeavingTemporaryFiles)
{
    Temp_Dir dir;
    const std::string path = dir.File("IMG_14_03_07__045.jpg");
    Write(path, "first");
    EXPECT_EQ(Read_File(path), "first");
    Write(path, "second, longer");
    EXPECT_EQ(Read_File(path), "second, longer");
    Write(path, "");
    EXPECT_EQ(Read_File(path), "");
    EXPECT_EQ(Names_In(dir.Path()), (std::vector<std::string>{"IMG_14_03_07__045.jpg"}));
}

TEST(Atomic_File, IdentityNamesTheFileWritten)
{
    Temp_Dir dir;
    const File_Identity written = Write_File_Atomically(dir.File("a.jpg"), "x", 1);
    EXPECT_EQ(Identity_Of(dir.File("a.jpg")), written);
    EXPECT_EQ(Identity_Of(dir.Path() + "//a.jpg"), written);
    EXPECT_FALSE(Identity_Of(dir.File("missing.jpg")).has_value());
    EXPECT_NE(Write_File_Atomically(dir.File("b.jpg"), "x", 1), written);
}

TEST(Atomic_File, PermissionsFollowTheUmask)
{
    Temp_Dir dir;
    const mode_t saved = umask(022);
    Write(dir.File("a.jpg"), "x");
    umask(saved);
    struct stat info {};
    ASSERT_EQ(stat(dir.File("a.jpg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(Atomic_File, FailedWriteKeepsTheOldFileAndLeavesNothingElse)
{
    Temp_Dir dir;
    const std::string path = dir.File("IMG_14_03_07__045.jpg");
    Write(path, "the complete earlier snapshot");
    const std::string big(100'000, 'j');
    {
        File_Size_Limit limit(1000);
        EXPECT_THROW(Write(path, big), std::system_error);
    }
    EXPECT_EQ(Read_File(path), "the complete earlier snapshot");
    EXPECT_EQ(Names_In(dir.Path()), (std::vector<std::string>{"IMG_14_03_07__045.jpg"}));
}

TEST(Atomic_File, FailedWriteOfANewFileLeavesNoFile)
{
    Temp_Dir dir;
    const std::string big(100'000, 'j');
    {
        File_Size_Limit limit(1000);
        EXPECT_THROW(Write(dir.File("new.jpg"), big), std::system_error);
    }
    EXPECT_TRUE(Names_In(dir.Path()).empty());
}

TEST(Atomic_File, RefusesWhatCannotBeWritten)
{
    Temp_Dir dir;
    Write_File(dir.File("plain"), "a file, not a folder");
    EXPECT_THROW(Write(dir.File("missing/a.jpg"), "x"), std::system_error);
    EXPECT_THROW(Write(dir.File("plain/a.jpg"), "x"), std::system_error);
    EXPECT_THROW(Write(std::string(dir.File("a")) + std::string(1, '\0') + "b.jpg", "x"), std::system_error);
    EXPECT_THROW(Write("", "x"), std::system_error);
    EXPECT_EQ(Names_In(dir.Path()), (std::vector<std::string>{"plain"}));
}

TEST(Atomic_File, StaleTemporaryFilesAreRemovedWhenWritingIntoTheirFolderButNotAtEveryWrite)
{
    Temp_Dir dir;
    const auto two_minutes_ago = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    struct Row {
        const char* name;
        bool stale;  // last changed two minutes ago (else just now)
        bool removed;
    };
    const Row rows[] = {
        {".IMG_14_03_07__045.jpg.4242-0.part", true, true},  // left by a crashed run
        {".a.b.jpg.1-17.part", true, true},
        {".IMG_14_03_08__045.jpg.4242-1.part", false, false},  // young: may be being written
        {".IMG.jpg.42x-1.part", true, false},                  // not a name the writer gives
        {".IMG.jpg.4242-.part", true, false},
        {"..4242-1.part", true, false},
        {"IMG.jpg.4242-1.part", true, false},
        {".IMG.jpg.4242-1.part.jpg", true, false},
        {"IMG_14_03_06__045.jpg", true, false},
    };
    for (const Row& row : rows) {
        Write_File(dir.File(row.name), "x");
        if (row.stale)
            fs::last_write_time(dir.File(row.name), two_minutes_ago);
    }
    fs::create_directory(dir.File(".folder.jpg.4242-2.part"));
    fs::last_write_time(dir.File(".folder.jpg.4242-2.part"), two_minutes_ago);

    Write(dir.File("IMG_14_03_09__045.jpg"), "new");
    for (const Row& row : rows)
        EXPECT_EQ(fs::exists(dir.File(row.name)), !row.removed) << row.name;
    EXPECT_TRUE(fs::is_directory(dir.File(".folder.jpg.4242-2.part")));

    // The folder is not listed again at the next write.
    Write_File(dir.File(".late.jpg.4242-3.part"), "x");
    fs::last_write_time(dir.File(".late.jpg.4242-3.part"), two_minutes_ago);
    Write(dir.File("IMG_14_03_10__045.jpg"), "new");
    EXPECT_TRUE(fs::exists(dir.File(".late.jpg.4242-3.part")));
}

TEST(Atomic_File, EachFolderIsSweptAtItsFirstWriteThenOnceAMinute)
{
    using namespace std::chrono_literals;
    Sweep_Schedule schedule;
    const Sweep_Schedule::Clock::time_point start{1h};
    EXPECT_TRUE(schedule.Due("/rec/CAM1/2015_12_12", start));
    EXPECT_FALSE(schedule.Due("/rec/CAM1/2015_12_12", start + 59s));
    EXPECT_TRUE(schedule.Due("/rec/CAM2/2015_12_12", start + 59s));
    EXPECT_TRUE(schedule.Due("/rec/CAM1/2015_12_12", start + 60s));
    EXPECT_FALSE(schedule.Due("/rec/CAM1/2015_12_12", start + 119s));
    // Many folders later, a folder swept recently is still not due.
    for (int day = 0; day < 200; ++day)
        schedule.Due("/rec/CAM3/day" + std::to_string(day), start + 100s);
    EXPECT_FALSE(schedule.Due("/rec/CAM3/day7", start + 101s));
    EXPECT_FALSE(schedule.Due("/rec/CAM1/2015_12_12", start + 119s));
    EXPECT_TRUE(schedule.Due("/rec/CAM1/2015_12_12", start + 120s));
}

TEST(Atomic_File, ReadOnlyFolderRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    Temp_Dir dir;
    fs::create_directory(dir.File("ro"));
    fs::permissions(dir.File("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(Write(dir.File("ro/a.jpg"), "x"), std::system_error);
    fs::permissions(dir.File("ro"), fs::perms::owner_all);
    EXPECT_TRUE(Names_In(dir.File("ro")).empty());
}

}  // namespace
