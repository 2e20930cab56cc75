#include "acquisition/Http_Reply_Parser.h"
#include "util/Text_Scan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "acquisition/Http_Error.h"
#include "acquisition/Http_Text.h"

namespace {

int Status_Code_Of(const std::string& status_line)
{
    std::size_t first = status_line.find(' ');
    if (first == std::string::npos)
        return -1;
    std::size_t second = status_line.find(' ', first + 1);
    std::string_view code(status_line);
    code = code.substr(first + 1, second == std::string::npos ? std::string_view::npos : second - first - 1);
    if (code.empty() || code[0] == '-' || code[0] == '+')
        return -1;
    auto value = Http_Parse_Decimal(code);
    if (!value || *value > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(*value);
}

bool All_Digits(std::string_view text)
{
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void Http_Reply_Parser::Fail(const char* message)
{
    state_ = State::Failed;
    error_ = message;
}

bool Http_Reply_Parser::Next_Line(std::string_view data, std::size_t& pos, std::string& line, std::size_t& raw_size)
{
    const char* start = data.data() + pos;
    std::size_t available = data.size() - pos;
    const void* lf = std::memchr(start, '\n', available);
    std::size_t take = lf ? static_cast<const char*>(lf) - start : available;
    // A line of Max_Line bytes may still be followed by its CR: anything longer cannot end well.
    if (pending_.size() + take > limits_.Max_Line + 1) {
        Fail(Http_Error_Text::Max_Line_Length);
        return false;
    }
    pending_.append(start, take);
    pos += take;
    if (!lf)
        return false;
    ++pos;  // the LF
    raw_size = pending_.size() + 1;
    if (!pending_.empty() && pending_.back() == '\r')
        pending_.pop_back();
    if (pending_.size() > limits_.Max_Line) {
        Fail(Http_Error_Text::Max_Line_Length);
        return false;
    }
    line.swap(pending_);
    pending_.clear();
    return true;
}

void Http_Reply_Parser::Head_Line(const std::string& line)
{
    if (state_ == State::Status_Line) {
        head_ = Http_Reply_Head{};
        head_.Status_Line = line;
        head_.Status_Code = Status_Code_Of(line);
        header_lines_ = 0;
        state_ = State::Header_Line;
        return;
    }
    if (line.empty()) {
        for (const char* name : {"Set-cookie", "Set-cookie2"})
            for (auto& value : head_.Headers.All(name))
                set_cookies_.push_back(std::move(value));
        state_ = head_.Status_Code == 100 ? State::Status_Line : State::Head_Done;
        return;
    }
    if (++header_lines_ > limits_.Max_Header_Lines) {
        Fail(Http_Error_Text::Too_Many_Headers);
        return;
    }
    if (line[0] == ' ' || line[0] == '\t') {
        head_.Headers.Continue_Last(line);  // a continuation with nothing to continue is dropped
        return;
    }
    std::size_t colon = line.find(':');
    if (colon == std::string::npos)
        head_.Headers.Add(line, std::string());
    else
        head_.Headers.Add(line.substr(0, colon), std::string(Trim_View(std::string_view(line).substr(colon + 1))));
}

void Http_Reply_Parser::Chunk_Size_Line(const std::string& line)
{
    // The size ends at a blank or at ";", which starts a chunk extension (ignored).
    std::string_view digits(line);
    digits = digits.substr(0, digits.find_first_of(" \t;"));
    std::size_t size = 0;
    bool is_number = !digits.empty();
    for (char c : digits)
        if (Hex_Digit(c) < 0)
            is_number = false;
    if (is_number) {
        if (digits.size() > limits_.Max_Chunk_Digits) {
            Fail(Http_Error_Text::Chunk_Size_Too_Long);
            return;
        }
        for (char c : digits)
            size = size * 16 + static_cast<std::size_t>(Hex_Digit(c));
    }
    if (size == 0) {
        state_ = State::Chunk_Trailer;
        return;
    }
    if (!endless_ && size > limits_.Max_Body - body_bytes_) {
        Fail(Http_Error_Text::Body_Too_Large);
        return;
    }
    remaining_ = size;
    state_ = State::Chunk_Data;
}

void Http_Reply_Parser::Append_Body(std::string_view data, std::size_t& pos, const Body_Sink& body)
{
    std::size_t take = std::min(remaining_, data.size() - pos);
    body(data.substr(pos, take));
    pos += take;
    remaining_ -= take;
    body_bytes_ += take;
}

Http_Parse_Result Http_Reply_Parser::Feed(std::string_view data, std::string& body)
{
    return Feed(data, [&body](std::string_view bytes) { body.append(bytes); });
}

Http_Parse_Result Http_Reply_Parser::Feed(std::string_view data, const Body_Sink& body)
{
    std::size_t pos = 0;
    std::string line;
    std::size_t raw_size = 0;
    for (;;) {
        switch (state_) {
        case State::Status_Line:
        case State::Header_Line:
            if (pos == data.size() || !Next_Line(data, pos, line, raw_size))
                break;
            head_bytes_ += raw_size;
            if (head_bytes_ > limits_.Max_Head_Bytes) {
                Fail(Http_Error_Text::Head_Too_Large);
                break;
            }
            Head_Line(line);
            if (state_ == State::Head_Done)
                return {Http_Parse_Status::Head_Complete, pos};
            continue;
        case State::Head_Done: return {Http_Parse_Status::Head_Complete, pos};
        case State::Body_Length:
            Append_Body(data, pos, body);
            if (remaining_ == 0) {
                state_ = State::Done;
                continue;
            }
            break;
        case State::Body_To_Close: {
            std::size_t take =
                endless_ ? data.size() - pos : std::min(data.size() - pos, limits_.Max_Body - body_bytes_);
            body(data.substr(pos, take));
            pos += take;
            body_bytes_ += take;
            if (pos < data.size())
                Fail(Http_Error_Text::Body_Too_Large);
            break;
        }
        case State::Chunk_Size:
            if (pos == data.size() || !Next_Line(data, pos, line, raw_size))
                break;
            Chunk_Size_Line(line);
            continue;
        case State::Chunk_Data:
            Append_Body(data, pos, body);
            if (remaining_ == 0) {
                state_ = State::Chunk_Data_End;
                continue;
            }
            break;
        case State::Chunk_Data_End:
            if (pos == data.size() || !Next_Line(data, pos, line, raw_size))
                break;
            state_ = State::Chunk_Size;
            continue;
        case State::Chunk_Trailer:
            // Trailer fields, up to the empty line that ends the reply; counted like head lines.
            if (pos == data.size() || !Next_Line(data, pos, line, raw_size))
                break;
            head_bytes_ += raw_size;
            if (head_bytes_ > limits_.Max_Head_Bytes) {
                Fail(Http_Error_Text::Head_Too_Large);
                break;
            }
            if (line.empty())
                state_ = State::Done;
            continue;
        case State::Done: return {Http_Parse_Status::Body_Complete, pos};
        case State::Failed: return {Http_Parse_Status::Failed, pos};
        }
        // Out of input (or failed inside a step).
        if (state_ == State::Failed)
            return {Http_Parse_Status::Failed, pos};
        return {Http_Parse_Status::Need_More, pos};
    }
}

Http_Parse_Status Http_Reply_Parser::Begin_Body(bool skip_body)
{
    if (state_ != State::Head_Done)
        return state_ == State::Failed ? Http_Parse_Status::Failed : Http_Parse_Status::Need_More;
    if (skip_body) {
        state_ = State::Done;
        return Http_Parse_Status::Body_Complete;
    }
    const std::string* transfer_encoding = head_.Headers.Find("Transfer-Encoding");
    if (transfer_encoding && transfer_encoding->find("chunked") != std::string::npos) {
        state_ = State::Chunk_Size;
        return Http_Parse_Status::Need_More;
    }
    const std::string* content_length = head_.Headers.Find("Content-Length");
    std::string_view length_text = content_length ? Trim_View(*content_length) : std::string_view();
    if (!All_Digits(length_text)) {
        state_ = State::Body_To_Close;
        return Http_Parse_Status::Need_More;
    }
    auto length = Http_Parse_Decimal(length_text);
    if (!length || *length < 0 || *length > std::numeric_limits<int32_t>::max()) {
        Fail(Http_Error_Text::Bad_Content_Length);
        return Http_Parse_Status::Failed;
    }
    if (*length == 0) {
        state_ = State::Done;
        return Http_Parse_Status::Body_Complete;
    }
    if (!endless_ && static_cast<std::size_t>(*length) > limits_.Max_Body) {
        Fail(Http_Error_Text::Body_Too_Large);
        return Http_Parse_Status::Failed;
    }
    remaining_ = static_cast<std::size_t>(*length);
    state_ = State::Body_Length;
    return Http_Parse_Status::Need_More;
}

Http_Parse_Status Http_Reply_Parser::Feed_Eof(std::string&)
{
    switch (state_) {
    case State::Body_Length:  // a short body is delivered as it is
    case State::Body_To_Close:
    case State::Chunk_Trailer:  // the last chunk arrived; only the closing line is missing
    case State::Done: state_ = State::Done; return Http_Parse_Status::Body_Complete;
    case State::Failed: return Http_Parse_Status::Failed;
    default: Fail(Http_Error_Text::Closed_Gracefully); return Http_Parse_Status::Failed;
    }
}

std::vector<std::string> Http_Reply_Parser::Take_Set_Cookies()
{
    std::vector<std::string> out;
    out.swap(set_cookies_);
    return out;
}
