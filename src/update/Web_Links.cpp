#include "update/Web_Links.h"

#include "update/Donation_Url.h"

Web_Links::Web_Links(QWidget* parent, const Url_Opener& opener) : QWidget(parent)
{
    setObjectName("PNL_Info");
    LBL_Update = new Link_Label("Get the latest version here ...", this, opener);
    LBL_Update->setObjectName("LBL_Update");
    LBL_Site_Vesk = new Link_Label(QString::fromStdString(Maker_Host()), this, opener);
    LBL_Site_Vesk->setObjectName("LBL_Site_Vesk");
    LBL_Paypal = new Link_Label("Donate Paypal", this, opener);
    LBL_Paypal->setObjectName("LBL_Paypal");
    LBL_Paypal->Set_Target(Donation_Url());
    hide();
}
