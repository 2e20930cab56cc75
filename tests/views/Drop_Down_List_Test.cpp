#include "widgets/Drop_Down_List.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct List_Scene {
    QWidget window;
    Drop_Down_List* list = new Drop_Down_List(&window);

    List_Scene()
    {
        list->addItems({"1", "2", "3"});
        list->setGeometry(5, 5, 80, 22);
        window.resize(200, 200);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

TEST(Drop_Down_List, DropDownComesBeforeTheListOpensHoweverItIsOpened)
{
    struct Row {
        const char* name;
        void (*open)(Drop_Down_List*);
    };
    const Row rows[] = {
        {"mouse click", [](Drop_Down_List* list) { QTest::mouseClick(list, Qt::LeftButton); }},
        {"F4 key", [](Drop_Down_List* list) { QTest::keyClick(list, Qt::Key_F4); }},
        {"Alt+Down", [](Drop_Down_List* list) { QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier); }},
    };
    for (const Row& row : rows) {
        List_Scene scene;
        scene.list->setFocus();
        int calls = 0;
        bool open_when_told = true;
        QObject::connect(scene.list, &Drop_Down_List::Drop_Down, [&] {
            ++calls;
            open_when_told = scene.list->view()->isVisible();
        });
        row.open(scene.list);
        EXPECT_EQ(calls, 1) << row.name;
        EXPECT_FALSE(open_when_told) << row.name;
        EXPECT_TRUE(scene.list->view()->isVisible()) << row.name;
        scene.list->hidePopup();
    }
}

TEST(Drop_Down_List, ChoosingAnItemIsNotADropDown)
{
    List_Scene scene;
    QSignalSpy drop_down(scene.list, &Drop_Down_List::Drop_Down);
    scene.list->setCurrentIndex(2);
    scene.list->setFocus();
    QTest::keyClick(scene.list, Qt::Key_Up);
    EXPECT_EQ(scene.list->currentIndex(), 1);
    EXPECT_EQ(drop_down.count(), 0);
}

TEST(Drop_Down_List, AListDestroyedByTheHandlerDoesNotOpen)
{
    QWidget window;
    QPointer<Drop_Down_List> list = new Drop_Down_List(&window);
    list->addItems({"1", "2"});
    QObject::connect(list, &Drop_Down_List::Drop_Down, list, [&] { delete list.data(); });
    window.show();
    list->showPopup();
    EXPECT_TRUE(list.isNull());
}

}  // namespace
