#include "imaging/Jpeg_Row_Decoder.h"

#include "imaging/Jpeg_Codec.h"

#include <QtGlobal>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <limits>
#include <string>

#include <jpeglib.h>

namespace {

constexpr J_COLOR_SPACE Word_Colour_Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
constexpr int Band_Rows = 16;
// Progressive files built to burn time with thousands of scans are refused.
constexpr int Max_Scans = 500;

struct Error_Manager {
    jpeg_error_mgr library{};
    std::jmp_buf jump{};
    std::array<char, JMSG_LENGTH_MAX> message{};
};

[[noreturn]] void Error_Exit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<Error_Manager*>(info->err);
    (*info->err->format_message)(info, errors->message.data());
    std::longjmp(errors->jump, 1);
}

// Warnings (a picture that ends early, damaged scan data) are neither printed nor fatal.
void Output_Message(j_common_ptr) {}

void Progress(j_common_ptr info)
{
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number <= Max_Scans)
        return;
    auto* errors = reinterpret_cast<Error_Manager*>(info->err);
    std::snprintf(errors->message.data(), errors->message.size(), "more than %d scans", Max_Scans);
    std::longjmp(errors->jump, 1);
}

// Releases the library's state however the decode ends.
struct Decompress_Guard {
    jpeg_decompress_struct* info;
    bool created = false;
    ~Decompress_Guard()
    {
        if (created)
            jpeg_destroy_decompress(info);
    }
};

// The library's calls, under its error jump. Only trivially destructible locals live in this frame:
// a jump back into it skips no destructor. Returns false when the library failed (message in errors).
bool Run(jpeg_decompress_struct& info, Decompress_Guard& guard, Error_Manager& errors, jpeg_progress_mgr& progress,
         const unsigned char* bytes, unsigned long length, std::vector<unsigned char>& band,
         const Jpeg_Row_Decoder::Size_Handler& started, const Jpeg_Row_Decoder::Row_Handler& rows)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    guard.created = true;
    info.progress = &progress;
    jpeg_mem_src(&info, bytes, length);
    jpeg_read_header(&info, TRUE);

    const int width = static_cast<int>(info.image_width);
    const int height = static_cast<int>(info.image_height);
    Jpeg_Refuse_Unless_Allowed(width, height);
    const QSize scaled = Jpeg_Scaled_Size(width, height, Jpeg_Decode_Size{});
    const Jpeg_Scale scale = Jpeg_Scale_For(width, height, Jpeg_Decode_Size{});
    info.scale_num = static_cast<unsigned>(scale.Num);
    info.scale_denom = static_cast<unsigned>(scale.Denom);
    info.out_color_space = Word_Colour_Space;
    jpeg_start_decompress(&info);
    if (static_cast<int>(info.output_width) != scaled.width() ||
        static_cast<int>(info.output_height) != scaled.height() || info.output_components != 4)
        throw Jpeg_Error("JPEG decoder: unexpected output size");

    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(scaled.width()) * 4;
    band.resize(static_cast<std::size_t>(stride) * Band_Rows);
    std::array<JSAMPROW, Band_Rows> pointers{};
    for (int i = 0; i < Band_Rows; ++i)
        pointers[static_cast<std::size_t>(i)] = band.data() + i * stride;
    started(scaled);
    while (info.output_scanline < info.output_height) {
        const int first = static_cast<int>(info.output_scanline);
        const int count = static_cast<int>(jpeg_read_scanlines(&info, pointers.data(), Band_Rows));
        if (count <= 0)
            throw Jpeg_Error("JPEG decoder: no rows");
        rows(first, count, band.data(), stride);
    }
    // Whatever follows the last row (trailing bytes, a damaged end marker) does not matter here.
    jpeg_abort_decompress(&info);
    return true;
}

}  // namespace

void Jpeg_Row_Decoder::Decode(const void* data, std::size_t size, const Size_Handler& started, const Row_Handler& rows)
{
    if (data == nullptr || size == 0)
        throw Jpeg_Error("JPEG decoder: no data");
    if (size > std::numeric_limits<unsigned long>::max())
        throw Jpeg_Error("JPEG decoder: data too large");
    jpeg_decompress_struct info{};
    Error_Manager errors;
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = Error_Exit;
    errors.library.output_message = Output_Message;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = Progress;
    Decompress_Guard guard{&info};
    if (!Run(info, guard, errors, progress, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size),
             band_, started, rows))
        throw Jpeg_Error(std::string("JPEG decoder: ") + errors.message.data());
}
