#pragma once

#include <QSize>

#include <cstddef>
#include <functional>
#include <vector>

// Decodes a JPEG picture a band of rows at a time into a buffer of a few rows that stays in the cache,
// at the size Jpeg_Decoder gives it at full size and with the same library settings, so the rows hold
// the very pixels a whole decode gives. What reads a picture only row by row (its shown picture drawn
// smaller, its motion samples) then never has the whole picture in memory. Refuses what Jpeg_Decoder
// refuses (throws Jpeg_Error), and like it accepts a picture whose data merely ends early or is damaged
// in its scan data. One object per thread.
class Jpeg_Row_Decoder {
public:
    // The size the rows come at, once the header is read.
    using Size_Handler = std::function<void(QSize size)>;
    // Rows first .. first + count - 1, top to bottom in consecutive calls: row r is at
    // rows + (r - first) * stride, one 0xAARRGGBB word per pixel with alpha 0xFF.
    using Row_Handler = std::function<void(int first, int count, const unsigned char* rows, std::ptrdiff_t stride)>;

    void Decode(const void* data, std::size_t size, const Size_Handler& started, const Row_Handler& rows);

private:
    std::vector<unsigned char> band_;
};
