// The request log: the "Log" toggle of the settings column and the log panel's buttons.
#include "app/UF_Main.h"

#include "app/Guarded_Slot.h"

#include "views/Log_Panel.h"
#include "views/Settings_Panel.h"

#include <QPlainTextEdit>
#include <QPushButton>

void TF_Main::Connect_Log_Handlers()
{
    Log_Panel* log = PNL_Visue_Expert;
    connect(PNL_Config->BTN_Start_Log, &QPushButton::clicked, this,
            Guarded([this] { BTN_Start_LogClick(PNL_Config->BTN_Start_Log); }));
    connect(log->BTN_Start_Log_PNL, &QPushButton::clicked, this,
            Guarded([this, log] { BTN_Start_Log_PNLClick(log->BTN_Start_Log_PNL); }));
    connect(log->BTN_Stop_Log_PNL, &QPushButton::clicked, this,
            Guarded([this, log] { BTN_Stop_Log_PNLClick(log->BTN_Stop_Log_PNL); }));
    connect(log->BTN_Exit_Log, &QPushButton::clicked, this,
            Guarded([this, log] { BTN_Exit_LogClick(log->BTN_Exit_Log); }));
    log->Set_Close_Handler([this](bool& cancel) { Floating_Panel_Close(cancel); });
}

void TF_Main::BTN_Start_LogClick(QObject* /*Sender*/)
{
    const bool pressed = PNL_Config->BTN_Start_Log->isChecked();
    if (pressed) {
        MMO_Log_Display->clear();
        Log_Active = true;
        PNL_Visue_Expert->show();
        PNL_Visue_Expert->raise();
        PNL_Visue_Expert->Keep_Inside_Parent();
    } else {
        Log_Active = false;
    }
    PNL_Visue_Expert->Set_Start_Pressed(pressed);
}

void TF_Main::BTN_Start_Log_PNLClick(QObject* /*Sender*/)
{
    PNL_Config->BTN_Start_Log->setChecked(true);
    BTN_Start_LogClick(PNL_Config->BTN_Start_Log);
}

void TF_Main::BTN_Stop_Log_PNLClick(QObject* /*Sender*/)
{
    PNL_Config->BTN_Start_Log->setChecked(false);
    BTN_Start_LogClick(PNL_Config->BTN_Start_Log);
}

void TF_Main::BTN_Exit_LogClick(QObject* /*Sender*/)
{
    Log_Active = false;
    PNL_Config->BTN_Start_Log->setChecked(false);
    PNL_Visue_Expert->hide();
}

void TF_Main::Floating_Panel_Close(bool& /*Cancel*/)
{
    // Shared by the log panel and the PTZ panel: logging stops; the closed panel then hides itself.
    Log_Active = false;
    PNL_Config->BTN_Start_Log->setChecked(false);
}
