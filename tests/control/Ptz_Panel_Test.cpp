#include "Camera_Commands.h"
#include "Panel.h"
#include "Ptz_Panel.h"
#include "Repeat_Button.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Shown_Panel {
    QWidget window;
    Ptz_Panel* panel = new Ptz_Panel(&window);
    Shown_Panel()
    {
        window.resize(700, 600);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_FALSE(panel->isVisible()) << "hidden at start";
        panel->show();
    }
};

// The handlers find the direction, the preset and the mirror bit from the buttons' names.
TEST(Ptz_Panel, ButtonNamesAreTheOnesTheHandlersRead)
{
    Shown_Panel shown;
    Ptz_Panel& p = *shown.panel;
    EXPECT_EQ(p.objectName(), "PNL_Ptz");
    EXPECT_EQ(Jog_Command(p.BTN_Deplace_Haut->objectName().toStdString()), 0);
    EXPECT_EQ(Jog_Command(p.BTN_Deplace_Bas->objectName().toStdString()), 2);
    EXPECT_EQ(Jog_Command(p.BTN_Deplace_Gauche->objectName().toStdString()), 4);
    EXPECT_EQ(Jog_Command(p.BTN_Deplace_Droite->objectName().toStdString()), 6);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Preset_Number(p.BTN_Go_PTZ[static_cast<std::size_t>(i)]->objectName().toStdString()), i + 1);
        EXPECT_EQ(p.BTN_Go_PTZ[static_cast<std::size_t>(i)]->text(), QString::number(i + 1));
    }
    EXPECT_EQ(Flip_Bit(p.BTN_Flip_V->objectName().toStdString()), 1);
    EXPECT_EQ(Flip_Bit(p.BTN_Flip_H->objectName().toStdString()), 2);
    EXPECT_EQ(p.BTN_Reboot->objectName(), "BTN_Reboot");
}

TEST(Ptz_Panel, EveryControlLiesInsideTheClientArea)
{
    Shown_Panel shown;
    Ptz_Panel& p = *shown.panel;
    const QRect client(QPoint(0, 0), p.Content()->size());
    for (QWidget* child : p.Content()->findChildren<QWidget*>()) {
        const QRect in_client(child->mapTo(p.Content(), QPoint(0, 0)), child->size());
        EXPECT_TRUE(client.contains(in_client)) << child->objectName().toStdString();
    }
    p.resize(300, 260);
    EXPECT_EQ(p.PNL_Ptz_Global->geometry(), QRect(QPoint(0, 0), p.Content()->size())) << "the background follows a resize";
    EXPECT_EQ(p.PNL_Ptz_N_Cam->width(), p.Content()->width());
}

TEST(Ptz_Panel, EachButtonReportsItselfAsSender)
{
    Shown_Panel shown;
    Ptz_Panel& p = *shown.panel;
    QSignalSpy jog(&p, &Ptz_Panel::Jog_Click);
    QSignalSpy preset(&p, &Ptz_Panel::Preset_Click);
    QSignalSpy reboot(&p, &Ptz_Panel::Reboot_Click);
    QSignalSpy flip(&p, &Ptz_Panel::Flip_Click);

    QTest::mousePress(p.BTN_Deplace_Droite, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(p.BTN_Deplace_Droite, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseClick(p.BTN_Go_PTZ[6], Qt::LeftButton);
    QTest::mouseClick(p.BTN_Reboot, Qt::LeftButton);
    QTest::mouseClick(p.BTN_Flip_V, Qt::LeftButton);

    ASSERT_EQ(jog.count(), 1);
    EXPECT_EQ(jog.at(0).at(0).value<QObject*>(), p.BTN_Deplace_Droite);
    ASSERT_EQ(preset.count(), 1);
    EXPECT_EQ(preset.at(0).at(0).value<QObject*>(), p.BTN_Go_PTZ[6]);
    ASSERT_EQ(reboot.count(), 1);
    EXPECT_EQ(reboot.at(0).at(0).value<QObject*>(), p.BTN_Reboot);
    ASSERT_EQ(flip.count(), 1);
    EXPECT_EQ(flip.at(0).at(0).value<QObject*>(), p.BTN_Flip_V);
}

}  // namespace
