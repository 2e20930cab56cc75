#include "recording/Snapshot_Writer.h"

#include "File_Size_Limit.h"
#include "imaging/Jpeg_Codec.h"
#include "recording/Record_Rules.h"
#include "support/Temp_Dir.h"

#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const Local_Date_Time Example_Time{2015, 12, 12, 14, 3, 7, 45};

// A dark, textured picture: a white caption stands out on it, and its JPEG is not trivial.
QImage Dark_Scene(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(20 + (x * 7 + y * 3) % 40, 25 + (x + y * 5) % 30, 30 + (x * y) % 35));
    return picture;
}

QImage Decode_File(const std::string& path)
{
    const std::string bytes = Read_File(path);
    if (bytes.empty())
        return {};
    return Jpeg_Decode(bytes.data(), bytes.size());
}

int White_Pixels(const QImage& picture, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            count += qRed(pixel) > 180 && qGreen(pixel) > 180 && qBlue(pixel) > 180;
        }
    return count;
}

// ---- JPEG headers: frame type and quantisation -------------------------------------------------

struct Segment {
    unsigned char Marker;
    std::size_t Offset;  // of the payload, after the length
    std::size_t Length;
};

std::vector<Segment> Header_Segments(const std::string& jpeg)
{
    std::vector<Segment> segments;
    const auto byte = [&jpeg](std::size_t i) { return static_cast<unsigned char>(jpeg[i]); };
    std::size_t i = 2;  // after SOI
    while (i + 4 <= jpeg.size() && byte(i) == 0xFF) {
        const unsigned char marker = byte(i + 1);
        const std::size_t length = static_cast<std::size_t>(byte(i + 2) << 8 | byte(i + 3)) - 2;
        segments.push_back({marker, i + 4, length});
        if (marker == 0xDA)
            break;
        i += 4 + length;
    }
    return segments;
}

bool Has_Marker(const std::vector<Segment>& segments, unsigned char marker)
{
    return std::any_of(segments.begin(), segments.end(), [marker](const Segment& s) { return s.Marker == marker; });
}

// The luminance table (id 0) as written, in zig-zag order.
std::vector<int> Luminance_Table(const std::string& jpeg)
{
    for (const Segment& s : Header_Segments(jpeg)) {
        if (s.Marker != 0xDB)
            continue;
        std::size_t i = s.Offset;
        while (i < s.Offset + s.Length) {
            const int precision_and_id = static_cast<unsigned char>(jpeg[i]);
            const std::size_t entry = (precision_and_id >> 4) ? 2 : 1;
            if ((precision_and_id & 0x0F) == 0) {
                std::vector<int> table;
                for (int k = 0; k < 64; ++k)
                    table.push_back(static_cast<unsigned char>(jpeg[i + 1 + static_cast<std::size_t>(k) * entry]));
                return table;
            }
            i += 1 + 64 * entry;
        }
    }
    return {};
}

// The standard luminance table scaled for quality 90, in zig-zag order.
std::vector<int> Quality_90_Luminance()
{
    constexpr std::array<int, 64> standard = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                              14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                              18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                              49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    constexpr std::array<int, 64> zig_zag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    const int scale = 200 - 2 * 90;
    std::vector<int> table;
    for (int k = 0; k < 64; ++k)
        table.push_back(std::clamp(
            (standard[static_cast<std::size_t>(zig_zag[static_cast<std::size_t>(k)])] * scale + 50) / 100, 1, 255));
    return table;
}

std::vector<std::string> Names_In(const std::string& folder)
{
    std::vector<std::string> names;
    if (!fs::is_directory(folder))
        return names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What the refresh pass does for a slot whose picture is shown: one recording step and, when
// due, one save with the pass's own writer. Errors end the "pass" as they leave.
bool Record_Pass(T_Rec_Slot& slot, int64_t now_tick, const QImage& shown, const std::string& dest,
                 const Local_Date_Time& now)
{
    Snapshot_Writer writer;
    T_Rec_Step_Input in;
    in.Valide_Record = Rec_Mode_Always;
    in.Frequence_Rec = 5;
    in.Now = now_tick;
    if (!Record_Step(slot, in).Save_Now)
        return false;
    writer.Save(shown, "CAM1", 1, now, dest);
    return true;
}

// ---- Files written --------------------------------------------------------------------------

TEST(Snapshot_Writer, ExampleSnapshotDecodesAsCaptionedBaselineQuality90)
{
    Temp_Dir dir;
    const QImage shown = Dark_Scene(640, 480);
    const QImage before = shown.copy();
    Snapshot_Writer writer;
    const std::string path = writer.Save(shown, "CAM1", 1, Example_Time, dir.Path());

    EXPECT_EQ(path, dir.Path() + "/CAM1/2015_12_12/IMG_14_03_07__045.jpg");
    EXPECT_EQ(Names_In(dir.File("CAM1/2015_12_12")), (std::vector<std::string>{"IMG_14_03_07__045.jpg"}));
    EXPECT_EQ(shown, before) << "the picture shown keeps no caption";

    const std::string jpeg = Read_File(path);
    const auto segments = Header_Segments(jpeg);
    EXPECT_TRUE(Has_Marker(segments, 0xC0)) << "baseline frame (SOF0)";
    EXPECT_FALSE(Has_Marker(segments, 0xC2)) << "not progressive";
    EXPECT_EQ(Luminance_Table(jpeg), Quality_90_Luminance());

    const QImage written = Decode_File(path);
    ASSERT_EQ(written.size(), shown.size());
    EXPECT_GT(White_Pixels(written, QRect(200, 462, 240, 18)), 100) << "caption at the bottom centre";
    EXPECT_EQ(White_Pixels(written, QRect(0, 0, 640, 440)), 0) << "nothing drawn elsewhere";
}

TEST(Snapshot_Writer, AliasIsCleanedForTheFolderOnly)
{
    Temp_Dir dir;
    Snapshot_Writer writer;
    const std::string path = writer.Save(Dark_Scene(64, 48), "Cam:1/2", 1, Example_Time, dir.Path());
    EXPECT_EQ(path, dir.Path() + "/Cam12/2015_12_12/IMG_14_03_07__045.jpg");
    EXPECT_TRUE(fs::is_regular_file(path));
}

struct Escaping_Alias_Case {
    const char* Name;
    std::string Alias;
};

// Test names in failure messages instead of the case's bytes.
void PrintTo(const Escaping_Alias_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Snapshot_Writer_Escape : public ::testing::TestWithParam<Escaping_Alias_Case> {};

TEST_P(Snapshot_Writer_Escape, DayFolderStaysInsideTheDestination)
{
    Temp_Dir dir;
    const std::string dest = dir.File("rec");
    Snapshot_Writer writer;
    const std::string path = writer.Save(Dark_Scene(64, 48), GetParam().Alias, 1, Example_Time, dest);
    EXPECT_EQ(path, dest + "//2015_12_12/IMG_14_03_07__045.jpg");
    EXPECT_EQ(fs::canonical(path).parent_path().parent_path(), fs::canonical(dest));
    EXPECT_EQ(Names_In(dir.Path()), (std::vector<std::string>{"rec"}));
}

INSTANTIATE_TEST_SUITE_P(Aliases, Snapshot_Writer_Escape,
                         ::testing::Values(Escaping_Alias_Case{"dot", "."}, Escaping_Alias_Case{"dot_dot", ".."},
                                           Escaping_Alias_Case{"dot_dot_after_cleaning", ".|."},
                                           Escaping_Alias_Case{"only_removed_characters", "*?"}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(Snapshot_Writer, SlotsWithTheSameFolderInOnePassKeepBothFiles)
{
    Temp_Dir dir;
    Snapshot_Writer pass;
    const std::string first = pass.Save(Dark_Scene(64, 48), "Cam:1", 1, Example_Time, dir.Path());
    const std::string first_bytes = Read_File(first);
    const std::string second = pass.Save(Dark_Scene(64, 48), "Cam1", 2, Example_Time, dir.Path());

    EXPECT_EQ(first, dir.Path() + "/Cam1/2015_12_12/IMG_14_03_07__045.jpg");
    EXPECT_EQ(second, dir.Path() + "/Cam1/2015_12_12/IMG_14_03_07__045_2.jpg");
    EXPECT_EQ(Read_File(first), first_bytes) << "the first slot's file is not overwritten";
    EXPECT_NE(Read_File(second), first_bytes) << "each file has its own caption";

    // A later pass with the same time replaces the plain name, as any earlier file of it.
    Snapshot_Writer next_pass;
    EXPECT_EQ(next_pass.Save(Dark_Scene(64, 48), "Cam1", 2, Example_Time, dir.Path()), first);
    EXPECT_EQ(Names_In(dir.File("Cam1/2015_12_12")).size(), 2u);
}

TEST(Snapshot_Writer, NineSlotsWithOneAliasInOnePassWriteNineFiles)
{
    Temp_Dir dir;
    Snapshot_Writer pass;
    std::vector<std::string> paths;
    for (int slot = 1; slot <= 9; ++slot)
        paths.push_back(pass.Save(Dark_Scene(64, 48), "CAM", slot, Example_Time, dir.Path()));
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(std::unique(paths.begin(), paths.end()), paths.end());
    EXPECT_EQ(Names_In(dir.File("CAM/2015_12_12")).size(), 9u);
}

TEST(Snapshot_Writer, SlowCameraPictureSavedAgainWithNewNameAndCaption)
{
    Temp_Dir dir;
    const QImage shown = Dark_Scene(320, 240);
    Local_Date_Time later = Example_Time;
    later.Second = 13;
    later.Millisecond = 50;
    const std::string first = Snapshot_Writer().Save(shown, "CAM1", 1, Example_Time, dir.Path());
    const std::string second = Snapshot_Writer().Save(shown, "CAM1", 1, later, dir.Path());

    EXPECT_EQ(fs::path(second).filename(), "IMG_14_03_13__050.jpg");
    EXPECT_TRUE(fs::is_regular_file(first));
    const QImage a = Decode_File(first);
    const QImage b = Decode_File(second);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(a.copy(0, 0, 320, 200), b.copy(0, 0, 320, 200)) << "the same picture";
    EXPECT_NE(a.copy(0, 220, 320, 20), b.copy(0, 220, 320, 20)) << "another caption time";
}

TEST(Snapshot_Writer, CaptionSizeDoesNotDependOnThePictureResolution)
{
    Temp_Dir dir;
    QImage at_72_dpi = Dark_Scene(320, 240);
    at_72_dpi.setDotsPerMeterX(2835);
    at_72_dpi.setDotsPerMeterY(2835);
    QImage at_300_dpi = Dark_Scene(320, 240);
    at_300_dpi.setDotsPerMeterX(11811);
    at_300_dpi.setDotsPerMeterY(11811);
    Snapshot_Writer pass;
    const std::string a = pass.Save(at_72_dpi, "A", 1, Example_Time, dir.Path());
    const std::string b = pass.Save(at_300_dpi, "B", 2, Example_Time, dir.Path());
    Snapshot_Writer other_pass;
    const std::string c = other_pass.Save(at_300_dpi, "A", 1, Example_Time, dir.File("other"));
    EXPECT_EQ(Read_File(a), Read_File(c));
    EXPECT_NE(Read_File(a), Read_File(b));
}

// ---- Failures -----------------------------------------------------------------------------

TEST(Snapshot_Writer_Failure, NullPictureThrowsBeforeTouchingTheDisk)
{
    Temp_Dir dir;
    Snapshot_Writer writer;
    EXPECT_THROW(writer.Save(QImage(), "CAM1", 1, Example_Time, dir.File("rec")), Jpeg_Error);
    EXPECT_TRUE(Names_In(dir.Path()).empty());
}

TEST(Snapshot_Writer_Failure, EmptyOrRelativeDestinationThrowsAndWritesNowhere)
{
    // A relative folder would be taken from the current folder: make that one a folder of the test.
    Temp_Dir dir;
    const fs::path start_folder = fs::current_path();
    fs::current_path(dir.Path());
    const std::string alias = "Tambrel_Writer_Refused_Test";
    const bool root_had_it = fs::exists("/" + alias);
    Snapshot_Writer writer;
    for (const std::string dest : {"", "rec", "."})
        EXPECT_THROW(writer.Save(Dark_Scene(64, 48), alias, 1, Example_Time, dest), std::system_error)
            << '"' << dest << '"';
    EXPECT_EQ(fs::exists("/" + alias), root_had_it);
    if (!root_had_it)
        fs::remove_all("/" + alias);
    fs::current_path(start_folder);
    EXPECT_TRUE(Names_In(dir.Path()).empty());
}

TEST(Snapshot_Writer_Failure, DestinationThatIsAFileThrowsAndLeavesNothing)
{
    Temp_Dir dir;
    Write_File(dir.File("rec"), "not a folder");
    Snapshot_Writer writer;
    EXPECT_THROW(writer.Save(Dark_Scene(64, 48), "CAM1", 1, Example_Time, dir.File("rec")), std::exception);
    EXPECT_EQ(Names_In(dir.Path()), (std::vector<std::string>{"rec"}));
    EXPECT_EQ(Read_File(dir.File("rec")), "not a folder");
}

TEST(Snapshot_Writer_Failure, ReadOnlyDestinationThrowsAndLeavesNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    Temp_Dir dir;
    fs::create_directory(dir.File("rec"));
    fs::permissions(dir.File("rec"), fs::perms::owner_read | fs::perms::owner_exec);
    Snapshot_Writer writer;
    EXPECT_THROW(writer.Save(Dark_Scene(64, 48), "CAM1", 1, Example_Time, dir.File("rec")), std::exception);
    fs::permissions(dir.File("rec"), fs::perms::owner_all);
    EXPECT_TRUE(Names_In(dir.File("rec")).empty());
}

TEST(Snapshot_Writer_Failure, ReadOnlyDayFolderLeavesNoPartialFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    Temp_Dir dir;
    const std::string day = dir.File("CAM1/2015_12_12");
    fs::create_directories(day);
    fs::permissions(day, fs::perms::owner_read | fs::perms::owner_exec);
    Snapshot_Writer writer;
    EXPECT_THROW(writer.Save(Dark_Scene(64, 48), "CAM1", 1, Example_Time, dir.Path()), std::system_error);
    fs::permissions(day, fs::perms::owner_all);
    EXPECT_TRUE(Names_In(day).empty());
}

TEST(Snapshot_Writer_Failure, DayFolderNameTakenByAFile)
{
    Temp_Dir dir;
    fs::create_directories(dir.File("CAM1"));
    Write_File(dir.File("CAM1/2015_12_12"), "in the way");
    Snapshot_Writer writer;
    EXPECT_THROW(writer.Save(Dark_Scene(64, 48), "CAM1", 1, Example_Time, dir.Path()), std::system_error);
    EXPECT_EQ(Names_In(dir.File("CAM1")), (std::vector<std::string>{"2015_12_12"}));
    EXPECT_EQ(Read_File(dir.File("CAM1/2015_12_12")), "in the way");
}

TEST(Snapshot_Writer_Failure, FullDiskKeepsTheEarlierSnapshotWhole)
{
    Temp_Dir dir;
    const std::string path = Snapshot_Writer().Save(Dark_Scene(64, 48), "CAM1", 1, Example_Time, dir.Path());
    const std::string earlier = Read_File(path);
    {
        File_Size_Limit full_disk(1000);
        Snapshot_Writer writer;
        EXPECT_THROW(writer.Save(Dark_Scene(640, 480), "CAM1", 1, Example_Time, dir.Path()), std::system_error);
    }
    EXPECT_EQ(Read_File(path), earlier);
    EXPECT_EQ(Names_In(dir.File("CAM1/2015_12_12")), (std::vector<std::string>{"IMG_14_03_07__045.jpg"}));
}

TEST(Snapshot_Writer_Failure, FailedSaveIsTriedAgainOneIntervalLater)
{
    Temp_Dir dir;
    const std::string dest = dir.File("rec");
    Write_File(dest, "blocks the destination");
    const QImage shown = Dark_Scene(64, 48);
    T_Rec_Slot slot;
    constexpr int64_t start = 3'600'000;

    EXPECT_THROW(Record_Pass(slot, start, shown, dest, Example_Time), std::exception);
    EXPECT_EQ(slot.Tick_Rec, start) << "advanced before the save";

    fs::remove(dest);  // the destination becomes writable again
    Local_Date_Time now = Example_Time;
    now.Second = 8;
    EXPECT_FALSE(Record_Pass(slot, start + 1000, shown, dest, now));
    EXPECT_FALSE(fs::exists(dest));
    now.Second = 12;
    EXPECT_TRUE(Record_Pass(slot, start + 5001, shown, dest, now));
    EXPECT_EQ(Names_In(dest + "/CAM1/2015_12_12"), (std::vector<std::string>{"IMG_14_03_12__045.jpg"}));
}

}  // namespace
