#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "acquisition/Http_Reply_Parser.h"

// Bounds on a multipart stream; beyond them the stream fails instead of exhausting memory.
struct Multipart_Limits {
    std::size_t Max_Part = Http_Reply_Limits{}.Max_Body;  // body bytes of one part
    std::size_t Max_Part_Head = 64 * 1024;                // header bytes of one part
    std::size_t Max_Gap = 64 * 1024;  // bytes between a part and the next boundary line (and the preamble)
};

// The boundary of a "multipart/x-mixed-replace" Content-Type value (any case; the boundary parameter
// quoted or not), or nothing for any other type or a type without a usable boundary.
std::optional<std::string> Mixed_Replace_Boundary(std::string_view content_type);

// Reads the parts of a multipart body (an MJPEG stream) from bytes in memory, fed in pieces of any
// size; does no I/O. Tolerant of what servers send: a boundary line with or without the leading
// "--", CR LF or lone LF line ends, parts with or without Content-Length (without it a part ends at
// the next boundary line), part headers in any case, blank lines or junk between parts (within
// Max_Gap). A line "--boundary--" (or "boundary--") closes the stream.
class Multipart_Parser {
public:
    enum class Status { Need_More, Closed, Failed };
    using Part_Function = std::function<void(std::string&& part)>;

    explicit Multipart_Parser(std::string boundary, Multipart_Limits limits = {});

    // Consumes all of data; hands every part completed by it to on_part, in order.
    Status Feed(std::string_view data, const Part_Function& on_part);

    // The input ended (the server closed the connection): a part being read up to the next boundary
    // line is complete as it stands (some servers close instead of sending the closing boundary).
    // Returns Closed, or Failed when a part announced by its length was cut short.
    Status Finish(const Part_Function& on_part);

    Status State() const;
    const std::string& Error() const { return error_; }
    std::size_t Parts() const { return parts_; }

private:
    enum class Step { Seek_Boundary, Part_Head, Part_Length, Part_Scan, Closed, Failed };

    // The next whole line at pos_ (without its line end), or nothing when more bytes are needed.
    std::optional<std::string_view> Next_Line();
    // A boundary line: 1 opens a part, 2 closes the stream, 0 is not one.
    int Boundary_Kind(std::string_view line) const;
    void Fail(std::string message);
    void Seek_Boundary();
    void Part_Head();
    void Part_Length(const Part_Function& on_part);
    void Part_Scan(const Part_Function& on_part);
    void Emit(std::string&& part, const Part_Function& on_part);

    const std::string boundary_;
    const Multipart_Limits limits_;
    Step step_ = Step::Seek_Boundary;
    std::string buffer_;  // bytes received and not yet consumed start at pos_
    std::size_t pos_ = 0;
    std::size_t gap_bytes_ = 0;          // skipped since the last part (or the start)
    std::size_t head_bytes_ = 0;         // of the current part's headers
    std::optional<std::size_t> length_;  // the current part's Content-Length
    std::size_t scan_from_ = 0;          // where the search for the closing boundary resumes
    std::string part_;                   // a part being read by its length
    std::size_t parts_ = 0;
    std::string error_;
};
