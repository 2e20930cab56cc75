#include "Closed_Port.h"
#include "update/UF_Update.h"
#include "widgets/Panel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TF_Update, Window_And_Controls_Have_Their_Places_And_Texts)
{
    TF_Update form;
    EXPECT_EQ(form.objectName(), "F_Update");
    EXPECT_EQ(form.windowTitle(), "Update ...");
    EXPECT_EQ(form.size(), QSize(405, 177));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed border";
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint));

    EXPECT_EQ(form.PNL_Global->geometry(), QRect(0, 0, 405, 177));
    EXPECT_EQ(form.PNL_Global->Color(), QColor(37, 37, 37));

    struct Row {
        const char* name;
        QWidget* widget;
        QRect place;
    };
    const Row rows[] = {
        {"IMG_Update", form.IMG_Update, QRect(10, 8, 57, 117)},
        {"LBL_Update1", form.LBL_Update1, QRect(67, 8, 329, 117)},
        {"BTN_Yes", form.BTN_Yes, QRect(10, 131, 191, 37)},
        {"BTN_No", form.BTN_No, QRect(200, 131, 196, 37)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.widget->objectName(), row.name);
        EXPECT_EQ(row.widget->geometry(), row.place);
    }
    EXPECT_EQ(form.IMG_Update->pixmap().size(), QSize(48, 48));
    EXPECT_EQ(form.BTN_Yes->text(), "Check update now ...");
    EXPECT_EQ(form.BTN_No->text(), "No, I will do it later...");
    EXPECT_TRUE(form.BTN_Yes->font().bold());
    EXPECT_TRUE(form.BTN_No->font().bold());
}

TEST(TF_Update, Buttons_Close_With_Their_Modal_Results)
{
    struct Row {
        const char* name;
        QPushButton* TF_Update::*button;
        int result;
    };
    const Row rows[] = {
        {"yes", &TF_Update::BTN_Yes, 1},
        {"no", &TF_Update::BTN_No, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TF_Update form;
        form.show();
        QTest::mouseClick(form.*row.button, Qt::LeftButton);
        EXPECT_EQ(form.result(), row.result);
        EXPECT_FALSE(form.isVisible());
    }
}

TEST(TF_Update, Showing_Sets_The_Prompt_Text)
{
    TF_Update form;
    form.Appli_Name = "Tambrel";
    form.Appli_Version = "V3.1";
    form.Version_Available = "V3.2";
    form.show();
    EXPECT_EQ(form.Prompt_Text(), "Your version V3.1 of Tambrel is out of date !\rActual version available : V3.2\r"
                                  "You could miss the benefit of new functions and fixed issues !\r"
                                  "Proceed to download this new application version ...");
    // On screen each CR is a line break.
    EXPECT_EQ(form.LBL_Update1->text().split('\n').size(), 4);
    EXPECT_TRUE(form.LBL_Update1->text().startsWith("Your version V3.1 of Tambrel is out of date !\n"));
}

TEST(TF_Update, Centred_On_Its_Owner)
{
    QWidget owner;
    owner.setGeometry(100, 120, 900, 700);
    owner.show();
    TF_Update form(&owner);
    form.show();
    const QPoint delta = form.frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(delta.manhattanLength(), 4) << delta.x() << "," << delta.y();
}

TEST(TF_Update, Check_Version_Clears_A_Stale_Version_When_Nothing_Arrives)
{
    TF_Update form;
    form.Url_Ver = "http://127.0.0.1:" + std::to_string(Closed_Port()) + "/vesk-soft/Tambrel/Tambrel.ver";
    form.Version_Available = "V9.9";
    EXPECT_FALSE(form.Check_Version());
    EXPECT_EQ(form.Version_Available, "");
}

}  // namespace
