#include "widgets/Caption_Panel.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

struct Panel_Scene {
    QWidget window;
    Caption_Panel* panel = new Caption_Panel(&window);

    Panel_Scene()
    {
        window.resize(400, 300);
        panel->setObjectName("PNL_Ptz");
        panel->Set_Caption("PTZ functions");
        panel->setGeometry(150, 80, 205, 195);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWindow* Handle() { return window.windowHandle(); }
    // Drags from `from` (panel coordinates) to `to` (window coordinates) with the left button.
    void Drag(QPoint from, QPoint to)
    {
        const QPoint start = panel->mapTo(&window, from);
        QTest::mousePress(Handle(), Qt::LeftButton, {}, start);
        QTest::mouseMove(Handle(), (start + to) / 2);
        QTest::mouseMove(Handle(), to);
        QTest::mouseRelease(Handle(), Qt::LeftButton, {}, to);
    }
};

TEST(Caption_Panel, CloseButtonHidesAfterTheHandlerRan)
{
    Panel_Scene scene;
    bool visible_in_handler = false;
    int calls = 0;
    scene.panel->Set_Close_Handler([&](bool&) {
        ++calls;
        visible_in_handler = scene.panel->isVisible();
    });
    QTest::mouseClick(scene.panel->Close_Button(), Qt::LeftButton);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(visible_in_handler) << "the handler runs before the panel hides";
    EXPECT_FALSE(scene.panel->isVisible());
}

TEST(Caption_Panel, CancelKeepsThePanelShown)
{
    struct Row {
        const char* name;
        bool cancel_in_handler;
        bool cancel_in_signal;
        bool hidden;
    };
    const Row rows[] = {
        {"nobody cancels", false, false, true},
        {"handler cancels", true, false, false},
        {"signal cancels", false, true, false},
    };
    for (const Row& row : rows) {
        Panel_Scene scene;
        scene.panel->Set_Close_Handler([&](bool& cancel) { cancel = row.cancel_in_handler; });
        bool cancel_seen_by_signal = false;
        QObject::connect(scene.panel, &Caption_Panel::Close_Query, [&](QObject* sender, bool* cancel) {
            EXPECT_EQ(sender, scene.panel);
            cancel_seen_by_signal = *cancel;
            if (row.cancel_in_signal)
                *cancel = true;
        });
        EXPECT_EQ(scene.panel->Close_By_Button(), row.hidden) << row.name;
        EXPECT_EQ(scene.panel->isVisible(), !row.hidden) << row.name;
        EXPECT_EQ(cancel_seen_by_signal, row.cancel_in_handler) << row.name << ": the signal sees the handler's answer";
    }
}

TEST(Caption_Panel, DraggingTheTitleKeepsThePanelInsideItsParent)
{
    struct Row {
        const char* name;
        QPoint to;        // window coordinates the title is dragged to
        QPoint expected;  // panel position afterwards
    };
    // The title is grabbed at (30, 10) of the panel, i.e. at (180, 90) of the window.
    const Row rows[] = {
        {"inside", QPoint(200, 100), QPoint(170, 90)},
        {"past the bottom-right corner", QPoint(395, 295), QPoint(400 - 205, 300 - 195)},
        {"past the top-left corner", QPoint(2, 2), QPoint(0, 0)},
        {"past the right edge only", QPoint(399, 95), QPoint(400 - 205, 85)},
    };
    for (const Row& row : rows) {
        Panel_Scene scene;
        scene.Drag(QPoint(30, 10), row.to);
        EXPECT_EQ(scene.panel->pos(), row.expected) << row.name;
        EXPECT_EQ(scene.panel->size(), QSize(205, 195)) << row.name;
    }
}

TEST(Caption_Panel, BorderResizesOnlyWhenSizableAndStaysInside)
{
    struct Row {
        const char* name;
        bool sizable;
        QPoint grab;  // panel coordinates
        QPoint to;    // window coordinates
        QRect expected;
    };
    // Panel at (150, 80) 205 x 195: right edge at x 355, bottom edge at y 275.
    const Row rows[] = {
        {"bottom-right corner grows", true, QPoint(203, 193), QPoint(383, 290), QRect(150, 80, 235, 212)},
        {"right edge stops at the parent", true, QPoint(203, 100), QPoint(399, 180), QRect(150, 80, 250, 195)},
        {"left edge shrinks", true, QPoint(1, 100), QPoint(201, 180), QRect(200, 80, 155, 195)},
        {"not sizable: border does nothing", false, QPoint(203, 193), QPoint(383, 290), QRect(150, 80, 205, 195)},
    };
    for (const Row& row : rows) {
        Panel_Scene scene;
        scene.panel->Set_Sizable(row.sizable);
        scene.Drag(row.grab, row.to);
        EXPECT_EQ(scene.panel->geometry(), row.expected) << row.name;
        EXPECT_EQ(scene.panel->Content()->geometry(), scene.panel->Client_Rect()) << row.name;
    }
}

TEST(Caption_Panel, ClientSizeIsExactAndContentCoversIt)
{
    Panel_Scene scene;
    scene.panel->Set_Caption_Point_Size(9);
    scene.panel->Set_Client_Size(QSize(197, 167));
    EXPECT_EQ(scene.panel->Client_Rect().size(), QSize(197, 167));
    EXPECT_EQ(scene.panel->Content()->geometry(), scene.panel->Client_Rect());
    EXPECT_EQ(scene.panel->Client_Rect().top(), Caption_Panel::Border + scene.panel->Title_Height());
}

}  // namespace
