#include "Imaging_Test_Pictures.h"
#include "imaging/Jpeg_Codec.h"
#include "imaging/Jpeg_Limits.h"
#include "imaging/Jpeg_Row_Decoder.h"

#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <turbojpeg.h>

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// ---- A minimal reader of JPEG marker segments (up to the first scan) --------------------------

struct Segment {
    unsigned char marker;
    int offset;  // of the segment's payload (after the two length bytes)
    int length;  // payload length
};

std::vector<Segment> Header_Segments(const QByteArray& jpeg)
{
    std::vector<Segment> segments;
    const auto byte = [&jpeg](int i) { return static_cast<unsigned char>(jpeg.at(i)); };
    int i = 2;  // after SOI
    while (i + 4 <= jpeg.size() && byte(i) == 0xFF) {
        const unsigned char marker = byte(i + 1);
        const int length = (byte(i + 2) << 8 | byte(i + 3)) - 2;
        segments.push_back({marker, i + 4, length});
        if (marker == 0xDA)
            break;
        i += 4 + length;
    }
    return segments;
}

std::optional<Segment> Find(const std::vector<Segment>& segments, unsigned char marker)
{
    for (const Segment& s : segments)
        if (s.marker == marker)
            return s;
    return std::nullopt;
}

// Offset just past the first scan header; the entropy-coded data starts there.
int Scan_Data_Start(const QByteArray& jpeg)
{
    const auto sos = Find(Header_Segments(jpeg), 0xDA);
    return sos ? sos->offset + sos->length : -1;
}

// The luminance quantisation table of the JPEG standard (natural order), and the zig-zag order
// in which a DQT segment lists its entries.
constexpr std::array<int, 64> Standard_Luminance = {
    16, 11,  10,  16, 24, 40, 51, 61, 12,  12,  14,  19,  26, 58, 60, 55,  14,  13,  16,  24, 40, 57,
    69, 56,  14,  17, 22, 29, 51, 87, 80,  62,  18,  22,  37, 56, 68, 109, 103, 77,  24,  35, 55, 64,
    81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98,  112, 100, 103, 99};
constexpr std::array<int, 64> Zig_Zag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                         12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                         35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                         58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Standard scaling of a quantisation table for a quality 1..100, limited to baseline's 1..255.
std::array<int, 64> Luminance_Table_For(int quality)
{
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::array<int, 64> zig_zag_table{};
    for (int k = 0; k < 64; ++k) {
        const int value = (Standard_Luminance[Zig_Zag[k]] * scale + 50) / 100;
        zig_zag_table[k] = value < 1 ? 1 : (value > 255 ? 255 : value);
    }
    return zig_zag_table;
}

// Luminance table (id 0) as written in the file.
std::array<int, 64> Written_Luminance_Table(const QByteArray& jpeg)
{
    std::array<int, 64> table{};
    for (const Segment& s : Header_Segments(jpeg)) {
        if (s.marker != 0xDB)
            continue;
        int i = s.offset;
        while (i < s.offset + s.length) {
            const int precision_and_id = static_cast<unsigned char>(jpeg.at(i));
            const bool sixteen_bit = (precision_and_id >> 4) != 0;
            if ((precision_and_id & 0x0F) == 0 && !sixteen_bit) {
                for (int k = 0; k < 64; ++k)
                    table[k] = static_cast<unsigned char>(jpeg.at(i + 1 + k));
                return table;
            }
            i += 1 + 64 * (sixteen_bit ? 2 : 1);
        }
    }
    ADD_FAILURE() << "no 8-bit luminance table";
    return table;
}

QByteArray Encode_Scene(int width, int height, int quality = 90)
{
    return Jpeg_Encode(Scene_Picture(width, height), quality);
}

QImage Decode(const QByteArray& bytes)
{
    return Jpeg_Decode(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// ---- Encoding ------------------------------------------------------------------------------------

struct Format_Row {
    std::string name;
    QImage::Format format;
    double max_difference;  // mean per channel after the round trip
};

class Round_Trip_Test : public ::testing::TestWithParam<Format_Row> {};

TEST_P(Round_Trip_Test, KeepsSizeAndColours)
{
    const QImage source = Scene_Picture(160, 120, 1, 0).convertToFormat(GetParam().format);
    const QByteArray jpeg = Jpeg_Encode(source);
    const QImage decoded = Decode(jpeg);

    ASSERT_EQ(decoded.size(), source.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_LT(Mean_Channel_Difference(decoded, source), GetParam().max_difference);

    // The saturated blocks keep their hue (a swapped byte order would turn red into blue).
    const QRgb red = decoded.pixel(60, 45);
    EXPECT_GT(qRed(red), 200);
    EXPECT_LT(qBlue(red), 60);
    const QRgb blue = decoded.pixel(60, 75);
    EXPECT_GT(qBlue(blue), 200);
    EXPECT_LT(qRed(blue), 60);
}

INSTANTIATE_TEST_SUITE_P(Formats, Round_Trip_Test,
                         ::testing::Values(Format_Row{"Rgb32", QImage::Format_RGB32, 2.5},
                                           Format_Row{"Argb32", QImage::Format_ARGB32, 2.5},
                                           Format_Row{"Rgb888", QImage::Format_RGB888, 2.5},
                                           Format_Row{"Bgr888", QImage::Format_BGR888, 2.5},
                                           Format_Row{"Rgbx8888", QImage::Format_RGBX8888, 2.5},
                                           Format_Row{"Rgba8888", QImage::Format_RGBA8888, 2.5},
                                           Format_Row{"Argb32_Premultiplied", QImage::Format_ARGB32_Premultiplied, 2.5},
                                           Format_Row{"Rgb16", QImage::Format_RGB16, 4}),
                         [](const auto& row) { return row.param.name; });

TEST(Jpeg_Encode, BaselineFourTwoZero)
{
    const QByteArray jpeg = Jpeg_Encode(Scene_Picture(64, 48));
    ASSERT_GE(jpeg.size(), 4);
    EXPECT_EQ(static_cast<unsigned char>(jpeg.at(0)), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(jpeg.at(1)), 0xD8);

    const std::vector<Segment> segments = Header_Segments(jpeg);
    for (const Segment& s : segments)
        if (s.marker >= 0xC1 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 && s.marker != 0xCC)
            ADD_FAILURE() << "frame marker 0xFF" << std::hex << int(s.marker) << " is not baseline";
    const auto frame = Find(segments, 0xC0);
    ASSERT_TRUE(frame.has_value());

    // SOF0: precision, height, width, component count, then id / sampling / table per component.
    const auto at = [&jpeg](int i) { return static_cast<unsigned char>(jpeg.at(i)); };
    const int o = frame->offset;
    EXPECT_EQ(at(o), 8);
    EXPECT_EQ(at(o + 1) << 8 | at(o + 2), 48);
    EXPECT_EQ(at(o + 3) << 8 | at(o + 4), 64);
    ASSERT_EQ(at(o + 5), 3);
    EXPECT_EQ(at(o + 7), 0x22) << "luma 2x2";
    EXPECT_EQ(at(o + 10), 0x11) << "Cb 1x1";
    EXPECT_EQ(at(o + 13), 0x11) << "Cr 1x1";

    // And the library agrees when it reads the file back.
    tjhandle handle = tjInitDecompress();
    int width = 0, height = 0, subsampling = -1, colour_space = -1;
    ASSERT_EQ(tjDecompressHeader3(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                                  static_cast<unsigned long>(jpeg.size()), &width, &height, &subsampling,
                                  &colour_space),
              0);
    tjDestroy(handle);
    EXPECT_EQ(subsampling, TJSAMP_420);
    EXPECT_EQ(colour_space, TJCS_YCbCr);
}

TEST(Jpeg_Encode, DefaultQualityIs90)
{
    const QImage picture = Scene_Picture(64, 48);
    EXPECT_EQ(Written_Luminance_Table(Jpeg_Encode(picture)), Luminance_Table_For(90));
    Jpeg_Encoder encoder;
    EXPECT_EQ(Written_Luminance_Table(encoder.Encode(picture)), Luminance_Table_For(90));
}

TEST(Jpeg_Encode, QualityScalesTheStandardTable)
{
    Jpeg_Encoder encoder;  // one encoder, many pictures
    for (int quality : {1, 25, 50, 75, 90, 100}) {
        SCOPED_TRACE(quality);
        EXPECT_EQ(Written_Luminance_Table(encoder.Encode(Scene_Picture(32, 32), quality)),
                  Luminance_Table_For(quality));
    }
}

TEST(Jpeg_Encode, RefusesEmptyPictureAndBadQuality)
{
    Jpeg_Encoder encoder;
    EXPECT_THROW(encoder.Encode(QImage()), Jpeg_Error);
    EXPECT_THROW(encoder.Encode(QImage(0, 10, QImage::Format_RGB32)), Jpeg_Error);
    EXPECT_THROW(encoder.Encode(Scene_Picture(8, 8), 0), Jpeg_Error);
    EXPECT_THROW(encoder.Encode(Scene_Picture(8, 8), 101), Jpeg_Error);
    EXPECT_THROW(Jpeg_Encode(QImage()), Jpeg_Error);
    EXPECT_FALSE(encoder.Encode(Scene_Picture(8, 8)).isEmpty()) << "usable after refusals";
}

// ---- Decoding ------------------------------------------------------------------------------------

TEST(Jpeg_Decode, Rgb32WithOpaqueUnusedByte)
{
    const QImage decoded = Decode(Encode_Scene(64, 48));
    ASSERT_EQ(decoded.format(), QImage::Format_RGB32);
    for (int y = 0; y < decoded.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(decoded.constScanLine(y));
        for (int x = 0; x < decoded.width(); ++x)
            ASSERT_EQ(qAlpha(line[x]), 255) << x << "," << y;
    }
}

// Compresses picture with the library directly, for files our encoder does not write.
QByteArray Library_Compress(const QImage& picture, int pixel_format, int subsampling, int flags)
{
    tjhandle handle = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    EXPECT_EQ(tjCompress2(handle, picture.constBits(), picture.width(), static_cast<int>(picture.bytesPerLine()),
                          picture.height(), pixel_format, &buffer, &size, subsampling, 90, flags),
              0);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    tjFree(buffer);
    tjDestroy(handle);
    return bytes;
}

TEST(Jpeg_Decode, ProgressiveAndGreyFilesDecode)
{
    const QImage scene = Scene_Picture(64, 48, 1, 0);
    const QImage rgb = scene.convertToFormat(QImage::Format_RGB888);
    const QImage grey = scene.convertToFormat(QImage::Format_Grayscale8);
    Jpeg_Decoder decoder;

    const QByteArray progressive = Library_Compress(rgb, TJPF_RGB, TJSAMP_420, TJFLAG_PROGRESSIVE);
    const QImage from_progressive =
        decoder.Decode(progressive.constData(), static_cast<std::size_t>(progressive.size()));
    ASSERT_EQ(from_progressive.size(), scene.size());
    EXPECT_LT(Mean_Channel_Difference(from_progressive, scene), 5);

    const QByteArray grey_jpeg = Library_Compress(grey, TJPF_GRAY, TJSAMP_GRAY, 0);
    const QImage from_grey = decoder.Decode(grey_jpeg.constData(), static_cast<std::size_t>(grey_jpeg.size()));
    ASSERT_EQ(from_grey.size(), scene.size());
    EXPECT_EQ(from_grey.format(), QImage::Format_RGB32);
    EXPECT_LT(Mean_Channel_Difference(from_grey, grey), 2);
}

QByteArray With_Frame_Size(QByteArray jpeg, int width, int height)
{
    const auto frame = Find(Header_Segments(jpeg), 0xC0);
    if (!frame)
        return {};
    jpeg[frame->offset + 1] = static_cast<char>(height >> 8);
    jpeg[frame->offset + 2] = static_cast<char>(height & 0xFF);
    jpeg[frame->offset + 3] = static_cast<char>(width >> 8);
    jpeg[frame->offset + 4] = static_cast<char>(width & 0xFF);
    return jpeg;
}

QByteArray Random_Bytes(int count, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

struct Refused_Row {
    std::string name;
    QByteArray bytes;
};

class Refused_Input_Test : public ::testing::TestWithParam<Refused_Row> {};

TEST_P(Refused_Input_Test, ThrowsJpegError)
{
    const QByteArray& bytes = GetParam().bytes;
    Jpeg_Decoder decoder;
    EXPECT_THROW(decoder.Decode(bytes.constData(), static_cast<std::size_t>(bytes.size())), Jpeg_Error);
    Jpeg_Row_Decoder rows;
    EXPECT_THROW(rows.Decode(
                     bytes.constData(), static_cast<std::size_t>(bytes.size()), [](QSize) {},
                     [](int, int, const unsigned char*, std::ptrdiff_t) {}),
                 Jpeg_Error);
    // The same decoder still decodes a good picture afterwards.
    const QByteArray good = Encode_Scene(32, 24);
    EXPECT_EQ(decoder.Decode(good.constData(), static_cast<std::size_t>(good.size())).size(), QSize(32, 24));
}

const QByteArray Small_Jpeg = Encode_Scene(64, 48);

INSTANTIATE_TEST_SUITE_P(
    Inputs, Refused_Input_Test,
    ::testing::Values(Refused_Row{"Empty", QByteArray()},
                      Refused_Row{"Html_Page", QByteArray("<html><body><h1>401 Unauthorized</h1></body></html>\r\n")},
                      Refused_Row{"Start_Of_Image_Only", Small_Jpeg.left(2)},
                      Refused_Row{"Header_Cut_In_Tables", Small_Jpeg.left(40)},
                      Refused_Row{"Header_Cut_Before_Scan", Small_Jpeg.left(Scan_Data_Start(Small_Jpeg) - 20)},
                      Refused_Row{"Random_Bytes", Random_Bytes(4096, 7)},
                      Refused_Row{"Start_Of_Image_Then_Random", QByteArray("\xFF\xD8", 2) + Random_Bytes(4096, 8)},
                      Refused_Row{"Cmyk_Colour_Space",
                                  Library_Compress(Scene_Picture(16, 16), TJPF_CMYK, TJSAMP_444, 0)},
                      Refused_Row{"Png_Signature", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
                      Refused_Row{"Announces_20000_By_20000", With_Frame_Size(Small_Jpeg, 20000, 20000)},
                      Refused_Row{"Announces_Side_Above_16384", With_Frame_Size(Small_Jpeg, 16385, 16)},
                      Refused_Row{"Announces_Above_64_Megapixels", With_Frame_Size(Small_Jpeg, 8001, 8000)},
                      Refused_Row{"Announces_Zero_Height", With_Frame_Size(Small_Jpeg, 64, 0)}),
    [](const auto& row) { return row.param.name; });

TEST(Jpeg_Decode, NullDataRefused)
{
    EXPECT_THROW(Jpeg_Decode(nullptr, 100), Jpeg_Error);
}

struct Size_Row {
    std::string name;
    int width;
    int height;
    bool allowed;
};

class Size_Limit_Test : public ::testing::TestWithParam<Size_Row> {};

TEST_P(Size_Limit_Test, Allowed)
{
    EXPECT_EQ(Jpeg_Size_Allowed(GetParam().width, GetParam().height), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Size_Limit_Test,
                         ::testing::Values(Size_Row{"Camera", 640, 480, true},
                                           Size_Row{"Widest_Allowed", 16384, 3906, true},
                                           Size_Row{"Square_At_64_Megapixels", 8000, 8000, true},
                                           Size_Row{"One_Row_Above_64_Megapixels", 8000, 8001, false},
                                           Size_Row{"Side_Above_Limit", 16385, 1, false},
                                           Size_Row{"Height_Above_Limit", 1, 16385, false},
                                           Size_Row{"Largest_Header", 65535, 65535, false},
                                           Size_Row{"Zero", 0, 480, false}, Size_Row{"Negative", 640, -1, false}),
                         [](const auto& row) { return row.param.name; });

TEST(Jpeg_Decode, ScanCutInTheMiddleStillGivesThePicture)
{
    const QByteArray full = Encode_Scene(640, 480);
    const int scan_start = Scan_Data_Start(full);
    ASSERT_GT(scan_start, 0);
    const QByteArray cut = full.left(scan_start + (full.size() - scan_start) / 2);

    const QImage whole = Decode(full);
    const QImage partial = Decode(cut);
    ASSERT_EQ(partial.size(), QSize(640, 480));
    // The top of the picture, decoded before the data ran out, is the same as in the whole file.
    EXPECT_EQ(partial.copy(0, 0, 640, 64), whole.copy(0, 0, 640, 64));
}

TEST(Jpeg_Decode, EveryPrefixIsRefusedOrFullSize)
{
    // A camera's answer can stop anywhere: each prefix must either be refused or decode to the
    // announced size, never crash or give anything else.
    const QByteArray jpeg = Encode_Scene(48, 32);
    Jpeg_Decoder decoder;
    int decoded = 0;
    for (int length = 1; length <= jpeg.size(); ++length) {
        try {
            const QImage picture = decoder.Decode(jpeg.constData(), static_cast<std::size_t>(length));
            ASSERT_EQ(picture.size(), QSize(48, 32)) << "prefix " << length;
            ++decoded;
        } catch (const Jpeg_Error&) {
            ASSERT_LE(length, Scan_Data_Start(jpeg)) << "prefix " << length << " refused";
        }
    }
    EXPECT_GT(decoded, jpeg.size() - Scan_Data_Start(jpeg) - 1);
}

TEST(Jpeg_Decode, DamagedBytesAreRefusedOrDecoded)
{
    const QByteArray jpeg = Encode_Scene(64, 48);
    std::mt19937 generator(11);
    Jpeg_Decoder decoder;
    for (int round = 0; round < 400; ++round) {
        QByteArray damaged = jpeg;
        const int flips = 1 + static_cast<int>(generator() % 8);
        for (int f = 0; f < flips; ++f)
            damaged[static_cast<qsizetype>(generator() % static_cast<unsigned>(damaged.size()))] =
                static_cast<char>(generator() & 0xFF);
        try {
            const QImage picture = decoder.Decode(damaged.constData(), static_cast<std::size_t>(damaged.size()));
            ASSERT_FALSE(picture.isNull());
            ASSERT_TRUE(Jpeg_Size_Allowed(picture.width(), picture.height()));
        } catch (const Jpeg_Error&) {
        }
    }
}

}  // namespace

// A camera's pictures reuse a buffer nobody else holds, and only such a buffer.
TEST(Jpeg_Decode, RecyclesOnlyAPictureNobodyElseHolds)
{
    const QByteArray first = Jpeg_Encode(Scene_Picture(64, 48, 1), 90);
    const QByteArray second = Jpeg_Encode(Scene_Picture(64, 48, 2), 90);
    Jpeg_Decoder decoder;

    QImage old = decoder.Decode(first.constData(), static_cast<std::size_t>(first.size()));
    const uchar* buffer = old.constBits();
    const qint64 old_key = old.cacheKey();
    QImage reused = decoder.Decode(second.constData(), static_cast<std::size_t>(second.size()), std::move(old));
    EXPECT_EQ(reused.constBits(), buffer);
    // New pixels under a new cache key, so a picture box shows them.
    EXPECT_NE(reused.cacheKey(), old_key);
    EXPECT_EQ(reused, Jpeg_Decode(second.constData(), static_cast<std::size_t>(second.size())));

    // Still shown somewhere: never overwritten.
    const QImage shown = reused;
    QImage next = decoder.Decode(first.constData(), static_cast<std::size_t>(first.size()), QImage(reused));
    EXPECT_NE(next.constBits(), shown.constBits());
    EXPECT_EQ(shown, Jpeg_Decode(second.constData(), static_cast<std::size_t>(second.size())));

    // Another size: a new picture of the right size.
    const QByteArray bigger = Jpeg_Encode(Scene_Picture(80, 60, 3), 90);
    QImage resized = decoder.Decode(bigger.constData(), static_cast<std::size_t>(bigger.size()), std::move(next));
    EXPECT_EQ(resized.size(), QSize(80, 60));
}

// The scale a picture is decoded at: the smallest that covers where it is shown, never above the
// pixel bound, never enlarged.
TEST(Jpeg_Scaled_Size, PicksTheLibrarysScale)
{
    struct Row {
        const char* name;
        int width, height;
        Jpeg_Decode_Size target;
        QSize expected;
    };
    const Row rows[] = {
        {"full_size_by_default", 1920, 1080, {}, {1920, 1080}},
        {"panel_of_a_quarter", 1920, 1080, {320, 240, Jpeg_Max_Decoded_Pixels}, {480, 270}},
        {"panel_of_an_eighth", 1920, 1080, {160, 120, Jpeg_Max_Decoded_Pixels}, {240, 135}},
        {"covers_the_taller_side", 640, 480, {160, 200, Jpeg_Max_Decoded_Pixels}, {320, 240}},
        {"panel_larger_than_the_picture_keeps_full_size", 640, 480, {800, 600, Jpeg_Max_Decoded_Pixels}, {640, 480}},
        {"odd_sizes_round_up", 1001, 751, {125, 93, Jpeg_Max_Decoded_Pixels}, {126, 94}},
        {"largest_accepted_picture_under_the_bound", 8000, 8000, {}, {3000, 3000}},
        {"bound_wins_over_cover", 8000, 8000, {7000, 7000, Jpeg_Max_Decoded_Pixels}, {3000, 3000}},
        {"a_twelve_megapixel_camera_stays_whole", 4000, 3000, {}, {4000, 3000}},
        {"tiny_bound_gives_the_smallest_scale", 800, 800, {0, 0, 10}, {100, 100}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Jpeg_Scaled_Size(row.width, row.height, row.target), row.expected) << row.name;
}

TEST(Jpeg_Decode, DecodesAtTheScaleAskedForInEveryLayout)
{
    for (int subsampling : {TJSAMP_444, TJSAMP_420, TJSAMP_GRAY}) {
        SCOPED_TRACE(subsampling);
        const QImage scene = Scene_Picture(640, 480, 4);
        tjhandle handle = tjInitCompress();
        unsigned char* bytes = nullptr;
        unsigned long size = 0;
        ASSERT_EQ(tjCompress2(handle, scene.constBits(), 640, static_cast<int>(scene.bytesPerLine()), 480, TJPF_BGRX,
                              &bytes, &size, subsampling, 90, 0),
                  0);
        Jpeg_Decoder decoder;
        const QImage quarter = decoder.Decode(bytes, size, QImage(), {160, 120, Jpeg_Max_Decoded_Pixels});
        const QImage bounded = decoder.Decode(bytes, size, QImage(), {0, 0, 100'000});
        tjFree(bytes);
        tjDestroy(handle);
        EXPECT_EQ(quarter.size(), QSize(160, 120));
        EXPECT_EQ(bounded.size(), QSize(320, 240));
        EXPECT_EQ(quarter.format(), QImage::Format_RGB32);
        // Smaller, but the same scene: the middle pixel keeps its colour within JPEG's error.
        const QRgb a = quarter.pixel(80, 60);
        const QRgb b = scene.pixel(320, 240);
        if (subsampling != TJSAMP_GRAY) {
            EXPECT_NEAR(qRed(a), qRed(b), 40);
            EXPECT_NEAR(qBlue(a), qBlue(b), 40);
        }
    }
}

// Decoded a band of rows at a time, a picture gives the very pixels of a whole decode (the motion level and
// the shown picture of a measured camera come from these rows), in every layout a camera sends.
TEST(Jpeg_Row_Decoder, GivesTheRowsOfAWholeDecode)
{
    const QImage scene = Scene_Picture(641, 479, 5);
    const QByteArray files[] = {
        Library_Compress(scene, TJPF_BGRX, TJSAMP_444, 0),
        Library_Compress(scene, TJPF_BGRX, TJSAMP_420, 0),
        Library_Compress(scene, TJPF_BGRX, TJSAMP_422, TJFLAG_PROGRESSIVE),
        Library_Compress(scene.convertToFormat(QImage::Format_Grayscale8), TJPF_GRAY, TJSAMP_GRAY, 0),
    };
    Jpeg_Row_Decoder decoder;
    for (const QByteArray& file : files) {
        const auto size = static_cast<std::size_t>(file.size());
        const QImage whole = Jpeg_Decode(file.constData(), size);
        QImage rows;
        int next = 0;
        decoder.Decode(
            file.constData(), size, [&](QSize shown) { rows = QImage(shown, QImage::Format_RGB32); },
            [&](int first, int count, const unsigned char* band, std::ptrdiff_t stride) {
                EXPECT_EQ(first, next);
                next = first + count;
                for (int r = 0; r < count; ++r)
                    std::memcpy(rows.scanLine(first + r), band + r * stride,
                                static_cast<std::size_t>(rows.width()) * 4);
            });
        EXPECT_EQ(next, whole.height());
        EXPECT_EQ(rows, whole);
    }
}
