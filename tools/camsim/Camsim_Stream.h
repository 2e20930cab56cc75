#pragma once
#include <optional>
#include <string>
#include <string_view>

// How a camera frames its MJPEG stream (/videostream.cgi): one multipart/x-mixed-replace reply whose
// parts are JPEG pictures, sent at a rate until the client leaves.
struct Camsim_Stream {
    double Fps = 0;          // parts per second; 0: the camera's scene rate
    bool No_Length = false;  // parts without Content-Length: a part ends at the next boundary line
    bool Lone_Lf = false;    // "\n" instead of "\r\n" in the multipart framing (the reply head keeps CRLF)
    int Drop_After = 0;      // > 0: the camera closes the connection after this many parts
    bool No_Dash = false;    // the head declares boundary=--camsimframe and the parts start with that line
                             // as is, not with "--" in front of it
    bool Odd_Case = false;   // part header names in odd case ("content-TYPE", "content-LENGTH")
    bool Quoted = false;     // boundary="camsimframe" in the Content-Type
    bool operator==(const Camsim_Stream&) const = default;
};

// The --stream syntax: ":"-separated options fps=F, nolength, lf, drop=N, nodash, header-case, quoted,
// each at most once; "default" for none. nullopt for anything else.
std::optional<Camsim_Stream> Parse_Camsim_Stream(std::string_view spec);
// stream in the --stream syntax; Parse_Camsim_Stream reads it back to the same value.
std::string Camsim_Stream_Text(const Camsim_Stream& stream);

// The boundary the parts are separated by (without the leading "--").
inline constexpr std::string_view Camsim_Boundary = "camsimframe";

// The value of the stream reply's Content-Type header.
std::string Camsim_Stream_Content_Type(const Camsim_Stream& stream);
// The reply head that starts a stream (status line to empty line).
std::string Camsim_Stream_Head(const Camsim_Stream& stream);
// One part: the boundary line, the part's headers, the empty line, the picture and a line end
// (which belongs to the next boundary line).
std::string Camsim_Stream_Part(const Camsim_Stream& stream, std::string_view jpeg);
// The closing boundary line ("--camsimframe--" and a line end).
std::string Camsim_Stream_End(const Camsim_Stream& stream);
