#include "platform/Profile_Text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace {

// The line ends a file may use throughout. Rows of the tables below are written with "\n" and run
// once in each kind.
struct Line_End_Kind {
    const char* name;
    const char* end;
};

const Line_End_Kind Line_End_Kinds[] = {{"Lf", "\n"}, {"CrLf", "\r\n"}, {"Cr", "\r"}};

// text with each "\n" replaced by end.
std::string With_Line_End(std::string_view text, std::string_view end)
{
    std::string result;
    for (const char c : text) {
        if (c == '\n')
            result += end;
        else
            result += c;
    }
    return result;
}

template <typename Row>
std::string Row_And_Kind_Name(const testing::TestParamInfo<std::tuple<Row, Line_End_Kind>>& info)
{
    return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

struct Find_Case {
    const char* name;
    const char* content;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class Profile_Find_Test : public testing::TestWithParam<std::tuple<Find_Case, Line_End_Kind>> {};

TEST_P(Profile_Find_Test, Finds)
{
    const auto& [c, kind] = GetParam();
    EXPECT_EQ(Profile_Find_Value(With_Line_End(c.content, kind.end), c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Profile_Find_Test,
    testing::Combine(
        testing::Values(Find_Case{"SectionIgnoresCase", "[CaM1]\nPort=8000\n", "cam1", "Port", "8000"},
                        Find_Case{"KeyIgnoresCase", "[CAM1]\npORT=8000\n", "CAM1", "Port", "8000"},
                        Find_Case{"BlanksAroundSectionName", " \t[ CAM1 ]  \nPort=1\n", "CAM1", "Port", "1"},
                        Find_Case{"BlanksAroundKeyAndValue", "[s]\n  Port \t=  8000 \t\n", "s", "Port", "8000"},
                        Find_Case{"VerticalTabsAreBlanks", "\v[\vs\v]\n\vk\v=\v'v'\v\n", "s", "k", "v"},
                        Find_Case{"DoubleQuotesRemoved", "[s]\nk=\"  a b \"\n", "s", "k", "  a b "},
                        Find_Case{"SingleQuotesRemoved", "[s]\nk='x'\n", "s", "k", "x"},
                        Find_Case{"OnlyOnePairRemoved", "[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\""},
                        Find_Case{"MismatchedQuotesKept", "[s]\nk=\"x'\n", "s", "k", "\"x'"},
                        Find_Case{"LoneQuoteKept", "[s]\nk=\"\n", "s", "k", "\""},
                        Find_Case{"EmptyQuotes", "[s]\nk=\"\"\n", "s", "k", ""},
                        Find_Case{"InnerQuotesKept", "[s]\nk=a\"b\"\n", "s", "k", "a\"b\""},
                        Find_Case{"NoInlineComment", "[s]\nk=a ; b # c\n", "s", "k", "a ; b # c"},
                        Find_Case{"ValueHoldsEquals", "[s]\nk=a=b\n", "s", "k", "a=b"},
                        Find_Case{"EmptyValue", "[s]\nk=\n", "s", "k", ""},
                        Find_Case{"FirstDuplicateKeyWins", "[s]\nk=1\nk=2\n", "s", "k", "1"},
                        Find_Case{"FirstDuplicateSectionWins", "[s]\nk=1\n[S]\nk=2\n", "s", "k", "1"},
                        Find_Case{"KeyOnlyInLaterDuplicateSection", "[s]\na=1\n[s]\nk=2\n", "s", "k", std::nullopt},
                        Find_Case{"KeyInAnotherSection", "[a]\nk=1\n[b]\n", "b", "k", std::nullopt},
                        Find_Case{"KeyBeforeAnySection", "k=1\n[s]\n", "s", "k", std::nullopt},
                        Find_Case{"CommentIsNoKey", "[s]\n;k=1\n", "s", "k", std::nullopt},
                        Find_Case{"IndentedCommentIsNoKey", "[s]\n  ;k=1\n", "s", "k", std::nullopt},
                        Find_Case{"HashIsNoComment", "[s]\n#k=1\n#k=2\n", "s", "#k", "1"},
                        Find_Case{"LineWithoutEqualsIsNoKey", "[s]\nk\n", "s", "k", std::nullopt},
                        Find_Case{"NoFinalLineEnd", "[s]\nk=v", "s", "k", "v"},
                        Find_Case{"TextAfterSectionBracket", "[s] ; note\nk=v\n", "s", "k", "v"},
                        Find_Case{"ByteOrderMark", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
                        Find_Case{"EmptyContent", "", "s", "k", std::nullopt},
                        Find_Case{"SectionIsNotAPrefixMatch", "[CAM10]\nk=v\n", "CAM1", "k", std::nullopt}),
        testing::ValuesIn(Line_End_Kinds)),
    Row_And_Kind_Name<Find_Case>);

TEST(Profile_Find_Value, CutsLongValues)
{
    const std::string exact(Profile_Max_Value, 'x');
    EXPECT_EQ(Profile_Find_Value("[s]\nk=" + exact + "\n", "s", "k"), exact);
    const std::string longer(3000, 'y');
    EXPECT_EQ(Profile_Find_Value("[s]\nk=" + longer + "\n", "s", "k"), std::string(Profile_Max_Value, 'y'));
    // The limit applies to the value as returned, after its quotes are gone.
    EXPECT_EQ(Profile_Find_Value("[s]\nk=\"" + exact + "\"\n", "s", "k"), exact);
}

struct Set_Case {
    const char* name;
    const char* content;
    const char* section;
    const char* key;
    std::optional<std::string> value;
    const char* expected;
};

std::string Set(const Set_Case& c, const std::string& content)
{
    const std::optional<std::string_view> value = c.value ? std::optional<std::string_view>(*c.value) : std::nullopt;
    return Profile_Set_Value(content, c.section, c.key, value);
}

class Profile_Set_Test : public testing::TestWithParam<std::tuple<Set_Case, Line_End_Kind>> {};

TEST_P(Profile_Set_Test, Edits)
{
    const auto& [c, kind] = GetParam();
    EXPECT_EQ(Set(c, With_Line_End(c.content, kind.end)), With_Line_End(c.expected, kind.end));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Profile_Set_Test,
    testing::Combine(
        testing::Values(
            Set_Case{"NewSectionAtTheEnd", "[a]\nx=1\n", "s", "k", "v", "[a]\nx=1\n[s]\nk=v\n"},
            Set_Case{"NewSectionAfterLineWithoutEnd", "[a]\nx=1", "s", "k", "v", "[a]\nx=1\n[s]\nk=v\n"},
            Set_Case{"ReplaceKeepsTheFilesSpellingAndEveryOtherLine", "; top\n[S]\n; c\n \vK = old \nother line\n", "s",
                     "k", "v", "; top\n[S]\n; c\nK=v\nother line\n"},
            Set_Case{"ReplaceLastLineWithoutEnd", "[s]\nk=1", "s", "k", "v", "[s]\nk=v\n"},
            Set_Case{"ReplaceFirstDuplicateOnly", "[s]\nk=1\nk=2\n", "s", "k", "v", "[s]\nk=v\nk=2\n"},
            Set_Case{"ReplaceBehindByteOrderMark", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "v", "\xEF\xBB\xBF[s]\nk=v\n"},
            Set_Case{"NewKeyAfterTheSectionsLastKey", "[a]\nx=1\n\n[s]\ny=2\n; c\nz=3\n\nno equals\n[b]\nw=4\n", "s",
                     "k", "v", "[a]\nx=1\n\n[s]\ny=2\n; c\nz=3\nk=v\n\nno equals\n[b]\nw=4\n"},
            Set_Case{"NewKeyInSectionWithoutKeys", "[s]\n;k=1\n\n[b]\n", "s", "k", "v", "[s]\nk=v\n;k=1\n\n[b]\n"},
            Set_Case{"NewKeyAfterLastLineWithoutEnd", "[s]\ny=2", "s", "k", "v", "[s]\ny=2\nk=v\n"},
            Set_Case{"NewKeyInFirstDuplicateSection", "[s]\na=1\n[s]\nb=2\n", "s", "k", "v",
                     "[s]\na=1\nk=v\n[s]\nb=2\n"},
            Set_Case{"DeleteKey", "[s]\nx=1\nk=2\ny=3\n", "s", "K", std::nullopt, "[s]\nx=1\ny=3\n"},
            Set_Case{"DeleteKeyOfAnotherSection", "[a]\nk=1\n[s]\nx=1\n", "s", "k", std::nullopt,
                     "[a]\nk=1\n[s]\nx=1\n"},
            Set_Case{"DeleteInMissingSection", "[a]\nk=1\n", "s", "k", std::nullopt, "[a]\nk=1\n"},
            Set_Case{"EmptyValue", "[s]\nk=1\n", "s", "k", "", "[s]\nk=\n"}),
        testing::ValuesIn(Line_End_Kinds)),
    Row_And_Kind_Name<Set_Case>);

// Files without one kind of line end throughout, byte for byte.
class Profile_Set_Bytes_Test : public testing::TestWithParam<Set_Case> {};

TEST_P(Profile_Set_Bytes_Test, Edits)
{
    EXPECT_EQ(Set(GetParam(), GetParam().content), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Profile_Set_Bytes_Test,
                         testing::Values(Set_Case{"NewFile", "", "s", "k", "v", "[s]\nk=v\n"},
                                         Set_Case{"NoLineEndYet", "[s]", "s", "k", "v", "[s]\nk=v\n"},
                                         Set_Case{"MixedFileTakesItsFirstLineEnd", "[s]\nx=1\r\ny=2\r\n", "s", "k", "v",
                                                  "[s]\nx=1\r\ny=2\r\nk=v\n"},
                                         Set_Case{"ReplacedLineKeepsItsOwnEnd", "[s]\r\nk=1\n", "s", "k", "v",
                                                  "[s]\r\nk=v\n"}),
                         [](const auto& row) { return row.param.name; });

// Whatever the layout around it, a written value reads back and leaves the other keys alone.
TEST(Profile_Set_Value, WrittenValueReadsBackInEveryLayout)
{
    const char* layouts[] = {
        "",
        "[s]\nother=1\n",
        "[s]\r\nother=1\r\n",
        "[s]\rother=1\r",
        "[a]\nother=1\n[s]\nother=1",
        "; lead\n[S]\n\n; c\nother = 1\n\n[b]\nk=9\n",
        "\v[\vs\v]\v\r\n\vother\v=\v1\v\r\n\r\n",
        "[s]\nk=old\nother=1\n[s]\nk=dup\n",
    };
    const char* values[] = {"v", "", "a b", "p&ss #1", "x=y", ";not a comment"};
    for (const char* layout : layouts) {
        for (const char* value : values) {
            SCOPED_TRACE(testing::Message() << "layout \"" << layout << "\" value \"" << value << '"');
            const std::string before = layout;
            const std::string after = Profile_Set_Value(before, "s", "k", value);
            EXPECT_EQ(Profile_Find_Value(after, "s", "k"), value);
            EXPECT_EQ(Profile_Find_Value(after, "s", "other"), Profile_Find_Value(before, "s", "other"));
            EXPECT_EQ(Profile_Find_Value(after, "b", "k"), Profile_Find_Value(before, "b", "k"));
            const std::string deleted = Profile_Set_Value(after, "s", "k", std::nullopt);
            EXPECT_EQ(Profile_Find_Value(deleted, "s", "k"), std::nullopt);
        }
    }
}

struct Name_Case {
    const char* name;
    const char* section;
    const char* key;
    bool writable;
};

class Profile_Name_Test : public testing::TestWithParam<Name_Case> {};

TEST_P(Profile_Name_Test, Checks)
{
    EXPECT_EQ(Profile_Is_Writable_Name(GetParam().section, GetParam().key), GetParam().writable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Profile_Name_Test,
    testing::Values(Name_Case{"Plain", "CAM1", "Port", true},
                    Name_Case{"DottedNames", "F_Full_Screen.PNL_Ptz", "F_Full_Screen.PNL_Ptz.Top", true},
                    Name_Case{"EmptySection", "", "k", false}, Name_Case{"EmptyKey", "s", "", false},
                    Name_Case{"KeyWithEquals", "s", "a=b", false}, Name_Case{"SectionWithBracket", "a]b", "k", false},
                    Name_Case{"KeyWithNewline", "s", "a\nb", false},
                    Name_Case{"SectionWithCarriageReturn", "a\rb", "k", false},
                    Name_Case{"KeyLikeComment", "s", ";k", false}, Name_Case{"KeyLikeSection", "s", "[k", false},
                    Name_Case{"KeyWithOuterBlank", "s", "k ", false},
                    Name_Case{"SectionWithOuterVerticalTab", "\vs", "k", false}),
    [](const auto& row) { return row.param.name; });

TEST(Profile_Is_Writable_Value, RejectsLineBreaksAndNul)
{
    EXPECT_TRUE(Profile_Is_Writable_Value("any \"text\" = ; # & ' \t\v"));
    EXPECT_FALSE(Profile_Is_Writable_Value("a\nb"));
    EXPECT_FALSE(Profile_Is_Writable_Value("a\rb"));
    EXPECT_FALSE(Profile_Is_Writable_Value(std::string_view("a\0b", 3)));
}

}  // namespace
