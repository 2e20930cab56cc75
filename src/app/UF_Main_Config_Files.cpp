// Export and import of configuration files (.cfg): the same sections and keys as datas.ini.
#include "app/UF_Main.h"

#include "model/Cams_Ini.h"

#include <QComboBox>
#include <QFileDialog>

namespace {

// Folder part of a path, with its trailing separator; empty for a path without one.
std::string Folder_Of(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::optional<std::string> Run_Dialog(QWidget* owner, QFileDialog::AcceptMode mode, const QStringList& filters,
                                      const std::string& folder)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("cfg");
    dialog.setNameFilters(filters);
    if (!folder.empty())
        dialog.setDirectory(QString::fromStdString(folder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

void TF_Main::BTN_Save_ConfigClick(QObject* /*Sender*/)
{
    const auto dialog = SDG_Save_Config ? SDG_Save_Config : [this](const std::string& folder) {
        // Qt's save dialog asks before it overwrites an existing file.
        return Run_Dialog(this, QFileDialog::AcceptSave, {"(*.cfg)"}, folder);
    };
    const std::optional<std::string> chosen = dialog(Dir_Save_Load);
    if (chosen) {
        Save_Config_File_Name = *chosen;
        Commit();
        const std::size_t slash = chosen->find_last_of('/');
        const bool has_file_name = slash == std::string::npos ? !chosen->empty() : slash + 1 < chosen->size();
        if (has_file_name) {
            Write_Cams_Ini(*chosen, Cam);
            Write_General_Ini(*chosen);
        }
    }
    // Confirmed or not, the dialogs open next time where the last chosen file is (nowhere in particular
    // before any file was chosen in this run).
    Dir_Save_Load = Folder_Of(Save_Config_File_Name);
}

void TF_Main::BTN_Load_ConfigClick(QObject* /*Sender*/)
{
    const auto dialog = ODG_Load_Config ? ODG_Load_Config : [this](const std::string& folder) {
        return Run_Dialog(this, QFileDialog::AcceptOpen, {"(*.cfg)", "(*.*)"}, folder);
    };
    const std::optional<std::string> chosen = dialog(Dir_Save_Load);
    if (!chosen)
        return;
    // Camera 1 becomes the camera being set; edits not yet committed are dropped.
    CBX_N_Cam->setCurrentIndex(0);
    Read_Cams_Ini(*chosen, Cam);
    Load_Cam_Setting(1);
    Read_General_Ini(*chosen);
    Place_Cams();
    Refresh_Cams();
}
