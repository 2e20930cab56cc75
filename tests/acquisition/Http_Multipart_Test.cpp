#include <gtest/gtest.h>

#include <random>

#include "acquisition/Http_Multipart.h"

namespace {

using Status = Multipart_Parser::Status;

struct Stream_Case {
    const char* name;
    std::string boundary;
    std::string bytes;
    std::vector<std::string> parts;
    Status end;
    Multipart_Limits limits = {};
};

const std::string jpeg_like = std::string("\xFF\xD8") + "--B in the data\r\n-- B\r\n--Bx\r\nB-\n" + "\xFF\xD9";

std::vector<Stream_Case> Cases()
{
    Multipart_Limits small;
    small.Max_Part = 16;
    small.Max_Part_Head = 40;
    small.Max_Gap = 30;
    return {
        {"lengths_crlf",
         "B",
         "--B\r\nContent-Type: image/jpeg\r\nContent-Length: 5\r\n\r\nhello\r\n--B\r\nContent-Length: 3\r\n\r\nabc\r\n",
         {"hello", "abc"},
         Status::Need_More},
        {"no_lengths_end_at_the_next_boundary_line",
         "B",
         "--B\r\nContent-Type: image/jpeg\r\n\r\n" + jpeg_like + "\r\n--B\r\n\r\nab\nc\r\n--B\r\n",
         {jpeg_like, "ab\nc"},
         Status::Need_More},
        {"lone_lf_and_closing_boundary",
         "B",
         "--B\nContent-Length: 5\n\nhello\n--B\n\nxy\n--B--\nepilogue",
         {"hello", "xy"},
         Status::Closed},
        {"boundary_lines_without_dashes",
         "camsimframe",
         "camsimframe\r\n\r\nab\r\ncamsimframe\r\nContent-Length: 2\r\n\r\ncd\r\n",
         {"ab", "cd"},
         Status::Need_More},
        {"declared_with_dashes",
         "--frame",
         "--frame\r\ncontent-LENGTH:  2 \r\n\r\nab\r\n--frame\r\n",
         {"ab"},
         Status::Need_More},
        {"preamble_and_blank_lines_skipped",
         "B",
         "preamble\r\n\r\n--B\r\nContent-Length: 1\r\n\r\nx\r\n\r\n\r\n--B\r\n",
         {"x"},
         Status::Need_More},
        {"empty_part", "B", "--B\r\nContent-Length: 0\r\n\r\n\r\n--B\r\n\r\n\r\n--B--\r\n", {"", ""}, Status::Closed},
        {"unreadable_length_scans",
         "B",
         "--B\r\nContent-Length: lots\r\n\r\nabc\r\n--B\r\n",
         {"abc"},
         Status::Need_More},
        {"part_over_its_bound_by_length", "B", "--B\r\nContent-Length: 17\r\n\r\n", {}, Status::Failed, small},
        {"part_over_its_bound_without_length", "B", "--B\r\n\r\n" + std::string(40, 'x'), {}, Status::Failed, small},
        {"part_head_over_its_bound", "B", "--B\r\nX-A: " + std::string(40, 'a') + "\r\n", {}, Status::Failed, small},
        {"no_boundary_in_sight", "B", std::string(64, 'z'), {}, Status::Failed, small},
        {"waits_for_more", "B", "--B\r\nContent-Length: 10\r\n\r\nhel", {}, Status::Need_More},
    };
}

struct Split_Case {
    Stream_Case stream;
    int split;  // 0 whole, 1 byte by byte, 2.. random pieces (seeded)
};

class Multipart_Table : public ::testing::TestWithParam<Split_Case> {};

TEST_P(Multipart_Table, Reads_The_Same_However_Split)
{
    const Stream_Case& c = GetParam().stream;
    Multipart_Parser parser(c.boundary, c.limits);
    std::vector<std::string> parts;
    const auto take = [&](std::string&& part) { parts.push_back(std::move(part)); };
    std::mt19937 random(static_cast<unsigned>(GetParam().split));
    Status status = Status::Need_More;
    for (std::size_t at = 0; at < c.bytes.size() && status == Status::Need_More;) {
        std::size_t piece = c.bytes.size() - at;
        if (GetParam().split == 1)
            piece = 1;
        else if (GetParam().split > 1)
            piece = std::min(piece, static_cast<std::size_t>(random() % 7 + 1));
        status = parser.Feed(std::string_view(c.bytes).substr(at, piece), take);
        at += piece;
    }
    EXPECT_EQ(parts, c.parts);
    EXPECT_EQ(status, c.end);
    EXPECT_EQ(parser.Error().empty(), c.end != Status::Failed);
}

std::vector<Split_Case> Split_Cases()
{
    std::vector<Split_Case> out;
    for (const auto& c : Cases())
        for (int split : {0, 1, 2, 3})
            out.push_back({c, split});
    return out;
}

std::string Split_Name(const ::testing::TestParamInfo<Split_Case>& info)
{
    static const char* const splits[] = {"whole", "byte_by_byte", "random1", "random2"};
    return std::string(info.param.stream.name) + "_" + splits[info.param.split];
}

INSTANTIATE_TEST_SUITE_P(Streams, Multipart_Table, ::testing::ValuesIn(Split_Cases()), Split_Name);

TEST(Mixed_Replace_Boundary, Reads_The_Boundary_Parameter)
{
    EXPECT_EQ(Mixed_Replace_Boundary("multipart/x-mixed-replace; boundary=frame"), "frame");
    EXPECT_EQ(Mixed_Replace_Boundary("Multipart/X-Mixed-Replace;charset=x;BOUNDARY=\"a;b \\\"c\\\"\""), "a;b \"c\"");
    EXPECT_EQ(Mixed_Replace_Boundary("multipart/x-mixed-replace;boundary=--myboundary"), "--myboundary");
    EXPECT_EQ(Mixed_Replace_Boundary("multipart/x-mixed-replace"), std::nullopt);
    EXPECT_EQ(Mixed_Replace_Boundary("multipart/x-mixed-replace; boundary="), std::nullopt);
    EXPECT_EQ(Mixed_Replace_Boundary("multipart/x-mixed-replace; boundary=" + std::string(201, 'b')), std::nullopt);
    EXPECT_EQ(Mixed_Replace_Boundary("image/jpeg; boundary=frame"), std::nullopt);
    EXPECT_EQ(Mixed_Replace_Boundary("multipart/mixed; boundary=frame"), std::nullopt);
}

}  // namespace
