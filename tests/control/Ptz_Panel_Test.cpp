#include "control/Ptz_Panel.h"
#include "widgets/Panel.h"
#include "widgets/Repeat_Button.h"
#include "widgets/Two_State_Switch.h"

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

// Every button of the list is on the panel under its name, and hands over its own command.
TEST(Ptz_Panel, EachButtonOfTheListSendsItsCommand)
{
    Shown_Panel shown;
    Ptz_Panel& p = *shown.panel;
    EXPECT_EQ(p.objectName(), "PNL_Ptz");
    QSignalSpy clicks(&p, &Ptz_Panel::Command_Click);
    for (const Ptz_Button& button : Ptz_Buttons) {
        QAbstractButton* widget = p.Button_For(button.Command);
        ASSERT_NE(widget, nullptr) << button.Name;
        EXPECT_EQ(widget->objectName().toStdString(), button.Name);
        QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_EQ(clicks.count(), 1) << button.Name;
        EXPECT_EQ(clicks.at(0).at(0).value<Ptz_Command>(), button.Command) << button.Name;
        EXPECT_FALSE(clicks.at(0).at(1).toBool()) << "the switch is on Move";
        clicks.clear();
    }
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(p.BTN_Go_PTZ[static_cast<std::size_t>(i)]->text(), QString::number(i + 1));
    // A preset in "Set" mode says so; nothing else does.
    p.SWT_Preset->setChecked(true);
    QTest::mouseClick(p.BTN_Go_PTZ[6], Qt::LeftButton);
    QTest::mouseClick(p.BTN_Reboot, Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_TRUE(clicks.at(0).at(1).toBool());
    EXPECT_FALSE(clicks.at(1).at(1).toBool());
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
    EXPECT_EQ(p.PNL_Ptz_Global->geometry(), QRect(QPoint(0, 0), p.Content()->size()))
        << "the background follows a resize";
    EXPECT_EQ(p.PNL_Ptz_N_Cam->width(), p.Content()->width());
}

}  // namespace
