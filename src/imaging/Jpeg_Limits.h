#pragma once

#include <cstdint>

// Largest picture the decoder accepts. A JPEG header can announce up to 65535 x 65535 pixels
// in a few hundred bytes; a camera answer is refused before any pixel buffer is allocated
// when it announces more than this (a decompression bomb, or garbage that parsed as a header).
inline constexpr int Jpeg_Max_Side = 16384;
inline constexpr std::int64_t Jpeg_Max_Pixels = 64'000'000;

// Most pixels one decoded picture may hold: a larger picture (up to Jpeg_Max_Pixels) is decoded at the
// largest of the library's scales (7/8 .. 1/8) under it. 12 megapixels (4000 x 3000) keeps every
// camera picture of today at full size, and bounds what nine cameras sending the largest pictures
// accepted can hold (a few buffers each, 48 MB apiece).
inline constexpr std::int64_t Jpeg_Max_Decoded_Pixels = 12'000'000;

// True when a picture of Width x Height may be decoded: both sides in 1..Jpeg_Max_Side and
// at most Jpeg_Max_Pixels pixels in all.
constexpr bool Jpeg_Size_Allowed(int Width, int Height) noexcept
{
    return Width > 0 && Height > 0 && Width <= Jpeg_Max_Side && Height <= Jpeg_Max_Side &&
           static_cast<std::int64_t>(Width) * Height <= Jpeg_Max_Pixels;
}
