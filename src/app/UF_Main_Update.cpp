// The once-per-run update check and the three web link buttons.
#include "app/UF_Main.h"

#include "app/Guarded_Slot.h"

#include "update/Update_Check.h"
#include "update/Web_Links.h"
#include "views/Settings_Panel.h"

#include <QPushButton>
#include <QTimer>

void TF_Main::Connect_Link_Handlers()
{
    connect(PNL_Config->BTN_Update, &QPushButton::clicked, this,
            Guarded([this] { BTN_UpdateClick(PNL_Config->BTN_Update); }));
    connect(PNL_Config->BTN_Site_Vesk, &QPushButton::clicked, this,
            Guarded([this] { BTN_Site_VeskClick(PNL_Config->BTN_Site_Vesk); }));
    connect(PNL_Config->BTN_Paypal, &QPushButton::clicked, this,
            Guarded([this] { BTN_PaypalClick(PNL_Config->BTN_Paypal); }));
}

void TF_Main::TMR_UpdateTimer()
{
    TMR_Update->stop();
    Run_Update_Check(this, {Appli_Name, Appli_Version, Url_Ver}, *PNL_Info->LBL_Update);
}

void TF_Main::BTN_UpdateClick(QObject* /*Sender*/)
{
    PNL_Info->BTN_UpdateClick();
}

void TF_Main::BTN_Site_VeskClick(QObject* /*Sender*/)
{
    PNL_Info->BTN_Site_VeskClick();
}

void TF_Main::BTN_PaypalClick(QObject* /*Sender*/)
{
    PNL_Info->BTN_PaypalClick();
}
