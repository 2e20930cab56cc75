#include "Fuzz_Targets.h"

#include "acquisition/Http_Error.h"
#include "acquisition/Http_Reply_Parser.h"
#include "acquisition/Http_Url.h"
#include "imaging/Jpeg_Codec.h"
#include "imaging/Jpeg_Limits.h"
#include "imaging/Jpeg_Row_Decoder.h"
#include "platform/Ini_Values.h"
#include "platform/Profile_Text.h"
#include "util/U_Lib_Util_Vesk.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Check(bool rule, const char* what)
{
    if (!rule) {
        std::fprintf(stderr, "fuzz rule broken: %s\n", what);
        std::abort();
    }
}

std::string_view Bytes(const uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Splits text at the first `separator`: the part before it, and text moved past it.
std::string_view Take_Part(std::string_view& text, char separator)
{
    const std::size_t at = text.find(separator);
    const std::string_view part = text.substr(0, at);
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    return part;
}

// What a read gives for a value written as is: blanks cut, one pair of enclosing quotes dropped, at most
// Profile_Max_Value bytes.
std::string Read_Form(std::string_view value)
{
    value = Trim_Profile_Blanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, Profile_Max_Value));
}

}  // namespace

void Fuzz_Reply_Parser(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    // The first byte chooses the piece size and whether the reply may have a body.
    const std::size_t piece = 1 + data[0] % 64;
    const bool skip_body = data[0] & 0x80;
    std::string_view input = Bytes(data + 1, size - 1);
    Http_Reply_Limits limits;
    limits.Max_Body = 1 << 20;
    Http_Reply_Parser parser(limits);
    std::string body;
    Http_Parse_Status status = Http_Parse_Status::Need_More;
    while (!input.empty()) {
        const std::string_view chunk = input.substr(0, piece);
        const Http_Parse_Result result = parser.Feed(chunk, body);
        Check(result.Consumed <= chunk.size(), "consumed no more than given");
        status = result.Status;
        input.remove_prefix(result.Consumed);
        if (status == Http_Parse_Status::Head_Complete) {
            Check(parser.Head().Status_Code != 100, "an interim head is never the final one");
            status = parser.Begin_Body(skip_body);
        }
        if (status == Http_Parse_Status::Body_Complete || status == Http_Parse_Status::Failed)
            break;
        Check(status == Http_Parse_Status::Need_More || result.Consumed > 0, "progress");
    }
    if (status == Http_Parse_Status::Need_More)
        status = parser.Feed_Eof(body);
    Check(body.size() <= limits.Max_Body, "body within its bound");
    Check(parser.Head().Status_Line.size() <= limits.Max_Line, "status line within its bound");
    (void)parser.Take_Set_Cookies();
}

void Fuzz_Url(const uint8_t* data, std::size_t size)
{
    std::string_view input = Bytes(data, size);
    const std::string previous_text(Take_Part(input, '\n'));
    Http_Url_Base previous;
    try {
        previous = Parse_Http_Url(previous_text, Http_Url_Base{}).As_Base();
    } catch (const E_Http_Error&) {
    }
    try {
        const Http_Url url = Parse_Http_Url(std::string(input), previous);
        Check(!url.Host.empty(), "a parsed URL names a host");
        Check(url.Port >= 1 && url.Port <= 65535, "a parsed URL has a port number");
        const std::string target = url.Target();
        Check(!target.empty() && target.front() == '/', "the request target starts with /");
        Check(target.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos, "no line break in the target");
    } catch (const E_Http_Error&) {
    }
}

void Fuzz_Profile(const uint8_t* data, std::size_t size)
{
    std::string_view input = Bytes(data, size);
    const std::string_view section = Take_Part(input, '\0');
    const std::string_view key = Take_Part(input, '\0');
    const std::string_view value = Take_Part(input, '\0');
    const std::string_view content = input;

    const std::optional<std::string> found = Profile_Find_Value(content, section, key);
    if (found)
        Check(found->size() <= Profile_Max_Value, "a value read is at most 2047 bytes");
    if (!Profile_Is_Writable_Name(section, key) || !Profile_Is_Writable_Value(value))
        return;
    const std::string written = Profile_Set_Value(content, section, key, value);
    const std::optional<std::string> read_back = Profile_Find_Value(written, section, key);
    Check(read_back.has_value(), "a key written can be read");
    Check(*read_back == Read_Form(value), "a key reads back what was written");
    (void)Profile_Set_Value(written, section, key, std::nullopt);
}

void Fuzz_Numbers(const uint8_t* data, std::size_t size)
{
    const std::string text(Bytes(data, size));

    const int32_t whole = Text_To_Int(text);
    Check(Text_To_Int(Int_To_Text(whole, 0)) == whole, "Int_To_Text reads back");
    const double real = Text_To_Float(text);
    Check(std::isfinite(real), "Text_To_Float gives a number");
    (void)Float_To_Text(static_cast<int16_t>(size % 20), static_cast<int16_t>(size % 7), real);

    const int32_t ini_whole = Ini_Int_From_Text(text);
    Check(Ini_Int_From_Text(Ini_Int_To_Text(ini_whole)) == ini_whole, "an INI integer reads back");
    (void)Ini_Bool_From_Text(text);
    for (const char separator : {'.', ','}) {
        const double ini_real = Ini_Float_From_Text(text, separator);
        Check(std::isfinite(ini_real), "an INI real is a number");
        const double back = Ini_Float_From_Text(Ini_Float_To_Text(ini_real, separator), separator);
        Check(std::fabs(back - ini_real) <= 1e-14 * std::fabs(ini_real), "an INI real reads back to 15 digits");
    }
}

void Fuzz_Jpeg(const uint8_t* data, std::size_t size)
{
    static Jpeg_Decoder decoder;
    try {
        const QImage picture = decoder.Decode(data, size);
        Check(!picture.isNull(), "a decoded picture has pixels");
        Check(Jpeg_Size_Allowed(picture.width(), picture.height()), "a decoded picture is within the size limits");
    } catch (const Jpeg_Error&) {
    }
    // Band by band, as a camera whose motion is measured is decoded: every row once, top to bottom.
    static Jpeg_Row_Decoder rows;
    QSize decoded;
    int next = 0;
    try {
        rows.Decode(
            data, size, [&](QSize size_of) { decoded = size_of; },
            [&](int first, int count, const unsigned char* band, std::ptrdiff_t stride) {
                Check(first == next && count > 0 && first + count <= decoded.height(), "bands follow each other");
                Check(stride >= 4 * static_cast<std::ptrdiff_t>(decoded.width()),
                      "a band row holds the picture's width");
                volatile unsigned char last = band[(count - 1) * stride + 4 * decoded.width() - 1];
                (void)last;
                next = first + count;
            });
        Check(next == decoded.height(), "every row came");
    } catch (const Jpeg_Error&) {
    }
}
