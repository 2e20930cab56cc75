#include "util/U_Lib_Util_Vesk.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Float_Read_Case {
    const char* name;
    const char* text;
    double expected;
};

class Text_To_Float_Test : public testing::TestWithParam<Float_Read_Case> {};

TEST_P(Text_To_Float_Test, Reads)
{
    const Float_Read_Case& c = GetParam();
    EXPECT_DOUBLE_EQ(Text_To_Float(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Text_To_Float_Test,
    testing::Values(Float_Read_Case{"Point", "12.5", 12.5}, Float_Read_Case{"Comma", "12,5", 12.5},
                    Float_Read_Case{"BlanksAroundAndInside", " 1 2 , 5 ", 12.5}, Float_Read_Case{"Whole", "50", 50},
                    Float_Read_Case{"FiveCommaFive", "5,5", 5.5}, Float_Read_Case{"Signed", "-3.25", -3.25},
                    Float_Read_Case{"PlusSign", "+7", 7}, Float_Read_Case{"Exponent", "1e3", 1000},
                    Float_Read_Case{"ExponentSigned", "2.5E-2", 0.025}, Float_Read_Case{"TrailingSeparator", "5.", 5},
                    Float_Read_Case{"ThousandsAndComma", "1.000,5", 0},
                    Float_Read_Case{"NoDigitBeforeSeparator", ".5", 0}, Float_Read_Case{"LonePlus", "+", 0},
                    Float_Read_Case{"LoneMinus", "-", 0}, Float_Read_Case{"LoneE", "E", 0},
                    Float_Read_Case{"ExponentWithoutDigits", "1e", 0}, Float_Read_Case{"Letters", "abc", 0},
                    Float_Read_Case{"Empty", "", 0}, Float_Read_Case{"Tab", "\t5", 0},
                    Float_Read_Case{"Infinity", "inf", 0}, Float_Read_Case{"NotANumber", "nan", 0},
                    Float_Read_Case{"Hex", "0x10", 0}, Float_Read_Case{"Overflow", "1e400", 0},
                    Float_Read_Case{"HugeExponentOfZero", "0e99999999999", 0},
                    Float_Read_Case{"TrailingText", "12.5abc", 0}),
    [](const auto& row) { return row.param.name; });

struct Int_Read_Case {
    const char* name;
    const char* text;
    int32_t expected;
};

class Text_To_Int_Test : public testing::TestWithParam<Int_Read_Case> {};

TEST_P(Text_To_Int_Test, Reads)
{
    const Int_Read_Case& c = GetParam();
    EXPECT_EQ(Text_To_Int(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Text_To_Int_Test,
    testing::Values(Int_Read_Case{"Plain", "8000", 8000}, Int_Read_Case{"BlanksAroundAndInside", " 80 00 ", 8000},
                    Int_Read_Case{"TruncatesFraction", "80.9", 80}, Int_Read_Case{"TruncatesTowardZero", "-3.7", -3},
                    Int_Read_Case{"NegativeBelowOne", "-0.9", 0}, Int_Read_Case{"Exponent", "1e3", 1000},
                    Int_Read_Case{"NegativeExponent", "12345e-2", 123},
                    Int_Read_Case{"Maximum", "2147483647", std::numeric_limits<int32_t>::max()},
                    Int_Read_Case{"Minimum", "-2147483648", std::numeric_limits<int32_t>::min()},
                    Int_Read_Case{"MaximumWithLongFraction", "2147483647.99999999999999999",
                                  std::numeric_limits<int32_t>::max()},
                    Int_Read_Case{"AboveMaximum", "2147483648", 0}, Int_Read_Case{"BelowMinimum", "-2147483649", 0},
                    Int_Read_Case{"ExponentOutOfRange", "3e9", 0},
                    Int_Read_Case{"HugeExponentOfZero", "0.0e999999999", 0},
                    Int_Read_Case{"LeadingZeros", "000000000000042", 42}, Int_Read_Case{"Comma", "8,5", 0},
                    Int_Read_Case{"Hex", "0x10", 0}, Int_Read_Case{"Dollar", "$10", 0}, Int_Read_Case{"Empty", "", 0},
                    Int_Read_Case{"SingleLetter", "x", 0}, Int_Read_Case{"LoneMinus", "-", 0}),
    [](const auto& row) { return row.param.name; });

}  // namespace
