#include "recording/Snapshot_Writer.h"

#include "imaging/Jpeg_Codec.h"
#include "recording/Snapshot_Caption.h"
#include "recording/Snapshot_Path.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// 96 dots per inch: the caption's 10 points are 13 1/3 pixels whatever resolution the camera's
// JPEG header announced.
constexpr int Work_Dots_Per_Meter = 3780;

}  // namespace

Snapshot_Writer::Snapshot_Writer() = default;
Snapshot_Writer::~Snapshot_Writer() = default;

void Snapshot_Writer::Copy_To_Work(const QImage& shown)
{
    if (shown.format() == QImage::Format_RGB32 && Work.format() == QImage::Format_RGB32 &&
        shown.size() == Work.size()) {
        // Same shape as the previous save of this pass: reuse the bitmap.
        const std::size_t row_bytes = static_cast<std::size_t>(shown.width()) * 4;
        for (int y = 0; y < shown.height(); ++y)
            std::memcpy(Work.scanLine(y), shown.constScanLine(y), row_bytes);
    } else {
        Work = shown.convertToFormat(QImage::Format_RGB32);
    }
    if (!Work.isNull()) {
        Work.setDotsPerMeterX(Work_Dots_Per_Meter);
        Work.setDotsPerMeterY(Work_Dots_Per_Meter);
    }
}

std::string Snapshot_Writer::Save(const QImage& shown, const std::string& alias, int slot, const Local_Date_Time& now,
                                  const std::string& dest_folder)
{
    // Everything that can fail without touching the disk comes first.
    if (!Is_Record_Folder(dest_folder))
        throw std::system_error(std::make_error_code(std::errc::invalid_argument),
                                "not a full destination folder path \"" + dest_folder + "\"");
    Copy_To_Work(shown);
    Draw_Caption(Work, alias, now);
    if (!Encoder)
        Encoder = std::make_unique<Jpeg_Encoder>();
    const QByteArray jpeg = Encoder->Encode(Work, Snapshot_Jpeg_Quality);

    const std::string folder = Snapshot_Folder(dest_folder, alias, now);
    if (folder.find('\0') != std::string::npos)
        throw std::system_error(std::make_error_code(std::errc::invalid_argument), "invalid folder name " + folder);
    std::filesystem::create_directories(folder);  // throws filesystem_error

    const std::string file_name = Snapshot_File_Name(now);
    std::string path = folder + "/" + file_name;
    const auto existing = Identity_Of(path);
    if (existing && std::find(Written.begin(), Written.end(), *existing) != Written.end())
        path = folder + "/" + Snapshot_File_Name_For_Slot(file_name, slot);

    Written.push_back(Write_File_Atomically(path, jpeg.constData(), static_cast<std::size_t>(jpeg.size())));
    return path;
}
