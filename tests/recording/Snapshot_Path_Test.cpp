#include "recording/Snapshot_Path.h"
#include "recording/Snapshot_Texts.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

const Local_Date_Time Example_Time{2015, 12, 12, 14, 3, 7, 45};

struct Folder_Case {
    const char* Name;
    std::string Dest_Folder;
    std::string Alias;
    std::string Expected_Folder;
};

// Test names in failure messages instead of the case's bytes.
void PrintTo(const Folder_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Snapshot_Folder_Cases : public ::testing::TestWithParam<Folder_Case> {};

TEST_P(Snapshot_Folder_Cases, FolderPerCameraAndDay)
{
    const Folder_Case& c = GetParam();
    EXPECT_EQ(Snapshot_Folder(c.Dest_Folder, c.Alias, Example_Time), c.Expected_Folder);
}

INSTANTIATE_TEST_SUITE_P(
    Aliases, Snapshot_Folder_Cases,
    ::testing::Values(Folder_Case{"plain_alias", "/rec", "CAM1", "/rec/CAM1/2015_12_12"},
                      Folder_Case{"removed_characters", "/rec", "Cam:1/2", "/rec/Cam12/2015_12_12"},
                      Folder_Case{"every_removed_character", "/rec", "a\\b/c:d*e?f<g>h|i", "/rec/abcdefghi/2015_12_12"},
                      Folder_Case{"quotes_and_blanks_stay", "/rec", "\"front door\" ",
                                  "/rec/\"front door\" /2015_12_12"},
                      Folder_Case{"only_removed_characters", "/rec", "://", "/rec//2015_12_12"},
                      Folder_Case{"empty_alias", "/rec", "", "/rec//2015_12_12"},
                      Folder_Case{"dot_alias_stays_inside", "/rec", ".", "/rec//2015_12_12"},
                      Folder_Case{"dot_dot_alias_stays_inside", "/rec", "..", "/rec//2015_12_12"},
                      Folder_Case{"dot_dot_after_cleaning", "/rec", ".:.", "/rec//2015_12_12"},
                      Folder_Case{"dot_dot_slash_after_cleaning", "/rec", "../..", "/rec/..../2015_12_12"},
                      Folder_Case{"three_dots_is_a_name", "/rec", "...", "/rec/.../2015_12_12"},
                      Folder_Case{"dest_with_final_separator", "/rec/", "CAM1", "/rec//CAM1/2015_12_12"},
                      Folder_Case{"empty_dest_starts_at_root", "", "CAM1", "/CAM1/2015_12_12"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Snapshot_Record_Folder, OnlyAnAbsoluteFolderTakesSnapshots)
{
    struct Row {
        std::string folder;
        bool usable;
    };
    const Row rows[] = {
        {"", false},      {"rec", false}, {"./rec", false}, {"~/rec", false},
        {" /rec", false}, {"/", true},    {"/rec", true},   {"//server/share", true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Is_Record_Folder(row.folder), row.usable) << '"' << row.folder << '"';
    EXPECT_EQ(Not_Recorded_Note("rec"), "NOT RECORDED! DESTINATION FOLDER IS NOT A FULL PATH! | Folder : \"rec\"");
}

TEST(Snapshot_Names, ExampleFileName)
{
    EXPECT_EQ(Snapshot_File_Name(Example_Time), "IMG_14_03_07__045.jpg");
    EXPECT_EQ(Snapshot_Folder("/rec", "CAM1", Example_Time) + "/" + Snapshot_File_Name(Example_Time),
              "/rec/CAM1/2015_12_12/IMG_14_03_07__045.jpg");
}

TEST(Snapshot_Names, NumbersAreZeroFilled)
{
    const Local_Date_Time early{987, 1, 2, 0, 4, 5, 6};
    EXPECT_EQ(Day_Folder_Name(early), "0987_01_02");
    EXPECT_EQ(Snapshot_File_Name(early), "IMG_00_04_05__006.jpg");
    EXPECT_EQ(Caption_Text("X", early), "Tambrel | X | 02/01/0987  00:04:05");
    const Local_Date_Time late{2099, 12, 31, 23, 59, 59, 999};
    EXPECT_EQ(Snapshot_File_Name(late), "IMG_23_59_59__999.jpg");
}

TEST(Snapshot_Names, SlotSuffixKeepsSameFolderSnapshotsApart)
{
    EXPECT_EQ(Snapshot_File_Name_For_Slot("IMG_14_03_07__045.jpg", 2), "IMG_14_03_07__045_2.jpg");
    EXPECT_EQ(Snapshot_File_Name_For_Slot("IMG_14_03_07__045.jpg", 9), "IMG_14_03_07__045_9.jpg");
    EXPECT_NE(Snapshot_File_Name_For_Slot("IMG_14_03_07__045.jpg", 2),
              Snapshot_File_Name_For_Slot("IMG_14_03_07__045.jpg", 3));
}

TEST(Snapshot_Caption_Texts, AliasStaysAsTypedInTheCaption)
{
    EXPECT_EQ(Caption_Text("Cam:1/2", Example_Time), "Tambrel | Cam:1/2 | 12/12/2015  14:03:07");
    EXPECT_EQ(Caption_Height_Sample("Cam:1/2"), "Tambrel | Cam:1/2 | 25/11/2014  22:11:00");
    EXPECT_EQ(Caption_Width_Sample("Cam:1/2"), "Tambrel | Cam:1/2 | (25/11/2014  22:11:00");
    // The width sample is the caption's length plus the one extra "(".
    EXPECT_EQ(Caption_Width_Sample("CAM1").size(), Caption_Text("CAM1", Example_Time).size() + 1);
}

}  // namespace
