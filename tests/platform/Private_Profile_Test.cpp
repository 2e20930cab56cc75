#include "platform/Private_Profile.h"

#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

mode_t Mode_Of(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

bool Running_As_Root()
{
    return ::geteuid() == 0;
}

TEST(Private_Profile, MissingFileReadsAsMissingKey)
{
    Temp_Dir dir;
    EXPECT_EQ(Read_Private_Profile(dir.File("none.ini"), "s", "k").status, Profile_Status::Missing);
    EXPECT_EQ(Get_Private_Profile_String(dir.File("none.ini"), "s", "k", "dflt"), "dflt");
    EXPECT_FALSE(Profile_Has_Key(dir.File("none.ini"), "s", "k"));
}

TEST(Private_Profile, FirstWriteCreatesAPrivateFile)
{
    Temp_Dir dir;
    const std::string file = dir.File("datas.ini");
    const mode_t old_mask = ::umask(0);  // even a permissive umask must not widen the mode
    const bool written = Write_Private_Profile_String(file, "CAM1", "Password", "secret");
    ::umask(old_mask);
    ASSERT_TRUE(written);
    EXPECT_EQ(Read_File(file), "[CAM1]\nPassword=secret\n");
    EXPECT_EQ(Mode_Of(file), 0600u);
    EXPECT_EQ(Get_Private_Profile_String(file, "cam1", "password", ""), "secret");
}

TEST(Private_Profile, WriteKeepsTheModeOfAnExistingFile)
{
    Temp_Dir dir;
    const std::string file = dir.File("a.ini");
    Write_File(file, "[s]\nk=1\n");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(Write_Private_Profile_String(file, "s", "k", "2"));
    EXPECT_EQ(Mode_Of(file), 0640u);
    EXPECT_EQ(Read_File(file), "[s]\nk=2\n");
}

TEST(Private_Profile, WriteLeavesNoTemporaryFileBehind)
{
    Temp_Dir dir;
    const std::string file = dir.File("a.ini");
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(Write_Private_Profile_String(file, "s", "k" + std::to_string(i), "v"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

// A file written on Windows stays as Windows would leave it, whatever we change in it.
TEST(Private_Profile, CrLfFileStaysCrLf)
{
    Temp_Dir dir;
    const std::string file = dir.File("other.cfg");
    Write_File(file, "; written by another program\r\n[Other]\r\nName = x \r\n\r\n[S]\r\nK=1\r\nno equals here");
    ASSERT_TRUE(Write_Private_Profile_String(file, "s", "k", "2"));
    ASSERT_TRUE(Write_Private_Profile_String(file, "s", "new", "3"));
    ASSERT_TRUE(Write_Private_Profile_String(file, "t", "k", "4"));
    EXPECT_EQ(Read_File(file), "; written by another program\r\n[Other]\r\nName = x \r\n\r\n[S]\r\nK=2\r\nnew=3\r\n"
                               "no equals here\r\n[t]\r\nk=4\r\n");
}

struct Default_Case {
    const char* name;
    const char* content;  // nullptr: no file; "/": a folder in place of the file
    const char* expected;
};

class Private_Profile_Default_Test : public testing::TestWithParam<Default_Case> {};

// The default loses its trailing blanks only; a key that is there, even empty, is no default.
TEST_P(Private_Profile_Default_Test, Reads)
{
    Temp_Dir dir;
    const std::string file = dir.File("a.ini");
    const char* content = GetParam().content;
    if (content && std::string_view(content) == "/")
        fs::create_directory(file);
    else if (content)
        Write_File(file, content);
    EXPECT_EQ(Get_Private_Profile_String(file, "s", "k", " 'd' \t\v"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Private_Profile_Default_Test,
                         testing::Values(Default_Case{"MissingFile", nullptr, " 'd'"},
                                         Default_Case{"MissingSection", "[a]\nk=1\n", " 'd'"},
                                         Default_Case{"MissingKey", "[s]\nx=1\n", " 'd'"},
                                         Default_Case{"UnreadableFile", "/", " 'd'"},
                                         Default_Case{"EmptyKey", "[s]\nk= \n", ""}),
                         [](const auto& row) { return row.param.name; });

TEST(Private_Profile, DeletingInAMissingFileCreatesNothing)
{
    Temp_Dir dir;
    EXPECT_TRUE(Write_Private_Profile_String(dir.File("a.ini"), "s", "k", std::nullopt));
    EXPECT_FALSE(fs::exists(dir.File("a.ini")));
}

TEST(Private_Profile, ValueWithALineBreakIsRefused)
{
    Temp_Dir dir;
    const std::string file = dir.File("a.ini");
    Write_File(file, "[s]\nk=1\n");
    EXPECT_FALSE(Write_Private_Profile_String(file, "s", "k", "x\n[other]\nkey=injected"));
    EXPECT_FALSE(Write_Private_Profile_String(file, "s", "k\r", "x"));
    EXPECT_EQ(Read_File(file), "[s]\nk=1\n");
}

TEST(Private_Profile, MissingFolderFailsQuietly)
{
    Temp_Dir dir;
    const std::string file = dir.File("no/such/folder/a.ini");
    EXPECT_FALSE(Write_Private_Profile_String(file, "s", "k", "v"));
    EXPECT_EQ(Read_Private_Profile(file, "s", "k").status, Profile_Status::Missing);
    EXPECT_FALSE(fs::exists(dir.File("no")));
}

TEST(Private_Profile, FolderInPlaceOfTheFileFails)
{
    Temp_Dir dir;
    fs::create_directory(dir.File("a.ini"));
    EXPECT_EQ(Read_Private_Profile(dir.File("a.ini"), "s", "k").status, Profile_Status::Failed);
    EXPECT_FALSE(Write_Private_Profile_String(dir.File("a.ini"), "s", "k", "v"));
}

TEST(Private_Profile, OversizedFileIsNotRead)
{
    Temp_Dir dir;
    const std::string file = dir.File("big.ini");
    Write_File(file, "[s]\nk=v\n" + std::string(Profile_Max_File_Size, ';'));
    EXPECT_EQ(Read_Private_Profile(file, "s", "k").status, Profile_Status::Failed);
    EXPECT_FALSE(Write_Private_Profile_String(file, "s", "k", "w"));
}

TEST(Private_Profile, WriteThroughASymbolicLinkUpdatesItsTarget)
{
    Temp_Dir dir;
    const std::string target = dir.File("real.ini");
    const std::string link = dir.File("link.ini");
    Write_File(target, "[s]\nk=1\n");
    fs::create_symlink(target, link);
    ASSERT_TRUE(Write_Private_Profile_String(link, "s", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read_File(target), "[s]\nk=2\n");
}

TEST(Private_Profile, ReadOnlyFileIsNotChanged)
{
    if (Running_As_Root())
        GTEST_SKIP() << "permissions do not bind the superuser";
    Temp_Dir dir;
    const std::string file = dir.File("a.ini");
    Write_File(file, "[s]\nk=1\n");
    ::chmod(file.c_str(), 0400);
    EXPECT_FALSE(Write_Private_Profile_String(file, "s", "k", "2"));
    EXPECT_EQ(Read_File(file), "[s]\nk=1\n");
    EXPECT_EQ(Get_Private_Profile_String(file, "s", "k", ""), "1");
}

TEST(Private_Profile, ReadOnlyFolderRewritesAWritableFileInPlace)
{
    if (Running_As_Root())
        GTEST_SKIP() << "permissions do not bind the superuser";
    Temp_Dir dir;
    const std::string file = dir.File("a.ini");
    Write_File(file, "[s]\nk=1\n");
    ::chmod(dir.Path().c_str(), 0500);
    EXPECT_TRUE(Write_Private_Profile_String(file, "s", "k", "2"));
    EXPECT_FALSE(Write_Private_Profile_String(dir.File("new.ini"), "s", "k", "2"));
    ::chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(Read_File(file), "[s]\nk=2\n");
    EXPECT_FALSE(fs::exists(dir.File("new.ini")));
}

TEST(Private_Profile, UnreadableFileFails)
{
    if (Running_As_Root())
        GTEST_SKIP() << "permissions do not bind the superuser";
    Temp_Dir dir;
    const std::string file = dir.File("a.ini");
    Write_File(file, "[s]\nk=1\n");
    ::chmod(file.c_str(), 0200);
    EXPECT_EQ(Read_Private_Profile(file, "s", "k").status, Profile_Status::Failed);
    EXPECT_FALSE(Write_Private_Profile_String(file, "s", "k", "2"));
}

}  // namespace
