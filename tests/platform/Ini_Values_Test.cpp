#include "platform/Ini_Values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Int_Case {
    const char* name;
    const char* text;
    int32_t expected;
};

class Ini_Int_Read_Test : public testing::TestWithParam<Int_Case> {};

TEST_P(Ini_Int_Read_Test, Reads)
{
    EXPECT_EQ(Ini_Int_From_Text(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ini_Int_Read_Test,
    testing::Values(
        Int_Case{"Decimal", "8000", 8000}, Int_Case{"LeadingBlank", " 8000", 8000},
        Int_Case{"LeadingTab", "\t8000", 8000}, Int_Case{"PlusSign", "+5", 5}, Int_Case{"Negative", "-42", -42},
        Int_Case{"HexZeroX", "0x1F40", 8000}, Int_Case{"HexZeroUpperX", "0X1f40", 8000}, Int_Case{"HexX", "x10", 16},
        Int_Case{"HexUpperX", "X10", 16}, Int_Case{"HexDollar", "$10", 16}, Int_Case{"HexWraps", "$FFFFFFFF", -1},
        Int_Case{"HexNegated", "-$10", -16}, Int_Case{"HexMinimum", "$80000000", std::numeric_limits<int32_t>::min()},
        Int_Case{"HexNineDigits", "$000000001", 0}, Int_Case{"HexWithoutDigits", "0x", 0},
        Int_Case{"HexBadDigit", "$1G", 0}, Int_Case{"TrailingCharacters", "8000abc", 0}, Int_Case{"Empty", "", 0},
        Int_Case{"OnlySign", "-", 0}, Int_Case{"Maximum", "2147483647", std::numeric_limits<int32_t>::max()},
        Int_Case{"Minimum", "-2147483648", std::numeric_limits<int32_t>::min()},
        Int_Case{"AboveMaximum", "2147483648", 0}, Int_Case{"BelowMinimum", "-2147483649", 0},
        Int_Case{"FarAboveMaximum", "99999999999999999999999", 0}, Int_Case{"LeadingZeros", "0008000", 8000},
        Int_Case{"Fraction", "1.5", 0}, Int_Case{"BlankAfterSign", "- 5", 0}),
    [](const auto& row) { return row.param.name; });

TEST(Ini_Int_To_Text, WritesPlainDecimal)
{
    EXPECT_EQ(Ini_Int_To_Text(0), "0");
    EXPECT_EQ(Ini_Int_To_Text(8000), "8000");
    EXPECT_EQ(Ini_Int_To_Text(std::numeric_limits<int32_t>::min()), "-2147483648");
}

struct Bool_Case {
    const char* name;
    const char* text;
    bool expected;
};

class Ini_Bool_Read_Test : public testing::TestWithParam<Bool_Case> {};

TEST_P(Ini_Bool_Read_Test, Reads)
{
    EXPECT_EQ(Ini_Bool_From_Text(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Ini_Bool_Read_Test,
                         testing::Values(Bool_Case{"One", "1", true}, Bool_Case{"Zero", "0", false},
                                         Bool_Case{"Empty", "", false}, Bool_Case{"LowByteZero", "256", false},
                                         Bool_Case{"LowByteSet", "257", true}, Bool_Case{"MinusOne", "-1", true},
                                         Bool_Case{"Hex", "$100", false}, Bool_Case{"Word", "true", false}),
                         [](const auto& row) { return row.param.name; });

struct Real_Write_Case {
    const char* name;
    double value;
    char separator;
    const char* expected;
};

class Ini_Float_Write_Test : public testing::TestWithParam<Real_Write_Case> {};

TEST_P(Ini_Float_Write_Test, Writes)
{
    EXPECT_EQ(Ini_Float_To_Text(GetParam().value, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ini_Float_Write_Test,
    testing::Values(Real_Write_Case{"Whole", 50, '.', "50"}, Real_Write_Case{"Zero", 0, '.', "0"},
                    Real_Write_Case{"NegativeZero", -0.0, '.', "0"},
                    Real_Write_Case{"EndOfDay", 86399.0 / 86400.0, '.', "0.999988425925926"},
                    Real_Write_Case{"EndOfDayComma", 86399.0 / 86400.0, ',', "0,999988425925926"},
                    Real_Write_Case{"Half", 0.5, '.', "0.5"}, Real_Write_Case{"HalfComma", 0.5, ',', "0,5"},
                    Real_Write_Case{"NegativeFraction", -2.25, '.', "-2.25"},
                    Real_Write_Case{"SmallestFixed", 0.0001, '.', "0.0001"},
                    Real_Write_Case{"BelowFixed", 0.00001, '.', "1E-5"},
                    Real_Write_Case{"LargeScientific", 1.5e20, '.', "1.5E20"},
                    Real_Write_Case{"NegativeScientific", -2e-7, '.', "-2E-7"},
                    Real_Write_Case{"ScientificComma", 1.25e-9, ',', "1,25E-9"},
                    Real_Write_Case{"LargestFixed", 999999999999999.0, '.', "999999999999999"},
                    Real_Write_Case{"TenToTheFifteen", 1e15, '.', "1E15"},
                    Real_Write_Case{"RoundsUpToScientific", 999999999999999.9, '.', "1E15"},
                    Real_Write_Case{"FifteenDigits", 0.1 + 0.2, '.', "0.3"},
                    Real_Write_Case{"NotANumber", std::nan(""), '.', "0"},
                    Real_Write_Case{"Infinite", std::numeric_limits<double>::infinity(), '.', "0"}),
    [](const auto& row) { return row.param.name; });

struct Real_Read_Case {
    const char* name;
    const char* text;
    char separator;
    double expected;
};

class Ini_Float_Read_Test : public testing::TestWithParam<Real_Read_Case> {};

TEST_P(Ini_Float_Read_Test, Reads)
{
    EXPECT_DOUBLE_EQ(Ini_Float_From_Text(GetParam().text, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ini_Float_Read_Test,
    testing::Values(
        Real_Read_Case{"CommaUnderPoint", "0,5", '.', 0}, Real_Read_Case{"CommaUnderComma", "0,5", ',', 0.5},
        Real_Read_Case{"PointUnderComma", "0.5", ',', 0}, Real_Read_Case{"PointUnderPoint", "0.5", '.', 0.5},
        Real_Read_Case{"WholeUnderPoint", "50", '.', 50}, Real_Read_Case{"WholeUnderComma", "50", ',', 50},
        Real_Read_Case{"SurroundingBlanks", " \t2.5 ", '.', 2.5}, Real_Read_Case{"Scientific", "1E-5", '.', 1e-5},
        Real_Read_Case{"ScientificComma", "1,5E20", ',', 1.5e20}, Real_Read_Case{"LowerCaseExponent", "2e3", '.', 2000},
        Real_Read_Case{"ThousandsSeparator", "1,000.5", '.', 0}, Real_Read_Case{"Empty", "", '.', 0},
        Real_Read_Case{"Letters", "abc", '.', 0}, Real_Read_Case{"Overflow", "1E400", '.', 0},
        Real_Read_Case{"DigitAsSeparatorFallsBackToPoint", "1.5", '5', 1.5}),
    [](const auto& row) { return row.param.name; });

TEST(Ini_Float, WrittenFormReadsBackWithinFifteenDigits)
{
    const double values[] = {86399.0 / 86400.0, 1.0 / 3.0, -123456.789, 6.02214076e23, 1e-300, 50};
    for (char separator : {'.', ','}) {
        for (double value : values) {
            const double back = Ini_Float_From_Text(Ini_Float_To_Text(value, separator), separator);
            EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << value << " with '" << separator << "'";
        }
    }
}

}  // namespace
