#include "platform/Folders.h"

#include <QDir>
#include <QStandardPaths>

#include <filesystem>

namespace {

std::string Without_Trailing_Slash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

std::string Home_Folder()
{
    return Without_Trailing_Slash(QDir::homePath().toStdString());
}

std::string Local_App_Data_Folder()
{
    const QString location = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (location.isEmpty())
        return Home_Folder() + "/.local/share";
    return Without_Trailing_Slash(location.toStdString());
}

std::string Data_Folder()
{
    return Local_App_Data_Folder() + "/_data_Tambrel/";
}

std::string Pictures_Folder()
{
    const QString location = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (location.isEmpty())
        return Home_Folder();
    return Without_Trailing_Slash(location.toStdString());
}

bool Create_Folders(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return Folder_Exists(path);
}

bool Folder_Exists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}
