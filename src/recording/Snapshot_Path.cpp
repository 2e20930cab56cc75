#include "recording/Snapshot_Path.h"

#include "recording/Snapshot_Texts.h"
#include "util/U_Lib_Util_Vesk.h"

namespace {

const std::string Jpeg_Extension = ".jpg";

}  // namespace

std::string Camera_Folder_Name(const std::string& alias)
{
    std::string name = Clean_File_Name(alias);
    // Clean_File_Name removes every separator, so these two are the only names that leave
    // the destination folder.
    if (name == "." || name == "..")
        name.clear();
    return name;
}

bool Is_Record_Folder(const std::string& dest_folder)
{
    return !dest_folder.empty() && dest_folder.front() == '/';
}

std::string Not_Recorded_Note(const std::string& dest_folder)
{
    return "NOT RECORDED! DESTINATION FOLDER IS NOT A FULL PATH! | Folder : \"" + dest_folder + "\"";
}

std::string Day_Folder_Name(const Local_Date_Time& now)
{
    return Zero_Padded(now.Year, 4) + "_" + Zero_Padded(now.Month, 2) + "_" + Zero_Padded(now.Day, 2);
}

std::string Snapshot_Folder(const std::string& dest_folder, const std::string& alias, const Local_Date_Time& now)
{
    return dest_folder + "/" + Camera_Folder_Name(alias) + "/" + Day_Folder_Name(now);
}

std::string Snapshot_File_Name(const Local_Date_Time& now)
{
    return "IMG_" + Zero_Padded(now.Hour, 2) + "_" + Zero_Padded(now.Minute, 2) + "_" + Zero_Padded(now.Second, 2) +
           "__" + Zero_Padded(now.Millisecond, 3) + Jpeg_Extension;
}

std::string Snapshot_File_Name_For_Slot(const std::string& file_name, int slot)
{
    const std::string suffix = "_" + Int_To_Text(slot);
    const bool has_extension =
        file_name.size() >= Jpeg_Extension.size() &&
        file_name.compare(file_name.size() - Jpeg_Extension.size(), Jpeg_Extension.size(), Jpeg_Extension) == 0;
    if (!has_extension)
        return file_name + suffix;
    return file_name.substr(0, file_name.size() - Jpeg_Extension.size()) + suffix + Jpeg_Extension;
}
