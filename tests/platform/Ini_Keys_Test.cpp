#include "platform/Ini_Keys.h"

#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

namespace {

char Point()
{
    return '.';
}
char Comma()
{
    return ',';
}

class Ini_Keys_Test : public testing::Test {
protected:
    void SetUp() override { Set_Ini_Decimal_Separator_Source(&Point); }
    void TearDown() override { Set_Ini_Decimal_Separator_Source(nullptr); }

    Temp_Dir dir;
    const std::string file = dir.File("datas.ini");
};

struct Stored_Int_Case {
    const char* name;
    const char* stored;
    int32_t expected;
};

class Ini_Read_Int_Stored_Test : public Ini_Keys_Test, public testing::WithParamInterface<Stored_Int_Case> {};

// A present key is read as it stands; its default (8000 here) is never used.
TEST_P(Ini_Read_Int_Stored_Test, ReadsThePresentValue)
{
    Write_File(file, std::string("[CAM1]\nPort=") + GetParam().stored + "\n");
    EXPECT_EQ(Ini_Read_Int(file, "CAM1", "Port", 8000), GetParam().expected);
    EXPECT_EQ(Read_File(file), std::string("[CAM1]\nPort=") + GetParam().stored + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ini_Read_Int_Stored_Test,
    testing::Values(Stored_Int_Case{"Hex", "0x1F40", 8000}, Stored_Int_Case{"LeadingBlank", " 8000", 8000},
                    Stored_Int_Case{"TrailingLetters", "8000abc", 0}, Stored_Int_Case{"Empty", "", 0},
                    Stored_Int_Case{"HexAllOnes", "$FFFFFFFF", -1}, Stored_Int_Case{"Overflow", "2147483648", 0}),
    [](const auto& row) { return row.param.name; });

TEST_F(Ini_Keys_Test, MissingKeysGetTheirDefaultWrittenThenRead)
{
    EXPECT_EQ(Ini_Read_Int(file, "CAM1", "Port", 8000), 8000);
    EXPECT_TRUE(Ini_Read_Bool(file, "CAM1", "Valide", true));
    EXPECT_EQ(Ini_Read_String(file, "CAM1", "Login", "admin"), "admin");
    EXPECT_DOUBLE_EQ(Ini_Read_Float(file, "CAM1", "K_Detect", 50), 50);
    EXPECT_NEAR(Ini_Read_Float(file, "CAM1", "Timer_Off", 86399.0 / 86400.0), 86399.0 / 86400.0, 1e-15);
    EXPECT_EQ(Read_File(file), "[CAM1]\nPort=8000\nValide=1\nLogin=admin\nK_Detect=50\nTimer_Off=0.999988425925926\n");
}

TEST_F(Ini_Keys_Test, PresentEmptyValueGivesZeroNotTheDefault)
{
    Write_File(file, "[CAM1]\nValide=\nTimer_Off=\nLogin=\n");
    EXPECT_FALSE(Ini_Read_Bool(file, "CAM1", "Valide", true));
    EXPECT_DOUBLE_EQ(Ini_Read_Float(file, "CAM1", "Timer_Off", 86399.0 / 86400.0), 0);
    EXPECT_EQ(Ini_Read_String(file, "CAM1", "Login", "admin"), "");
}

TEST_F(Ini_Keys_Test, DeletedLineGivesTheDefaultAndIsWrittenBack)
{
    Write_File(file, "[CAM1]\nTimer_On=0.25\nTimer_Off=0.5\n");
    ASSERT_TRUE(Ini_Delete_Key(file, "CAM1", "Timer_Off"));
    EXPECT_EQ(Read_File(file), "[CAM1]\nTimer_On=0.25\n");
    EXPECT_NEAR(Ini_Read_Float(file, "CAM1", "Timer_Off", 86399.0 / 86400.0), 86399.0 / 86400.0, 1e-15);
    EXPECT_EQ(Read_File(file), "[CAM1]\nTimer_On=0.25\nTimer_Off=0.999988425925926\n");
}

TEST_F(Ini_Keys_Test, RealsFollowTheRegionalSeparator)
{
    Set_Ini_Decimal_Separator_Source(&Comma);
    ASSERT_TRUE(Ini_Write_Float(file, "s", "half", 0.5));
    ASSERT_TRUE(Ini_Write_Float(file, "s", "whole", 50));
    EXPECT_EQ(Read_File(file), "[s]\nhalf=0,5\nwhole=50\n");
    EXPECT_DOUBLE_EQ(Ini_Read_Float(file, "s", "half", 9), 0.5);

    Set_Ini_Decimal_Separator_Source(&Point);
    EXPECT_DOUBLE_EQ(Ini_Read_Float(file, "s", "half", 9), 0);
    EXPECT_DOUBLE_EQ(Ini_Read_Float(file, "s", "whole", 9), 50);
    ASSERT_TRUE(Ini_Write_Float(file, "s", "half", 0.5));
    Set_Ini_Decimal_Separator_Source(&Comma);
    EXPECT_DOUBLE_EQ(Ini_Read_Float(file, "s", "half", 9), 0);
}

TEST_F(Ini_Keys_Test, WritesUseEachKindsForm)
{
    ASSERT_TRUE(Ini_Write_Int(file, "s", "i", -12));
    ASSERT_TRUE(Ini_Write_Bool(file, "s", "b", true));
    ASSERT_TRUE(Ini_Write_Bool(file, "s", "f", false));
    ASSERT_TRUE(Ini_Write_Float(file, "s", "r", 2e-7));
    ASSERT_TRUE(Ini_Write_String(file, "s", "t", "p&ss word #1"));
    EXPECT_EQ(Read_File(file), "[s]\ni=-12\nb=1\nf=0\nr=2E-7\nt=p&ss word #1\n");
}

// A file that cannot be completed gives zero values, whatever the defaults.
TEST_F(Ini_Keys_Test, UnwritableFileGivesZeroValues)
{
    const std::string lost = dir.File("missing-folder/datas.ini");
    EXPECT_EQ(Ini_Read_Int(lost, "CAM1", "Port", 8000), 0);
    EXPECT_FALSE(Ini_Read_Bool(lost, "CAM1", "Valide", true));
    EXPECT_DOUBLE_EQ(Ini_Read_Float(lost, "CAM1", "K_Detect", 50), 0);
    EXPECT_EQ(Ini_Read_String(lost, "CAM1", "Alias", "CAM1"), "");
    EXPECT_FALSE(Ini_Write_Int(lost, "CAM1", "Port", 1));
}

// A default that cannot stand on one line is not written, so the read gives the zero value.
TEST_F(Ini_Keys_Test, DefaultWithALineBreakGivesEmptyText)
{
    EXPECT_EQ(Ini_Read_String(file, "s", "k", "two\nlines"), "");
    EXPECT_EQ(Read_File(file), "");
}

}  // namespace
