#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>

#include "imaging/Jpeg_Limits.h"
#include <stdexcept>

// Any failure to decode or encode a picture.
struct Jpeg_Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// How large a decoded picture is to be. The library decodes at 1/1, 7/8, 3/4, 5/8, 1/2, 3/8, 1/4
// or 1/8 of the picture's size (scaling inside the inverse DCT, so a smaller picture costs less).
struct Jpeg_Decode_Size {
    // The size the picture will be shown at: the smallest scale whose picture still covers it in both
    // directions is enough. 0 x 0: full size.
    int Cover_Width = 0;
    int Cover_Height = 0;
    // Never more pixels than this: a larger picture is decoded at the largest scale under it.
    std::int64_t Max_Pixels = Jpeg_Max_Decoded_Pixels;
};

// The library's scale (Num / Denom) a width x height picture is decoded at for target.
struct Jpeg_Scale {
    int Num = 1;
    int Denom = 1;
};
Jpeg_Scale Jpeg_Scale_For(int width, int height, const Jpeg_Decode_Size& target);
// The size a width x height picture is decoded at for target.
QSize Jpeg_Scaled_Size(int width, int height, const Jpeg_Decode_Size& target);

// Throws Jpeg_Error unless a width x height picture may be decoded (Jpeg_Size_Allowed).
void Jpeg_Refuse_Unless_Allowed(int width, int height);

// Decodes JPEG pictures (at full size unless a Jpeg_Decode_Size says otherwise) with the library's accurate defaults (accurate inverse
// DCT, smooth chroma upsampling) into QImage::Format_RGB32. Keeps its TurboJPEG handle from
// one picture to the next; one object per thread (it is not safe to share across threads).
class Jpeg_Decoder {
public:
    Jpeg_Decoder();  // throws Jpeg_Error when the library cannot make a handle
    ~Jpeg_Decoder();
    Jpeg_Decoder(const Jpeg_Decoder&) = delete;
    Jpeg_Decoder& operator=(const Jpeg_Decoder&) = delete;

    // Returns the picture held in data[0..size). Throws Jpeg_Error for anything that is not a
    // JPEG picture the library accepts: no bytes, text, a cut or damaged header, an unsupported
    // colour space, more than Jpeg_Max_Side / Jpeg_Max_Pixels (see Jpeg_Limits.h; refused from
    // the header, before allocating), an excessive number of progressive scans.
    // NOTE: a picture whose data merely ends early or holds a damaged stretch of scan data
    // (the library reports only a warning) is accepted: the missing part comes out grey or
    // smeared, as a camera's cut-short answer still shows most of its scene.
    QImage Decode(const void* data, std::size_t size);
    // The same, decoding into `recycled` when nobody else holds it (QImage::isDetached) and it already
    // has the picture's size and format: a camera's pictures then reuse a few buffers instead of
    // touching fresh memory for every frame. Otherwise `recycled` is dropped and a new picture made.
    QImage Decode(const void* data, std::size_t size, QImage&& recycled);
    // The same, at the size target asks for (Jpeg_Scaled_Size).
    QImage Decode(const void* data, std::size_t size, QImage&& recycled, const Jpeg_Decode_Size& target);

    // True when the last picture decoded came out at the size a full-size decode gives it (the target
    // covered the whole picture, or was full size).
    bool Last_Full_Size() const { return last_full_size_; }

private:
    QImage Decode_With_Handle(const unsigned char* bytes, unsigned long length, QImage&& recycled,
                              const Jpeg_Decode_Size& target, bool& renew);
    void Renew_Handle() noexcept;

    void* Handle;  // tjhandle; replaced after every failed or damaged picture
    bool last_full_size_ = false;
};

// Encodes pictures as baseline JPEG with 4:2:0 chroma subsampling and the accurate DCT.
// Keeps its TurboJPEG handle from one picture to the next; one object per thread.
class Jpeg_Encoder {
public:
    Jpeg_Encoder();  // throws Jpeg_Error when the library cannot make a handle
    ~Jpeg_Encoder();
    Jpeg_Encoder(const Jpeg_Encoder&) = delete;
    Jpeg_Encoder& operator=(const Jpeg_Encoder&) = delete;

    // Returns the JPEG file bytes of picture at quality 1..100. Any QImage format is accepted;
    // RGB32, ARGB32 (alpha ignored), RGB888, BGR888, RGBX8888 and RGBA8888 are read in place,
    // others are converted to RGB32 first. Throws Jpeg_Error for an empty picture, a quality
    // out of range, or a library failure.
    QByteArray Encode(const QImage& picture, int quality = 90);

private:
    void* Handle;  // tjhandle
};

// One-shot forms: a fresh decoder or encoder for a single picture.
QImage Jpeg_Decode(const void* data, std::size_t size);
QByteArray Jpeg_Encode(const QImage& picture, int quality = 90);
