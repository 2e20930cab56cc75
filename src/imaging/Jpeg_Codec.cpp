#include "imaging/Jpeg_Codec.h"

#include "imaging/Jpeg_Limits.h"
#include "imaging/Picture_Pool.h"

#include <QtGlobal>

#include <turbojpeg.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr bool Little_Endian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;

// QImage::Format_RGB32 and Format_ARGB32 hold one native-endian 0xAARRGGBB word per pixel.
// Decoding uses the alpha layout even for RGB32: Qt requires 0xFF in the unused byte, and the
// library guarantees that byte only for the formats with alpha (it is undefined for the X ones).
constexpr int Pixel_Format_Word_Alpha = Little_Endian ? TJPF_BGRA : TJPF_ARGB;
constexpr int Pixel_Format_Word_No_Alpha = Little_Endian ? TJPF_BGRX : TJPF_XRGB;

std::string Library_Message(tjhandle handle)
{
    const char* text = tjGetErrorStr2(handle);
    return text != nullptr ? std::string(text) : std::string("unknown error");
}

// True when the last call on handle failed with only a warning (damaged or short scan data).
bool Only_A_Warning(tjhandle handle)
{
    return tjGetErrorCode(handle) == TJERR_WARNING;
}

// TurboJPEG pixel format that reads picture in place, or -1 when it must be converted first.
int Source_Pixel_Format(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB32: return Pixel_Format_Word_No_Alpha;
    case QImage::Format_ARGB32: return Pixel_Format_Word_No_Alpha;  // JPEG has no alpha
    case QImage::Format_RGB888: return TJPF_RGB;
    case QImage::Format_BGR888: return TJPF_BGR;
    case QImage::Format_RGBX8888: return TJPF_RGBX;
    case QImage::Format_RGBA8888: return TJPF_RGBX;
    default: return -1;
    }
}

struct Library_Buffer_Free {
    void operator()(unsigned char* buffer) const noexcept { tjFree(buffer); }
};

// The library's scales that do not enlarge, largest first.
const std::vector<tjscalingfactor>& Shrinking_Factors()
{
    static const std::vector<tjscalingfactor> factors = [] {
        int count = 0;
        const tjscalingfactor* all = tjGetScalingFactors(&count);
        std::vector<tjscalingfactor> kept;
        for (int i = 0; all && i < count; ++i)
            if (all[i].num <= all[i].denom)
                kept.push_back(all[i]);
        std::sort(kept.begin(), kept.end(),
                  [](const tjscalingfactor& a, const tjscalingfactor& b) { return a.num * b.denom > b.num * a.denom; });
        if (kept.empty())
            kept.push_back({1, 1});
        return kept;
    }();
    return factors;
}

}  // namespace

Jpeg_Scale Jpeg_Scale_For(int width, int height, const Jpeg_Decode_Size& target)
{
    const auto& factors = Shrinking_Factors();
    std::size_t pick = factors.size() - 1;
    // The largest scale under the pixel bound.
    for (std::size_t i = 0; i < factors.size(); ++i) {
        const std::int64_t w = TJSCALED(width, factors[i]);
        const std::int64_t h = TJSCALED(height, factors[i]);
        if (w * h <= target.Max_Pixels) {
            pick = i;
            break;
        }
    }
    // Then the smallest one, no larger, that still covers the size it will be shown at.
    if (target.Cover_Width > 0 || target.Cover_Height > 0) {
        for (std::size_t i = factors.size(); i-- > pick;) {
            if (TJSCALED(width, factors[i]) >= target.Cover_Width &&
                TJSCALED(height, factors[i]) >= target.Cover_Height) {
                pick = i;
                break;
            }
        }
    }
    return {factors[pick].num, factors[pick].denom};
}

QSize Jpeg_Scaled_Size(int width, int height, const Jpeg_Decode_Size& target)
{
    const Jpeg_Scale scale = Jpeg_Scale_For(width, height, target);
    const tjscalingfactor factor{scale.Num, scale.Denom};
    return {TJSCALED(width, factor), TJSCALED(height, factor)};
}

void Jpeg_Refuse_Unless_Allowed(int width, int height)
{
    if (!Jpeg_Size_Allowed(width, height))
        throw Jpeg_Error("JPEG decoder: picture of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels refused");
}

// ---------------------------------------------------------------------------------------------

Jpeg_Decoder::Jpeg_Decoder() : Handle(tjInitDecompress())
{
    if (Handle == nullptr)
        throw Jpeg_Error("JPEG decoder: " + Library_Message(nullptr));
}

Jpeg_Decoder::~Jpeg_Decoder()
{
    if (Handle != nullptr)
        tjDestroy(Handle);
}

QImage Jpeg_Decoder::Decode(const void* data, std::size_t size)
{
    return Decode(data, size, QImage());
}

QImage Jpeg_Decoder::Decode(const void* data, std::size_t size, QImage&& recycled)
{
    return Decode(data, size, std::move(recycled), Jpeg_Decode_Size{});
}

QImage Jpeg_Decoder::Decode(const void* data, std::size_t size, QImage&& recycled, const Jpeg_Decode_Size& target)
{
    if (data == nullptr || size == 0)
        throw Jpeg_Error("JPEG decoder: no data");
    if (size > std::numeric_limits<unsigned long>::max())
        throw Jpeg_Error("JPEG decoder: data too large");
    if (Handle == nullptr && (Handle = tjInitDecompress()) == nullptr)
        throw Jpeg_Error("JPEG decoder: " + Library_Message(nullptr));

    // NOTE: a handle that failed part-way through a header keeps a broken state and refuses the
    // next, valid picture; after any complaint from the library the handle is replaced.
    bool renew = false;
    try {
        QImage picture = Decode_With_Handle(static_cast<const unsigned char*>(data), static_cast<unsigned long>(size),
                                            std::move(recycled), target, renew);
        if (renew)
            Renew_Handle();
        return picture;
    } catch (...) {
        Renew_Handle();
        throw;
    }
}

QImage Jpeg_Decoder::Decode_With_Handle(const unsigned char* bytes, unsigned long length, QImage&& recycled,
                                        const Jpeg_Decode_Size& target, bool& renew)
{
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colour_space = 0;
    if (tjDecompressHeader3(Handle, bytes, length, &width, &height, &subsampling, &colour_space) != 0) {
        renew = true;
        // A header the library read with only a warning still counts when it gave a size.
        if (!Only_A_Warning(Handle) || width <= 0 || height <= 0)
            throw Jpeg_Error("JPEG decoder: " + Library_Message(Handle));
    }

    Jpeg_Refuse_Unless_Allowed(width, height);

    const QSize scaled = Jpeg_Scaled_Size(width, height, target);
    last_full_size_ = scaled == Jpeg_Scaled_Size(width, height, Jpeg_Decode_Size{});
    QImage picture = Reuse_Or_Make(std::move(recycled), scaled, QImage::Format_RGB32);
    if (picture.isNull())
        throw Jpeg_Error("JPEG decoder: no memory for the picture");

    // Decoded straight into the picture's own rows. Only the scan limit as a flag: otherwise
    // the accurate defaults; the limit refuses progressive files built to burn time with
    // thousands of scans.
    if (tjDecompress2(Handle, bytes, length, picture.bits(), scaled.width(), static_cast<int>(picture.bytesPerLine()),
                      scaled.height(), Pixel_Format_Word_Alpha, TJFLAG_LIMITSCANS) != 0) {
        renew = true;
        if (!Only_A_Warning(Handle))
            throw Jpeg_Error("JPEG decoder: " + Library_Message(Handle));
    }
    return picture;
}

void Jpeg_Decoder::Renew_Handle() noexcept
{
    if (Handle != nullptr)
        tjDestroy(Handle);
    Handle = tjInitDecompress();  // null on failure: the next Decode tries again
}

// ---------------------------------------------------------------------------------------------

Jpeg_Encoder::Jpeg_Encoder() : Handle(tjInitCompress())
{
    if (Handle == nullptr)
        throw Jpeg_Error("JPEG encoder: " + Library_Message(nullptr));
}

Jpeg_Encoder::~Jpeg_Encoder()
{
    if (Handle != nullptr)
        tjDestroy(Handle);
}

QByteArray Jpeg_Encoder::Encode(const QImage& picture, int quality)
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        throw Jpeg_Error("JPEG encoder: empty picture");
    if (quality < 1 || quality > 100)
        throw Jpeg_Error("JPEG encoder: quality " + std::to_string(quality) + " out of 1..100");
    if (Handle == nullptr && (Handle = tjInitCompress()) == nullptr)
        throw Jpeg_Error("JPEG encoder: " + Library_Message(nullptr));

    int pixel_format = Source_Pixel_Format(picture.format());
    QImage converted;
    const QImage* source = &picture;
    if (pixel_format < 0) {
        converted = picture.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull())
            throw Jpeg_Error("JPEG encoder: picture format not convertible");
        source = &converted;
        pixel_format = Pixel_Format_Word_No_Alpha;
    }

    unsigned char* output = nullptr;
    unsigned long output_size = 0;
    const int result =
        tjCompress2(Handle, source->constBits(), source->width(), static_cast<int>(source->bytesPerLine()),
                    source->height(), pixel_format, &output, &output_size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT);
    const std::unique_ptr<unsigned char, Library_Buffer_Free> owned(output);
    if (result != 0 || output == nullptr || output_size == 0) {
        const std::string message = "JPEG encoder: " + Library_Message(Handle);
        tjDestroy(Handle);  // a failed handle is not trusted with the next picture
        Handle = tjInitCompress();
        throw Jpeg_Error(message);
    }
    if (output_size > static_cast<unsigned long>(std::numeric_limits<qsizetype>::max()))
        throw Jpeg_Error("JPEG encoder: output too large");
    return QByteArray(reinterpret_cast<const char*>(output), static_cast<qsizetype>(output_size));
}

// ---------------------------------------------------------------------------------------------

QImage Jpeg_Decode(const void* data, std::size_t size)
{
    Jpeg_Decoder decoder;
    return decoder.Decode(data, size);
}

QByteArray Jpeg_Encode(const QImage& picture, int quality)
{
    Jpeg_Encoder encoder;
    return encoder.Encode(picture, quality);
}
