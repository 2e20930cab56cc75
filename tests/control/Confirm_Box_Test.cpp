#include "control/Camera_Control.h"
#include "support/Scripted_Server.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Waits (at most 3 s) for the confirmation box over `owner`, then lets `act` answer it.
void Answer_Box(QWidget& owner, std::function<void(QMessageBox&)> act)
{
    auto* timer = new QTimer(&owner);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, &owner, [timer, tries, &owner, act] {
        auto* box = owner.findChild<QMessageBox*>();
        if (box != nullptr && box->isVisible()) {
            timer->stop();
            act(*box);
        } else if (++*tries > 300) {
            timer->stop();  // no box: the handler did not ask, the test's checks will say so
        }
    });
    timer->start(10);
}

struct Owner_And_Camera {
    Scripted_Server camera{{{Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n")}}};
    QWidget owner;
    T_Cams cams;
    std::unique_ptr<QObject> preset = std::make_unique<QObject>();
    Owner_And_Camera()
    {
        cams[1].Ad_Ip = "127.0.0.1";
        cams[1].Port = camera.Port();
        cams[1].Alias = "CAM1";
        owner.resize(300, 200);
        owner.show();
    }
};

TEST(Default_Confirm_Box, AsksOverTheOwnerWindowAndYesSends)
{
    Owner_And_Camera f;
    Camera_Control control(
        f.cams, [] { return 1; }, &f.owner);
    QString text;
    Answer_Box(f.owner, [&text](QMessageBox& box) {
        text = box.text();
        box.button(QMessageBox::Yes)->click();
    });
    control.Gere_Preset_PTZ(7, true);
    EXPECT_EQ(text,
              QString::fromUtf8("Are you sure you want to set this actual position to the preset position N\u00B07"));
    ASSERT_EQ(f.camera.Requests().size(), 1u);
    EXPECT_NE(f.camera.Requests()[0].find("&command=42 HTTP/1.1"), std::string::npos);
}

// Escape answers No in the default box: a preset is never overwritten by a box dismissed in haste.
TEST(Default_Confirm_Box, EscapeKeepsThePreset)
{
    Owner_And_Camera f;
    Camera_Control control(
        f.cams, [] { return 1; }, &f.owner);
    bool asked = false;
    Answer_Box(f.owner, [&asked](QMessageBox& box) {
        asked = true;
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    control.Gere_Preset_PTZ(7, true);
    EXPECT_TRUE(asked);
    EXPECT_EQ(f.camera.Connections_Accepted(), 0);
}

}  // namespace
