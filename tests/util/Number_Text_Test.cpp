#include "util/U_Lib_Util_Vesk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Int_Case {
    const char* name;
    int32_t value;
    int16_t digits;
    const char* expected;
};

class Int_To_Text_Test : public testing::TestWithParam<Int_Case> {};

TEST_P(Int_To_Text_Test, Formats)
{
    const Int_Case& c = GetParam();
    EXPECT_EQ(Int_To_Text(c.value, c.digits), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Int_To_Text_Test,
    testing::Values(Int_Case{"Zero", 0, 0, "0"}, Int_Case{"Plain", 7, 0, "7"}, Int_Case{"Padded", 7, 3, "007"},
                    Int_Case{"NegativePaddedSignNotCounted", -7, 3, "-007"},
                    Int_Case{"WiderThanDigits", 1234, 2, "1234"},
                    Int_Case{"Minimum", std::numeric_limits<int32_t>::min(), 0, "-2147483648"},
                    Int_Case{"MinimumPadded", std::numeric_limits<int32_t>::min(), 12, "-002147483648"},
                    Int_Case{"Maximum", std::numeric_limits<int32_t>::max(), 0, "2147483647"},
                    Int_Case{"NegativeDigitsCountAsZero", 42, -5, "42"}),
    [](const auto& row) { return row.param.name; });

struct Float_Case {
    const char* name;
    int16_t width;
    int16_t decimals;
    double value;
    const char* expected;
};

class Float_To_Text_Test : public testing::TestWithParam<Float_Case> {
protected:
    void SetUp() override { Set_Decimal_Separator('.'); }
    void TearDown() override { Set_Decimal_Separator('.'); }
};

TEST_P(Float_To_Text_Test, Formats)
{
    const Float_Case& c = GetParam();
    EXPECT_EQ(Float_To_Text(c.width, c.decimals, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Float_To_Text_Test,
    testing::Values(Float_Case{"HalfRoundsUp", 0, 0, 12.5, "13"}, Float_Case{"Whole", 0, 0, 50, "50"},
                    Float_Case{"WidthPadsWithBlanks", 6, 2, 3.14159, "  3.14"},
                    Float_Case{"HalfAwayFromZeroNegative", 0, 0, -12.5, "-13"},
                    Float_Case{"BinaryBelowHalfStillRoundsUp", 0, 2, 1.005, "1.01"},
                    Float_Case{"ExactEighth", 0, 2, 0.125, "0.13"}, Float_Case{"CarryIntoNewDigit", 0, 1, 9.96, "10.0"},
                    Float_Case{"CarryFromNothing", 0, 0, 0.5, "1"},
                    Float_Case{"FarBelowLastPlace", 0, 2, 0.0004, "0.00"},
                    Float_Case{"NegativeRoundingToZeroHasNoSign", 0, 0, -0.4, "0"},
                    Float_Case{"Zero", 0, 3, 0, "0.000"}, Float_Case{"SmallKeepsLeadingZeros", 0, 4, 0.0123, "0.0123"},
                    Float_Case{"Large", 0, 0, 1e20, "100000000000000000000"},
                    Float_Case{"WidthSmallerThanText", 2, 1, 123.45, "123.5"},
                    Float_Case{"NegativeDecimalsCountAsZero", 0, -2, 2.4, "2"},
                    Float_Case{"NotANumber", 0, 2, std::nan(""), ""},
                    Float_Case{"Infinite", 0, 2, std::numeric_limits<double>::infinity(), ""}),
    [](const auto& row) { return row.param.name; });

TEST(Float_To_Text, UsesTheDecimalSeparatorSetting)
{
    Set_Decimal_Separator(',');
    EXPECT_EQ(Float_To_Text(6, 2, 3.14159), "  3,14");
    EXPECT_EQ(Float_To_Text(0, 0, 12.5), "13");
    Set_Decimal_Separator('.');
    EXPECT_EQ(Float_To_Text(0, 1, 0.25), "0.3");
}

}  // namespace
