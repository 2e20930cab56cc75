#pragma once
#include "update/Link_Label.h"

#include <QWidget>

// PNL_Info: the hidden panel of the main window that holds the three link labels. The labels are
// never seen; they only hold the targets the link buttons of the settings column open.
//   LBL_Update     "Get the latest version here ..."  -> Url_Exe   (set by the main window)
//   LBL_Site_Vesk  the maker's web address            -> Url_Site  (set by the main window)
//   LBL_Paypal     "Donate Paypal"                    -> Donation_Url()
// Each BTN_...Click opens its label's target; a label whose opening failed once does nothing more.
class Web_Links : public QWidget {
    Q_OBJECT
public:
    // `opener` serves the three labels; an empty one means Open_In_Browser.
    explicit Web_Links(QWidget* parent = nullptr, const Url_Opener& opener = {});

    Link_Label* LBL_Update = nullptr;
    Link_Label* LBL_Site_Vesk = nullptr;
    Link_Label* LBL_Paypal = nullptr;

    void BTN_UpdateClick() { LBL_Update->Open(); }
    void BTN_Site_VeskClick() { LBL_Site_Vesk->Open(); }
    void BTN_PaypalClick() { LBL_Paypal->Open(); }
};
