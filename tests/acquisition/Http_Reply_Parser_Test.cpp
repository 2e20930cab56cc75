#include <gtest/gtest.h>

#include <random>

#include "acquisition/Http_Error.h"
#include "acquisition/Http_Reply_Parser.h"

namespace {

enum class End { Complete, Failed, Need_More };

struct Reply_Case {
    const char* name;
    std::string bytes;
    bool close_after = false;  // the server closes after the bytes
    End end = End::Complete;
    int code = 200;
    std::string body;
    const char* error = nullptr;  // expected error text when end is Failed
    std::size_t leftover = 0;     // bytes after the reply, not consumed
    bool skip_body = false;       // the caller reads no body (204)
    std::size_t max_body = Http_Reply_Limits{}.Max_Body;
};

std::string Head(const std::string& status, const std::string& headers)
{
    return status + "\r\n" + headers + "\r\n";
}

const std::string ok = "HTTP/1.1 200 OK";
const std::string chunked = "Transfer-Encoding: chunked\r\n";

std::vector<Reply_Case> Cases()
{
    return {
        {"content_length", Head(ok, "Content-Length: 5\r\n") + "hello", false, End::Complete, 200, "hello"},
        {"lf_only_lines", "HTTP/1.0 200 OK\nContent-Length: 3\n\nabc", false, End::Complete, 200, "abc"},
        {"chunked_one_chunk_of_five", Head(ok, chunked) + "5\r\nhello\r\n0\r\n\r\n", false, End::Complete, 200,
         "hello"},
        {"chunked_size_read_up_to_first_space", Head(ok, chunked) + "3 ;ext\r\nabc\r\nA\r\n0123456789\r\n0\r\n\r\n",
         false, End::Complete, 200, "abc0123456789"},
        {"chunked_value_mixed_with_other_codings",
         Head(ok, "Transfer-Encoding: gzip, chunked\r\n") + "2\r\nab\r\n0\r\n\r\n", false, End::Complete, 200, "ab"},
        {"chunked_match_is_case_sensitive", Head(ok, "Transfer-Encoding: Chunked\r\nContent-Length: 4\r\n") + "abcd",
         false, End::Complete, 200, "abcd"},
        {"chunk_size_not_a_number_ends_body", Head(ok, chunked) + "zz\r\n\r\n", false, End::Complete, 200, ""},
        {"chunk_extensions_and_trailer_fields_skipped",
         Head(ok, chunked) + "5;name=value\r\nhello\r\n2\t;x\r\n!!\r\n0;last\r\nX-Checksum: 1\r\nX-More: 2\r\n\r\n",
         false, End::Complete, 200, "hello!!"},
        {"chunked_closing_line_missing_at_close", Head(ok, chunked) + "2\r\nab\r\n0\r\n", true, End::Complete, 200,
         "ab"},
        {"chunked_close_inside_chunk_fails_keeps_bytes", Head(ok, chunked) + "5\r\nhel", true, End::Failed, 200, "hel",
         Http_Error_Text::Closed_Gracefully},
        {"chunk_size_of_nine_digits_refused", Head(ok, chunked) + "000000005\r\nhello\r\n", false, End::Failed, 200, "",
         Http_Error_Text::Chunk_Size_Too_Long},
        {"chunk_over_body_limit_refused", Head(ok, chunked) + "5000000\r\n", false, End::Failed, 200, "",
         Http_Error_Text::Body_Too_Large},
        {"chunk_size_line_too_long", Head(ok, chunked) + std::string(16385, 'z') + "\r\n", false, End::Failed, 200, "",
         Http_Error_Text::Max_Line_Length},
        {"interim_100_skipped", Head("HTTP/1.1 100 Continue", "X-A: 1\r\n") + Head(ok, "Content-Length: 2\r\n") + "ok",
         false, End::Complete, 200, "ok"},
        {"two_interim_100_skipped",
         Head("HTTP/1.1 100 Continue", "") + Head("HTTP/1.1 100 Continue", "") + Head(ok, "Content-Length: 1\r\n") +
             "x",
         false, End::Complete, 200, "x"},
        {"status_101_is_final", Head("HTTP/1.1 101 Switching", "Content-Length: 0\r\n"), false, End::Complete, 101, ""},
        {"status_without_number", Head("HTTP/1.1 OK", "Content-Length: 0\r\n"), false, End::Complete, -1, ""},
        {"status_without_space", Head("garbage", "Content-Length: 0\r\n"), false, End::Complete, -1, ""},
        {"status_code_ends_line", Head("HTTP/1.1 404", "Content-Length: 0\r\n"), false, End::Complete, 404, ""},
        {"status_code_with_sign_is_not_a_number", Head("HTTP/1.1 +200 OK", "Content-Length: 0\r\n"), false,
         End::Complete, -1, ""},
        {"no_content_length_reads_to_close", Head(ok, "") + "all of it", true, End::Complete, 200, "all of it"},
        {"no_content_length_waits_for_close", Head(ok, "") + "so far", false, End::Need_More, 200, "so far"},
        {"non_numeric_length_reads_to_close", Head(ok, "Content-Length: 12abc\r\n") + "xyz", true, End::Complete, 200,
         "xyz"},
        {"short_body_at_close_delivered", Head(ok, "Content-Length: 10\r\n") + "abc", true, End::Complete, 200, "abc"},
        {"zero_length_needs_no_close", Head(ok, "Content-Length: 0\r\n"), false, End::Complete, 200, ""},
        {"length_value_trimmed", Head(ok, "content-length:   4  \r\n") + "abcd", false, End::Complete, 200, "abcd"},
        {"bytes_after_reply_left_unconsumed", Head(ok, "Content-Length: 2\r\n") + "okEXTRA", false, End::Complete, 200,
         "ok", nullptr, 5},
        {"no_body_read_when_skipped", Head("HTTP/1.1 204 No Content", "Content-Length: 5\r\n") + "hello", false,
         End::Complete, 204, "", nullptr, 5, true},
        {"close_before_head_complete", "HTTP/1.1 200 OK\r\nContent-", true, End::Failed, 200, "",
         Http_Error_Text::Closed_Gracefully},
        {"close_before_any_byte", "", true, End::Failed, 200, "", Http_Error_Text::Closed_Gracefully},
        {"negative_content_length_refused", Head(ok, "Content-Length: -5\r\n") + "abc", false, End::Failed, 200, "",
         Http_Error_Text::Bad_Content_Length},
        {"content_length_beyond_32_bits_refused", Head(ok, "Content-Length: 99999999999\r\n"), false, End::Failed, 200,
         "", Http_Error_Text::Bad_Content_Length},
        {"content_length_over_body_limit_refused", Head(ok, "Content-Length: 100000000\r\n"), false, End::Failed, 200,
         "", Http_Error_Text::Body_Too_Large},
        {"body_to_close_over_limit_refused", Head(ok, "") + "0123456789AB", true, End::Failed, 200, "0123456789",
         Http_Error_Text::Body_Too_Large, 0, false, 10},
        {"status_line_too_long", "HTTP/1.1 200 " + std::string(16400, 'x') + "\r\n\r\n", false, End::Failed, 200, "",
         Http_Error_Text::Max_Line_Length},
        {"header_line_of_16384_accepted", Head(ok, "X: " + std::string(16381, 'v') + "\r\nContent-Length: 1\r\n") + "z",
         false, End::Complete, 200, "z"},
        {"header_line_of_16385_refused", Head(ok, "X: " + std::string(16382, 'v') + "\r\n"), false, End::Failed, 200,
         "", Http_Error_Text::Max_Line_Length},
        {"too_many_header_lines",
         [] {
             std::string h;
             for (int i = 0; i < 101; ++i)
                 h += "X-" + std::to_string(i) + ": v\r\n";
             return Head(ok, h);
         }(),
         false, End::Failed, 200, "", Http_Error_Text::Too_Many_Headers},
        {"head_too_large",
         [] {
             std::string h;
             for (int i = 0; i < 5; ++i)
                 h += "X-" + std::to_string(i) + ": " + std::string(16000, 'v') + "\r\n";
             return Head(ok, h);
         }(),
         false, End::Failed, 200, "", Http_Error_Text::Head_Too_Large},
    };
}

// How the bytes of a fixture reach the parser.
enum class Split { Whole, Byte_By_Byte, Random_1, Random_2, Random_3 };

std::vector<std::string> Pieces(const std::string& bytes, Split split)
{
    if (split == Split::Whole)
        return {bytes};
    std::vector<std::string> pieces;
    std::mt19937 random(static_cast<unsigned>(split));
    std::uniform_int_distribution<std::size_t> size(1, 23);
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t n = split == Split::Byte_By_Byte ? 1 : std::min(size(random), bytes.size() - at);
        pieces.push_back(bytes.substr(at, n));
        at += n;
    }
    return pieces;
}

struct Run_Result {
    End end = End::Need_More;
    std::string body;
    std::size_t leftover = 0;
    std::string error;
    int code = 0;
};

Run_Result Feed_Case(const Reply_Case& c, Split split)
{
    Http_Reply_Limits limits;
    limits.Max_Body = c.max_body;
    Http_Reply_Parser parser(limits);
    Run_Result r;
    auto finish = [&](Http_Parse_Status status) {
        r.code = parser.Head().Status_Code;
        r.error = parser.Error();
        r.end = status == Http_Parse_Status::Body_Complete ? End::Complete
                : status == Http_Parse_Status::Failed      ? End::Failed
                                                           : End::Need_More;
    };
    auto pieces = Pieces(c.bytes, split);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::string_view piece = pieces[i];
        for (;;) {
            Http_Parse_Result result = parser.Feed(piece, r.body);
            piece.remove_prefix(result.Consumed);
            if (result.Status == Http_Parse_Status::Head_Complete) {
                Http_Parse_Status begun = parser.Begin_Body(c.skip_body);
                if (begun != Http_Parse_Status::Need_More) {
                    finish(begun);
                    if (begun == Http_Parse_Status::Body_Complete)
                        for (std::size_t k = i; k < pieces.size(); ++k)
                            r.leftover += k == i ? piece.size() : pieces[k].size();
                    return r;
                }
                continue;
            }
            if (result.Status == Http_Parse_Status::Need_More)
                break;
            finish(result.Status);
            for (std::size_t k = i; k < pieces.size(); ++k)
                r.leftover += k == i ? piece.size() : pieces[k].size();
            return r;
        }
    }
    finish(c.close_after ? parser.Feed_Eof(r.body) : Http_Parse_Status::Need_More);
    return r;
}

std::string Case_Name(const ::testing::TestParamInfo<std::tuple<Reply_Case, Split>>& info)
{
    static const char* splits[] = {"whole", "byte_by_byte", "random1", "random2", "random3"};
    return std::string(std::get<0>(info.param).name) + "_" + splits[static_cast<int>(std::get<1>(info.param))];
}

class Http_Reply_Parser_Table : public ::testing::TestWithParam<std::tuple<Reply_Case, Split>> {};

TEST_P(Http_Reply_Parser_Table, Reads_The_Same_However_Split)
{
    const auto& [c, split] = GetParam();
    Run_Result r = Feed_Case(c, split);
    ASSERT_EQ(r.end, c.end) << r.error;
    EXPECT_EQ(r.body, c.body);
    if (c.end == End::Failed) {
        EXPECT_EQ(r.error, c.error);
        return;
    }
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.leftover, c.leftover);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Http_Reply_Parser_Table,
                         ::testing::Combine(::testing::ValuesIn(Cases()),
                                            ::testing::Values(Split::Whole, Split::Byte_By_Byte, Split::Random_1,
                                                              Split::Random_2, Split::Random_3)),
                         Case_Name);

Http_Reply_Parser Parse_Head(const std::string& bytes)
{
    Http_Reply_Parser parser;
    std::string body;
    EXPECT_EQ(parser.Feed(bytes, body).Status, Http_Parse_Status::Head_Complete);
    return parser;
}

TEST(Http_Reply_Parser, Joins_Continuation_Lines_And_Trims_Values)
{
    auto parser = Parse_Head(Head(ok, "X-Long:  first \r\n\tsecond\r\n  third\r\nno-colon\r\n"));
    const auto& items = parser.Head().Headers.Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Value, "first second third");
    EXPECT_EQ(items[1].Name, "no-colon");
    EXPECT_EQ(parser.Head().Headers.Find("x-long"), &items[0].Value);
}

TEST(Http_Reply_Parser, Keeps_Set_Cookie_Of_Every_Header_Block)
{
    auto parser = Parse_Head(Head("HTTP/1.1 100 Continue", "Set-Cookie: a=1\r\n") +
                             Head(ok, "set-cookie: b=2\r\nSet-Cookie2: c=3\r\nContent-Length: 0\r\n"));
    EXPECT_EQ(parser.Take_Set_Cookies(), (std::vector<std::string>{"a=1", "b=2", "c=3"}));
    EXPECT_TRUE(parser.Take_Set_Cookies().empty());
}

}  // namespace
