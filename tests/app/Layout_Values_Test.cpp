#include "app/Layout_Values.h"

#include <gtest/gtest.h>

namespace {

struct Placement_Case {
    const char* name;
    const char* text;
    bool accepted;
};

class Placement_Parse : public ::testing::TestWithParam<Placement_Case> {};

TEST_P(Placement_Parse, AcceptsOnlySevenIntegersStartingWith200)
{
    const Placement_Case& c = GetParam();
    EXPECT_EQ(Parse_Placement(c.text).has_value(), c.accepted) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Rows, Placement_Parse,
                         ::testing::Values(Placement_Case{"normal", "200,0,1,10,20,790,700", true},
                                           Placement_Case{"maximized", "200,0,3,10,20,790,700", true},
                                           Placement_Case{"negative_origin_on_left_screen", "200,0,1,-1600,20,-800,700",
                                                          true},
                                           Placement_Case{"six_items", "200,0,1,10,20,790", false},
                                           Placement_Case{"eight_items", "200,0,1,10,20,790,700,1", false},
                                           Placement_Case{"first_not_200", "201,0,1,10,20,790,700", false},
                                           Placement_Case{"non_integer_item", "200,0,1,10,2x0,790,700", false},
                                           Placement_Case{"blank_inside", "200, 0,1,10,20,790,700", false},
                                           Placement_Case{"empty_item", "200,,1,10,20,790,700", false},
                                           Placement_Case{"unknown_show_state", "200,0,9,10,20,790,700", false},
                                           Placement_Case{"empty_rectangle", "200,0,1,10,20,10,700", false},
                                           Placement_Case{"empty_text", "", false}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Placement, FormatsWhatItParses)
{
    Window_Placement p;
    p.Flags = 0;
    p.State = Show_State::Maximized;
    p.Normal = {12, 34, 812, 734};
    EXPECT_EQ(Format_Placement(p), "200,0,3,12,34,812,734");
    EXPECT_EQ(Parse_Placement(Format_Placement(p)), p);
}

struct Inside_Case {
    const char* name;
    Screen_Rect rect;
    Screen_Rect expected;
};

class Keep_Inside_Desktop : public ::testing::TestWithParam<Inside_Case> {};

TEST_P(Keep_Inside_Desktop, MovesWithoutResizing)
{
    const Screen_Rect desktop{0, 0, 1920, 1080};
    const Inside_Case& c = GetParam();
    const Screen_Rect r = Keep_Inside(c.rect, desktop);
    EXPECT_EQ(r, c.expected);
    EXPECT_EQ(r.Width(), c.rect.Width());
    EXPECT_EQ(r.Height(), c.rect.Height());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Keep_Inside_Desktop,
    ::testing::Values(Inside_Case{"already_inside", {100, 100, 900, 700}, {100, 100, 900, 700}},
                      Inside_Case{"beyond_right", {1500, 100, 2300, 700}, {1120, 100, 1920, 700}},
                      Inside_Case{"beyond_bottom", {100, 800, 900, 1400}, {100, 480, 900, 1080}},
                      Inside_Case{"before_left_and_top", {-300, -50, 500, 550}, {0, 0, 800, 600}},
                      Inside_Case{"larger_than_desktop_keeps_top_left", {-10, -10, 2990, 2990}, {0, 0, 3000, 3000}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Splitter_Lists, PaneOrderAndVisibilityRules)
{
    EXPECT_TRUE(Is_Pane_Order(Parse_Int_List("0,1")));
    EXPECT_TRUE(Is_Pane_Order(Parse_Int_List("1,0")));
    EXPECT_FALSE(Is_Pane_Order(Parse_Int_List("0,0")));
    EXPECT_FALSE(Is_Pane_Order(Parse_Int_List("0,2")));
    EXPECT_FALSE(Is_Pane_Order(Parse_Int_List("0")));
    EXPECT_FALSE(Is_Pane_Order(Parse_Int_List("0,a")));
    EXPECT_TRUE(Is_Pane_Visibility(Parse_Int_List("1,0")));
    EXPECT_FALSE(Is_Pane_Visibility(Parse_Int_List("1,2")));
    EXPECT_FALSE(Is_Pane_Visibility(Parse_Int_List("1,1,1")));
    EXPECT_EQ(Format_Int_List({-1}), "-1");
    EXPECT_EQ(Format_Int_List({0, 1}), "0,1");
}

}  // namespace
