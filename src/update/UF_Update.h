#pragma once
#include "acquisition/Http_Client.h"
#include "update/Version_Fetch.h"

#include <QDialog>

#include <string>

class Panel;
class QLabel;
class QPushButton;

// F_Update: the prompt that offers to get a newer version. Created for one update check with the
// main window as owner, and released at the end of that check.
// Closing results: BTN_Yes -> 1 (OK, "check update now"), BTN_No -> 2 (Cancel).
class TF_Update : public QDialog {
    Q_OBJECT
public:
    static constexpr int Result_Yes = 1;
    static constexpr int Result_No = 2;

    explicit TF_Update(QWidget* owner = nullptr);

    // Copies of the main window's values, and the published version (empty until received).
    std::string Appli_Name;
    std::string Appli_Version;
    std::string Version_Available;
    std::string Url_Ver;

    // Longest time Check_Version may block (tests shorten it).
    int Check_Deadline_Ms = Check_Ver_Deadline_Ms;

    Panel* PNL_Global = nullptr;
    QLabel* IMG_Update = nullptr;
    QLabel* LBL_Update1 = nullptr;
    QPushButton* BTN_Yes = nullptr;
    QPushButton* BTN_No = nullptr;
    T_Http_Client HTP_Check_Ver{Check_Ver_Http_Settings()};

    // Fetches the version file at Url_Ver into Version_Available (see Fetch_Version); true when at
    // least one byte was received. Blocks the calling thread for at most Check_Deadline_Ms (plus
    // the host name lookup).
    bool Check_Version();

    // Sets the prompt text from the fields; runs every time the window is shown.
    void FormShow();
    // The prompt text as the program composed it (lines separated by CR), shown in LBL_Update1.
    const std::string& Prompt_Text() const { return prompt_text_; }

    void BTN_YesClick();
    void BTN_NoClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Create_Controls();
    void Center_On_Owner();

    std::string prompt_text_;
};
