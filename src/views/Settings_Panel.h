#pragma once
#include "model/T_Cam.h"
#include "widgets/Drop_Down_List.h"  // complete, so CBX_N_Cam converts to QComboBox* where it is used

#include <QWidget>

#include <array>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Folder_Edit;
class Integer_Edit;
class Text_Edit;
class Time_Edit;

// The settings column PNL_Config (left pane of the main splitter): the three grid lists, the camera
// to set with its settings, the recording settings common to all cameras, the expert settings, the
// refresh / export / import buttons and the web links. Every control carries its own objectName.
//
// The panel builds and lays out the controls (absolute geometry, 248 x 630 pixels) and offers the pure
// view operations below; it connects no handler itself. The main window connects the controls'
// signals to its handlers and decides when to Load and Save.
class Settings_Panel : public QWidget {
    Q_OBJECT
public:
    static constexpr int Column_Width = 248;
    static constexpr int Column_Height = 630;

    explicit Settings_Panel(QWidget* parent = nullptr);

    // Column_Width x Column_Height: what the column needs to show every control.
    QSize sizeHint() const override;

    // Shows `cam` in the camera and expert controls (texts that are not UTF-8 read as Windows-1252, see
    // Text_From_Bytes), then applies the enabling rules. The check boxes, the radio buttons and their
    // group emit nothing meanwhile, so loading neither commits nor lays out the grid. A Valide_Record
    // outside 0..3 leaves the four radio buttons unchecked.
    void Load(const T_Cam& cam);

    // Copies the camera and expert controls into `cam`: a text the user did not edit byte for byte as
    // Load got it (whatever its encoding), an edited one exactly as typed, in UTF-8 (Text_Edit::Bytes);
    // Port and K_Detect read as the program reads typed numbers (unreadable gives 0), no range check.
    // Valide_Record keeps its value when no radio button is checked. Type_Cam is left alone.
    void Save(T_Cam& cam) const;

    // URL row enabled while CKB_Use_URL is checked, threshold row while RBT_Rec_2 is, timer row while
    // RBT_Rec_3 is.
    void Apply_Enabling_Rules();
    // Only the URL row (what a change of the check boxes applies).
    void Apply_Url_Rule();

    // Offers to trust the certificate whose SHA-256 is sha256 (64 hex digits) that the camera being set
    // presented: BTN_Trust_Cert shows its first digits, the whole fingerprint in its hint. "" hides it.
    void Offer_Certificate(const std::string& sha256);
    // The fingerprint on offer, "" when none.
    const std::string& Offered_Certificate() const { return offered_certificate_; }

    // The rule of the two recording edits: a value of 0 or less (an empty edit reads 0) becomes 1, and
    // is shown. Returns the edit's value.
    static int Take_Recording_Value(Integer_Edit* edit);

    // The four mode buttons, RBT_Rec_0 .. RBT_Rec_3 (index = recording mode).
    std::array<QRadioButton*, 4> Rec_Buttons() const { return {RBT_Rec_0, RBT_Rec_1, RBT_Rec_2, RBT_Rec_3}; }

    // Grid lists (group PNL_Config_1).
    QWidget* PNL_Config_1 = nullptr;
    QLabel* LBL_Nb_Cam = nullptr;
    QComboBox* CBX_Nb_Cam = nullptr;
    QLabel* LBL_Size_Pnl = nullptr;
    QComboBox* CBX_Size_Pnl = nullptr;
    QLabel* LBL_Frame_Rate = nullptr;
    QComboBox* CBX_Frame_Rate = nullptr;

    // "Camera setting".
    QGroupBox* GBX_Config_Cam = nullptr;
    QLabel* LBL_N_Cam = nullptr;
    Drop_Down_List* CBX_N_Cam = nullptr;
    QLabel* LBL_Alias = nullptr;
    Text_Edit* EDT_Alias = nullptr;
    QLabel* LBL_Cam_Valide = nullptr;
    QCheckBox* CKB_Cam_Valide = nullptr;
    QFrame* PNL_Separe1 = nullptr;
    QLabel* LBL_Adresse_Ip = nullptr;
    Text_Edit* EDT_Adresse_Ip = nullptr;
    QLabel* LBL_Port = nullptr;
    Integer_Edit* EDT_Port = nullptr;
    QLabel* LBL_Login = nullptr;
    Text_Edit* EDT_Login = nullptr;
    QLabel* LBL_Password = nullptr;
    Text_Edit* EDT_Password = nullptr;
    QFrame* PNL_Separe2 = nullptr;
    QRadioButton* RBT_Rec_0 = nullptr;
    QLabel* LBL_Rec_0 = nullptr;
    QRadioButton* RBT_Rec_1 = nullptr;
    QLabel* LBL_Rec_1 = nullptr;
    QRadioButton* RBT_Rec_2 = nullptr;
    QLabel* LBL_Rec_2 = nullptr;
    QLabel* LBL_K_Detect = nullptr;
    Integer_Edit* EDT_K_Detect = nullptr;
    QRadioButton* RBT_Rec_3 = nullptr;
    QLabel* LBL_Rec_3 = nullptr;
    QLabel* LBL_Rec_3_On = nullptr;
    Time_Edit* EDT_Rec_3_On = nullptr;
    QLabel* LBL_Rec_3_Off = nullptr;
    Time_Edit* EDT_Rec_3_Off = nullptr;
    // Makes the four mode buttons one exclusive group; ids 0..3 are the recording modes.
    QButtonGroup* Rec_Group = nullptr;

    // "Record setting".
    QGroupBox* GBX_Record = nullptr;
    QLabel* LBL_Frequence_Rec = nullptr;
    Integer_Edit* EDT_Frequence_Rec = nullptr;
    QLabel* LBL_Delay_Stop_Rec = nullptr;
    Integer_Edit* EDT_Delay_Stop_Rec = nullptr;
    QLabel* LBL_Dest_Folder = nullptr;
    Folder_Edit* DED_Dest_Folder = nullptr;

    // "Expert setting".
    QGroupBox* GBX_Expert_Mode = nullptr;
    QLabel* LBL_Use_URL = nullptr;
    QCheckBox* CKB_Use_URL = nullptr;
    QLabel* LBL_Url = nullptr;
    Text_Edit* EDT_Url = nullptr;
    QPushButton* BTN_Start_Log = nullptr;
    QPushButton* BTN_Show_Ptz = nullptr;
    QPushButton* BTN_Trust_Cert = nullptr;  // hidden unless a certificate is on offer

    // Buttons at the foot of the column.
    QPushButton* BTN_Refresh = nullptr;
    QPushButton* BTN_Save_Config = nullptr;
    QPushButton* BTN_Load_Config = nullptr;
    QPushButton* BTN_Paypal = nullptr;
    QPushButton* BTN_Update = nullptr;
    QPushButton* BTN_Site_Vesk = nullptr;

private:
    std::string offered_certificate_;

    // Created top to bottom: the creation order is the tab order.
    void Create_Grid_Lists();
    void Create_Config_Cam();
    void Create_Record();
    void Create_Expert_Mode();
    void Create_Buttons();
    void Create_Links();
};
