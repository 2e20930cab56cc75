#include "util/U_Lib_Util_Vesk.h"

#include <gtest/gtest.h>

namespace {

TEST(Remove_Spaces, RemovesOnlyCode32)
{
    EXPECT_EQ(Remove_Spaces(" a b\tc "), "ab\tc");
    EXPECT_EQ(Remove_Spaces(""), "");
}

struct Replace_Case {
    const char* name;
    const char* text;
    const char* old_text;
    const char* new_text;
    const char* expected;
};

class Replace_All_Test : public testing::TestWithParam<Replace_Case> {};

TEST_P(Replace_All_Test, Replaces)
{
    const Replace_Case& c = GetParam();
    EXPECT_EQ(Replace_All(c.text, c.old_text, c.new_text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Replace_All_Test,
                         testing::Values(Replace_Case{"CommaToPoint", "1,5,6", ",", ".", "1.5.6"},
                                         Replace_Case{"ReplacementFormsNewOccurrence", "aaaa", "aa", "a", "a"},
                                         Replace_Case{"OccurrenceFormedBeforeTheReplacement", "abcc", "bc", "b", "ab"},
                                         Replace_Case{"OccurrenceStartingBeforeTheReplacement", "aaab", "ab", "b", "b"},
                                         Replace_Case{"OccurrenceFormedAcrossTheReplacement", "aXbb", "Xb", "aX",
                                                      "aaaX"},
                                         Replace_Case{"EmptyOld", "abc", "", "x", "abc"},
                                         Replace_Case{"Deletion", "a--b--c", "--", "", "abc"},
                                         Replace_Case{"NotFound", "abc", "z", "y", "abc"},
                                         Replace_Case{"NewContainsOldIsOnePass", "a.b", ".", "..", "a..b"},
                                         Replace_Case{"NewEqualsOld", "xyx", "x", "x", "xyx"}),
                         [](const auto& row) { return row.param.name; });

TEST(Replace_All, EndsWhenReplacementsGrowWithoutBound)
{
    // "ab" -> "bba" doubles the b's for every leading a: forty a's would need 2^40 bytes.
    const std::string text = std::string(40, 'a') + "b";
    const std::string result = Replace_All(text, "ab", "bba");
    EXPECT_EQ(result, std::string(39, 'a') + "bba");
}

TEST(Replace_All, FinishesAModestGrowingRule)
{
    EXPECT_EQ(Replace_All("aab", "ab", "bba"), "bbbbaa");
}

TEST(Remove_Char, DeletesEveryOccurrence)
{
    EXPECT_EQ(Remove_Char("a/b/c", '/'), "abc");
    EXPECT_EQ(Remove_Char("///", '/'), "");
    EXPECT_EQ(Remove_Char("abc", '/'), "abc");
}

struct Pad_Case {
    const char* name;
    const char* text;
    int width;
    char pad;
    const char* expected;
};

class Pad_Left_Test : public testing::TestWithParam<Pad_Case> {};

TEST_P(Pad_Left_Test, Pads)
{
    const Pad_Case& c = GetParam();
    EXPECT_EQ(Pad_Left(c.text, c.width, c.pad), c.expected);
    EXPECT_EQ(Pad_Left(c.text, c.width, std::string(1, c.pad)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pad_Left_Test,
    testing::Values(Pad_Case{"TwoDigits", "7", 2, '0', "07"}, Pad_Case{"ThreeDigits", "7", 3, '0', "007"},
                    Pad_Case{"Blanks", "42", 5, ' ', "   42"}, Pad_Case{"AlreadyWide", "123", 2, '0', "123"},
                    Pad_Case{"ExactWidth", "12", 2, '0', "12"}, Pad_Case{"EmptyText", "", 2, '0', "00"},
                    Pad_Case{"NegativeWidth", "5", -3, '0', "5"}),
    [](const auto& row) { return row.param.name; });

TEST(Pad_Left, TextPadIsRepeatedWhole)
{
    EXPECT_EQ(Pad_Left("x", 3, "ab"), "ababx");
    EXPECT_EQ(Pad_Left("x", 3, ""), "x");
}

struct Clean_Case {
    const char* name;
    const char* text;
    const char* expected;
};

class Clean_File_Name_Test : public testing::TestWithParam<Clean_Case> {};

TEST_P(Clean_File_Name_Test, Cleans)
{
    EXPECT_EQ(Clean_File_Name(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Clean_File_Name_Test,
                         testing::Values(Clean_Case{"ColonAndSlash", "Cam:1/2", "Cam12"},
                                         Clean_Case{"EveryForbiddenCharacter", "a\\b/c:d*e?f<g>h|i", "abcdefghi"},
                                         Clean_Case{"QuotesAndBlanksKept", "\"My Cam\" 1", "\"My Cam\" 1"},
                                         Clean_Case{"DotsKept", "..", ".."}, Clean_Case{"OnlyForbidden", "/:*", ""}),
                         [](const auto& row) { return row.param.name; });

}  // namespace

TEST(Trim_Test, RemovesCodesUpTo32AtBothEndsOnly)
{
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim(" \t\r\n"), "");
    EXPECT_EQ(Trim(std::string("\0 a b \x1f", 7)), "a b");
    EXPECT_EQ(Trim("192.168.0.9 :80"), "192.168.0.9 :80");
    // Bytes of UTF-8 characters are above 127 and stay.
    EXPECT_EQ(Trim("\xC2\xB0 "), "\xC2\xB0");
}
