#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "acquisition/Http_Headers.h"

// Bounds on what a server may send; beyond them the reply fails instead of exhausting memory.
struct Http_Reply_Limits {
    std::size_t Max_Line = 16384;            // one line, LF and one CR not counted
    std::size_t Max_Header_Lines = 100;      // header lines of one header block
    std::size_t Max_Head_Bytes = 64 * 1024;  // every head line of the reply, interim heads included
    // Body bytes of one reply: far above any camera picture, low enough that nine cameras sending the
    // most they may at once stay within the program's memory budget.
    std::size_t Max_Body = 32 * 1024 * 1024;
    std::size_t Max_Chunk_Digits = 8;  // hexadecimal digits of a chunk size
};

struct Http_Reply_Head {
    std::string Status_Line;
    int Status_Code = -1;  // text between the status line's first and second space, -1 when no number
    Http_Headers Headers;
};

enum class Http_Parse_Status {
    Need_More,      // every byte given was consumed; feed more (or Feed_Eof)
    Head_Complete,  // the final (non-100) head is read; call Begin_Body before feeding on
    Body_Complete,  // the reply is complete; bytes after Consumed belong to no reply
    Failed,         // Error() tells why; the stream position is lost
};

struct Http_Parse_Result {
    Http_Parse_Status Status;
    std::size_t Consumed;  // bytes of the input used by this call
};

// Reads one reply from bytes in memory, fed in pieces of any size; does no I/O.
// Head: lines end at LF, one CR before it is dropped; interim 100 heads are skipped (their
// Set-Cookie values are kept). Body framing, chosen by Begin_Body from the final head:
// Transfer-Encoding containing "chunked" (case-sensitive) -> chunks (a size's extensions after ";"
// and the trailer fields after the last chunk are skipped); else Content-Length > 0 ->
// that many bytes (a close before them ends the body without error); Content-Length 0 -> none;
// missing or not a number -> up to the close. A negative Content-Length or one beyond 32 bits fails.
class Http_Reply_Parser {
public:
    explicit Http_Reply_Parser(Http_Reply_Limits limits = {}) : limits_(limits) {}

    // Consumes data; body bytes are appended to body.
    Http_Parse_Result Feed(std::string_view data, std::string& body);
    // The same, handing body bytes to body_sink as views into data (no copy).
    using Body_Sink = std::function<void(std::string_view)>;
    Http_Parse_Result Feed(std::string_view data, const Body_Sink& body_sink);
    // The server closed the connection: Body_Complete when the framing allows it, else Failed.
    Http_Parse_Status Feed_Eof(std::string& body);
    // After Head_Complete. skip_body: the reply has no body whatever its headers say (204).
    // Returns Body_Complete (nothing to read), Need_More, or Failed (bad Content-Length).
    Http_Parse_Status Begin_Body(bool skip_body);

    // The body is a stream that has no end of its own (its reader bounds each piece): Max_Body does
    // not apply. Call before Begin_Body.
    void Allow_Endless_Body() { endless_ = true; }

    const Http_Reply_Head& Head() const { return head_; }
    // Values of every Set-cookie and Set-cookie2 header of the header blocks completed so far
    // (interim ones included), each handed out once.
    std::vector<std::string> Take_Set_Cookies();
    const std::string& Error() const { return error_; }
    bool Reads_To_Close() const { return state_ == State::Body_To_Close; }

private:
    enum class State {
        Status_Line,
        Header_Line,
        Head_Done,
        Body_Length,
        Body_To_Close,
        Chunk_Size,
        Chunk_Data,
        Chunk_Data_End,
        Chunk_Trailer,
        Done,
        Failed,
    };

    // Takes the next whole line from data at pos into line; false when more bytes are needed
    // (or the line is too long: state_ becomes Failed).
    bool Next_Line(std::string_view data, std::size_t& pos, std::string& line, std::size_t& raw_size);
    void Fail(const char* message);
    void Head_Line(const std::string& line);
    void Chunk_Size_Line(const std::string& line);
    void Append_Body(std::string_view data, std::size_t& pos, const Body_Sink& body);

    Http_Reply_Limits limits_;
    State state_ = State::Status_Line;
    Http_Reply_Head head_;
    std::string pending_;  // start of a line whose LF has not arrived
    std::size_t head_bytes_ = 0;
    std::size_t header_lines_ = 0;
    std::size_t body_bytes_ = 0;
    std::size_t remaining_ = 0;  // of the Content-Length or of the current chunk
    bool endless_ = false;
    std::vector<std::string> set_cookies_;
    std::string error_;
};
