#pragma once
// Saves captioned snapshots during one refresh pass. Create one at the start of a pass and drop
// it at the end: it holds the pass's work bitmap, its JPEG encoder (made at the first save, so
// passes that save nothing pay nothing) and the files written so far in the pass.

#include "platform/Clock.h"
#include "recording/Atomic_File.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

class Jpeg_Encoder;

// Quality of recorded snapshots (baseline JPEG).
inline constexpr int Snapshot_Jpeg_Quality = 90;

class Snapshot_Writer {
public:
    Snapshot_Writer();
    ~Snapshot_Writer();
    Snapshot_Writer(const Snapshot_Writer&) = delete;
    Snapshot_Writer& operator=(const Snapshot_Writer&) = delete;

    // Copies shown (the picture the pass has just shown for slot) into the work bitmap, draws
    // the caption for alias and now, encodes it as baseline JPEG at quality 90 and writes it to
    //   Snapshot_Folder(dest_folder, alias, now) + "/" + Snapshot_File_Name(now)
    // creating missing folders with their parents, replacing a file of that name from an
    // earlier pass. When another slot already wrote that very file in this pass (aliases with
    // the same folder name), the name gets "_" + slot before ".jpg" instead. Returns the path
    // written.
    // Throws on failure, before touching the disk when dest_folder is no record folder
    // (std::system_error, see Is_Record_Folder) or the picture cannot be encoded (Jpeg_Error,
    // e.g. a null picture); std::system_error (std::filesystem::filesystem_error for the
    // folders) when a folder or the file cannot be made; no partial file is left under the
    // final name. The caller lets the error end its pass.
    std::string Save(const QImage& shown, const std::string& alias, int slot, const Local_Date_Time& now,
                     const std::string& dest_folder);

private:
    void Copy_To_Work(const QImage& shown);

    QImage Work;
    std::unique_ptr<Jpeg_Encoder> Encoder;
    std::vector<File_Identity> Written;  // files written in this pass
};
