#include "Main_Window_Fixture.h"
#include "model/Cams_Ini.h"
#include "views/Camera_Grid.h"
#include "views/Log_Panel.h"
#include "widgets/Folder_Edit.h"
#include "widgets/Integer_Edit.h"

#include "control/Ptz_Panel.h"
#include "platform/Private_Profile.h"
#include "views/Settings_Panel.h"
#include "widgets/Text_Edit.h"
#include <QTimer>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>

#include <filesystem>
#include <regex>

namespace {

std::vector<std::string> Sections(const std::string& content)
{
    std::vector<std::string> names;
    const std::regex section(R"(^\[([^\]]*)\]$)", std::regex::multiline);
    for (auto it = std::sregex_iterator(content.begin(), content.end(), section); it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1]);
    return names;
}

const std::vector<std::string> General_Sections = {
    "general",         "PNL_Visue_Expert", "PNL_Ptz", "F_Full_Screen.PNL_Ptz", "F_Full_Screen.PNL_E_Fct",
    "snapshot_record", "Save_Load"};

std::vector<std::string> Cam_Sections()
{
    std::vector<std::string> names;
    for (int slot = 1; slot <= 9; ++slot)
        names.push_back("CAM" + std::to_string(slot));
    return names;
}

template <typename T>
std::vector<T> Join(std::vector<T> a, const std::vector<T>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(Main_Window_Test, AFirstStartWritesTheGeneralSectionsThenTheCameras)
{
    Main_Window_Probe& w = Start();
    EXPECT_EQ(Sections(Read_File(Datas_Ini())), Join(General_Sections, Cam_Sections()));
    // The defaults of a fresh start.
    EXPECT_EQ(w.Nb_Cam, 1);
    EXPECT_EQ(w.Cam_To_Set(), 1);
    EXPECT_EQ(w.CBX_Size_Pnl->currentText(), "320*240");
    EXPECT_EQ(w.CBX_Frame_Rate->currentText(), "1 fps");
    EXPECT_EQ(w.Frequence_Rec, 5);
    EXPECT_EQ(w.Delay_Stop_Rec, 60);
    EXPECT_EQ(w.PNL_Visue_Expert->geometry(), QRect(0, 0, 600, 300));
    EXPECT_EQ(w.PNL_Ptz->pos(), QPoint(0, 0));
    EXPECT_EQ(Get_Private_Profile_String(Datas_Ini(), "Save_Load", "Dir_Save_Load", "?"), w.Dir_Save_Load);
    EXPECT_FALSE(w.Dir_Save_Load.empty());
    EXPECT_EQ(w.PNL_Config->DED_Dest_Folder->Path().toStdString(),
              Get_Private_Profile_String(Datas_Ini(), "snapshot_record", "DED_Dest_Folder", "?"));
}

TEST_F(Main_Window_Test, AStoredPanelSizePastTheLastIsTakenAsTheLast)
{
    Start();
    window_.reset();
    Write_Private_Profile_String(Datas_Ini(), "general", "CBX_Size_Pnl", "7");
    Main_Window_Probe& w = Start();
    EXPECT_EQ(w.CBX_Size_Pnl->currentIndex(), 3);
    EXPECT_EQ(w.Grid().Pnl_Width(), 640);
}

TEST_F(Main_Window_Test, StoredIntervalsOfZeroOrLessBecomeOne)
{
    Start();
    window_.reset();
    Write_Private_Profile_String(Datas_Ini(), "snapshot_record", "EDT_Frequence_Rec", "0");
    Write_Private_Profile_String(Datas_Ini(), "snapshot_record", "EDT_Delay_Stop_Rec", "-4");
    Main_Window_Probe& w = Start();
    EXPECT_EQ(w.Frequence_Rec, 1);
    EXPECT_EQ(w.Delay_Stop_Rec, 1);
    EXPECT_EQ(w.PNL_Config->EDT_Frequence_Rec->text(), "1");
}

TEST_F(Main_Window_Test, TextsThatAreNotUtf8ComeBackByteForByteAfterAClose)
{
    // Written on Windows: "é" is the single byte E9.
    std::filesystem::create_directories(Data_Dir());
    Write_File(Datas_Ini(), "[snapshot_record]\nDED_Dest_Folder=/home/u/Vid\xE9os\n[CAM1]\nAlias=Entr\xE9"
                            "e\nPassword=caf\xE9\n");
    Main_Window_Probe& w = Start();
    EXPECT_EQ(w.PNL_Config->DED_Dest_Folder->Path(), QString::fromUtf8("/home/u/Vid\xC3\xA9os"));
    Close_And_Destroy();
    const std::string datas = Read_File(Datas_Ini());
    for (const char* line : {"DED_Dest_Folder=/home/u/Vid\xE9os\n",
                             "Alias=Entr\xE9"
                             "e\n",
                             "Password=caf\xE9\n"})
        EXPECT_NE(datas.find(line), std::string::npos) << line;
}

TEST_F(Main_Window_Test, ADataFolderThatCannotBeMadeGivesZeroValuesWithoutACrash)
{
    // $XDG_DATA_HOME below a plain file: the data folder can never be created.
    Write_File(home_.File("plain"), "x");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.File("plain") + "/below"));
    Main_Window_Probe& w = Start();
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_FALSE(w.Cam[slot].Valide);
        EXPECT_EQ(w.Cam[slot].Alias, "");
        EXPECT_EQ(w.Cam[slot].Port, 0);
        EXPECT_EQ(w.Cam[slot].K_Detect, 0);
    }
    EXPECT_EQ(w.Nb_Cam, 1);
    EXPECT_EQ(w.CBX_Size_Pnl->currentText(), "80*60");
    EXPECT_EQ(w.CBX_Frame_Rate->currentText(), "20 fps");
    EXPECT_EQ(w.Frequence_Rec, 1);
    EXPECT_EQ(w.Delay_Stop_Rec, 1);
    Close_And_Destroy();
}

// Export and import: what the user entered survives the round trip.
class Config_File_Test : public Main_Window_Test {
protected:
    void Export_To(const std::string& path)
    {
        Probe().SDG_Save_Config = [path](const std::string&) { return std::optional<std::string>(path); };
        Probe().BTN_Save_ConfigClick();
    }
    void Import_From(const std::string& path)
    {
        Probe().ODG_Load_Config = [path](const std::string&) { return std::optional<std::string>(path); };
        Probe().BTN_Load_ConfigClick();
    }
    void Cancel_Export()
    {
        Probe().SDG_Save_Config = [](const std::string&) { return std::optional<std::string>(); };
        Probe().BTN_Save_ConfigClick();
    }
};

TEST_F(Config_File_Test, ExportThenImportRestoresEverySetting)
{
    Main_Window_Probe& w = Start();
    w.TMR_Refresh_Cam->stop();
    w.CBX_Nb_Cam->setCurrentIndex(2);
    w.CBX_Frame_Rate->setCurrentIndex(4);
    w.CBX_N_Cam->setCurrentIndex(1);
    Settings_Panel& p = *w.PNL_Config;
    p.EDT_Alias->setText("Porch");
    p.EDT_Adresse_Ip->setText("127.0.0.1");
    p.EDT_Port->setText("8081");
    p.EDT_Login->setText("viewer");
    p.EDT_Password->setText("a&b c#d");
    p.RBT_Rec_2->click();
    p.EDT_K_Detect->setText("35");
    p.CKB_Use_URL->setChecked(true);
    p.EDT_Url->setText("http://127.0.0.1:9/x.jpg");
    w.Camera_Edit_Left();
    p.EDT_Frequence_Rec->setText("7");
    w.EDT_Frequence_RecExit();
    const T_Cams exported = w.Cam;
    const std::string file = home_.File("setup.cfg");
    Export_To(file);
    EXPECT_EQ(Sections(Read_File(file)), Join(Cam_Sections(), General_Sections));

    // Everything changed, then the file imported.
    w.Cam[2].Alias = "Other";
    w.Cam[5].Port = 1;
    w.CBX_Nb_Cam->setCurrentIndex(0);
    w.CBX_Frame_Rate->setCurrentIndex(9);
    Import_From(file);
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_EQ(w.Cam[slot], exported[slot]) << slot;
    EXPECT_EQ(w.Cam[2].Password, "a&b c#d");
    EXPECT_EQ(w.Nb_Cam, 3);
    EXPECT_EQ(w.CBX_Frame_Rate->currentIndex(), 4);
    EXPECT_EQ(w.Cam_To_Set(), 2);
    EXPECT_EQ(p.EDT_Alias->text(), "Porch");
    EXPECT_EQ(w.Frequence_Rec, 7);
    // Dir_Save_Load is what the imported file holds (written before the export dialog changed it).
    EXPECT_EQ(w.Dir_Save_Load, QDir::homePath().toStdString() + "/");
}

TEST_F(Config_File_Test, ExportingOverAnotherProgramsIniKeepsItsOtherSections)
{
    Start();
    const std::string file = home_.File("other.ini");
    Write_File(file, "; settings of another program\n[window]\nwidth=10\n[CAM1]\ncolour=red\n");
    Export_To(file);
    const std::string content = Read_File(file);
    EXPECT_EQ(content.rfind("; settings of another program\n[window]\nwidth=10\n[CAM1]\ncolour=red\nValide=1\n", 0),
              0u);
    EXPECT_EQ(Get_Private_Profile_String(file, "CAM9", "Alias", ""), "CAM9");
}

TEST_F(Config_File_Test, ImportingAFileWithoutACameraGivesItTheDefaultsAndCompletesTheFile)
{
    Main_Window_Probe& w = Start();
    w.Cam[5].Alias = "Kept?";
    const std::string file = home_.File("partial.cfg");
    Write_File(file, "[CAM1]\nAlias=Front\n[general]\nCBX_Nb_Cam=4\n");
    Import_From(file);
    EXPECT_EQ(w.Cam[1].Alias, "Front");
    EXPECT_EQ(w.Cam[5], Default_Cam(5));
    EXPECT_EQ(w.Nb_Cam, 5);
    EXPECT_EQ(Get_Private_Profile_String(file, "CAM5", "Timer_Off", ""), "0.999988425925926");
    // The import changes nothing in datas.ini until the window closes.
    EXPECT_EQ(Get_Private_Profile_String(Datas_Ini(), "CAM1", "Alias", ""), "CAM1");
}

TEST_F(Config_File_Test, ACancelledImportChangesNothing)
{
    Main_Window_Probe& w = Start();
    const T_Cams before = w.Cam;
    const std::string folder = w.Dir_Save_Load;
    w.ODG_Load_Config = [](const std::string&) { return std::optional<std::string>(); };
    w.BTN_Load_ConfigClick();
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_EQ(w.Cam[slot], before[slot]);
    EXPECT_EQ(w.Dir_Save_Load, folder);
}

TEST_F(Config_File_Test, ACancelledFirstExportEmptiesTheDialogFolderForGood)
{
    Main_Window_Probe& w = Start();
    std::string asked_in = "?";
    w.SDG_Save_Config = [&](const std::string& folder) {
        asked_in = folder;
        return std::optional<std::string>();
    };
    w.BTN_Save_ConfigClick();
    EXPECT_EQ(asked_in, QDir::homePath().toStdString() + "/");
    EXPECT_EQ(w.Dir_Save_Load, "");
    Close_And_Destroy();
    EXPECT_EQ(Get_Private_Profile_String(Datas_Ini(), "Save_Load", "Dir_Save_Load", "?"), "");
    EXPECT_EQ(Start().Dir_Save_Load, "");
}

TEST_F(Config_File_Test, ACancelledExportAfterAChosenFileKeepsThatFilesFolder)
{
    Main_Window_Probe& w = Start();
    std::filesystem::create_directories(home_.File("configs"));
    Export_To(home_.File("configs/a.cfg"));
    EXPECT_EQ(w.Dir_Save_Load, home_.File("configs/"));
    Cancel_Export();
    EXPECT_EQ(w.Dir_Save_Load, home_.File("configs/"));
}

TEST_F(Config_File_Test, APasswordLosesOnlyItsOuterBlanksAndOnePairOfQuotes)
{
    Main_Window_Probe& w = Start();
    w.Cam[4].Password = "  \"p=a ss;#&\"  ";
    const std::string file = home_.File("pw.cfg");
    Export_To(file);
    Import_From(file);
    EXPECT_EQ(w.Cam[4].Password, "p=a ss;#&");
}

}  // namespace
