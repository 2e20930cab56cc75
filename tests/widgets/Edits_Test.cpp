#include "widgets/Folder_Edit.h"
#include "widgets/Integer_Edit.h"
#include "widgets/Text_Edit.h"
#include "widgets/Time_Edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

// A window with the edit under test and one control after it in the tab chain.
template <typename Edit>
struct Edit_Scene {
    QWidget window;
    Edit* edit = new Edit(&window);
    QLineEdit* next = new QLineEdit(&window);

    Edit_Scene()
    {
        edit->setGeometry(5, 5, 120, 22);
        next->setGeometry(5, 35, 120, 22);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        EXPECT_TRUE(edit->hasFocus());
    }
};

// Equal doubles, bit for bit (a NaN equals the same NaN).
bool Same_Double(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Time_Edit, DayFractionShownInWholeSecondsAndGivenBackUntouched)
{
    struct Row {
        const char* name;
        double set;
        QString shown;
    };
    const Row rows[] = {
        {"midnight", 0.0, "00:00:00"},
        {"noon", 0.5, "12:00:00"},
        {"last second", 86399.0 / 86400.0, "23:59:59"},
        {"a whole second read back a hair short", 71115.0 / 86400.0 - 1e-15, "19:45:15"},
        {"a fraction of a second is not shown", (43200.0 + 0.4) / 86400.0, "12:00:00"},
        {"half a second before midnight", 86399.5 / 86400.0, "23:59:59"},
        {"just below one stays in the last second", 0.9999999, "23:59:59"},
        {"a day later is the same time", 1.5, "12:00:00"},
        {"negative wraps to the day before", -0.25, "18:00:00"},
        {"not a number", std::nan(""), "00:00:00"},
    };
    for (const Row& row : rows) {
        Time_Edit edit;
        edit.Set_Time(row.set);
        EXPECT_EQ(edit.text(), row.shown) << row.name;
        EXPECT_TRUE(Same_Double(edit.Time(), row.set)) << row.name << ": " << edit.Time();
    }
}

TEST(Time_Edit, OnlyAChangedTimeIsTakenAsShown)
{
    Edit_Scene<Time_Edit> scene;
    const double given = 86399.7 / 86400.0;
    scene.edit->Set_Time(given);
    // Changed, then changed back to the time shown: the given value again.
    scene.edit->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClick(scene.edit, Qt::Key_Down);
    EXPECT_EQ(scene.edit->text(), "23:59:58");
    EXPECT_EQ(scene.edit->Time(), 86398.0 / 86400.0);
    QTest::keyClick(scene.edit, Qt::Key_Up);
    EXPECT_EQ(scene.edit->Time(), given);
    // Another time set replaces the remembered one.
    scene.edit->Set_Time(0.25);
    EXPECT_EQ(scene.edit->Time(), 0.25);
}

TEST(Time_Edit, TypedTimeIsReadAndFocusOutReportsIt)
{
    Edit_Scene<Time_Edit> scene;
    QSignalSpy finished(scene.edit, &Time_Edit::Editing_Finished);
    QSignalSpy enter(scene.edit, &Time_Edit::Enter_Released);
    scene.edit->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(scene.edit, "070809");
    QTest::keyClick(scene.edit, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 1);
    EXPECT_EQ(scene.edit->Time(), (7 * 3600 + 8 * 60 + 9) / 86400.0) << scene.edit->text().toStdString();
    EXPECT_EQ(finished.count(), 0);
    scene.next->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(finished.count(), 1);
}

TEST(Integer_Edit, TypingIsLimitedToAnOptionalMinusAndDigits)
{
    struct Row {
        const char* name;
        const char* typed;
        QString text;
        int value;
    };
    const Row rows[] = {
        {"letters refused", "1a2b3", "123", 123},
        {"leading minus", "-45", "-45", -45},
        {"minus only in front", "4-5", "45", 45},
        {"blank refused", "1 2", "12", 12},
        {"decimal point refused", "3.5", "35", 35},
        {"minus alone reads 0", "-", "-", 0},
        {"beyond 32 bits reads 0", "99999999999", "99999999999", 0},
        {"at most 11 characters", "123456789012", "12345678901", 0},
    };
    for (const Row& row : rows) {
        Edit_Scene<Integer_Edit> scene;
        QTest::keyClicks(scene.edit, row.typed);
        EXPECT_EQ(scene.edit->text(), row.text) << row.name;
        EXPECT_EQ(scene.edit->Value(), row.value) << row.name;
    }
}

TEST(Integer_Edit, SetValueAndEmptyText)
{
    Integer_Edit edit;
    edit.Set_Value(-2147483647 - 1);
    EXPECT_EQ(edit.text(), "-2147483648");
    EXPECT_EQ(edit.Value(), -2147483647 - 1);
    edit.clear();
    EXPECT_EQ(edit.Value(), 0);
}

TEST(Text_Edit, EnterIsReportedAndMovesFocusOnlyWhenAsked)
{
    struct Row {
        const char* name;
        bool moves;
        Qt::Key key;
        int enter_released;
        bool focus_moved;
    };
    const Row rows[] = {
        {"return, focus stays", false, Qt::Key_Return, 1, false},
        {"keypad enter, focus stays", false, Qt::Key_Enter, 1, false},
        {"return moves focus when asked", true, Qt::Key_Return, 1, true},
        {"other keys do nothing", true, Qt::Key_A, 0, false},
    };
    for (const Row& row : rows) {
        Edit_Scene<Text_Edit> scene;
        scene.edit->Set_Enter_Moves_Focus(row.moves);
        QSignalSpy enter(scene.edit, &Text_Edit::Enter_Released);
        QSignalSpy left(scene.edit, &Text_Edit::Editing_Left);
        QTest::keyClick(scene.edit, row.key);
        EXPECT_EQ(enter.count(), row.enter_released) << row.name;
        EXPECT_EQ(scene.next->hasFocus(), row.focus_moved) << row.name;
        EXPECT_EQ(left.count(), row.focus_moved ? 1 : 0) << row.name;
    }
}

TEST(Text_Edit, BytesReadAsUtf8ElseAsWindows1252)
{
    struct Row {
        const char* name;
        std::string bytes;
        QString shown;
    };
    const Row rows[] = {
        {"ASCII", "admin", "admin"},
        {"UTF-8",
         "Cam\xC3\xA9ra N\xC2\xB0"
         "2",
         QString::fromUtf8("Caméra N°2")},
        {"Windows-1252", "Cam\xE9ra \x80 \x9F", QString::fromUtf8("Caméra € Ÿ")},
        {"UTF-8 cut at the end", "ab\xC3", QString::fromUtf8("abÃ")},
        {"byte order mark kept",
         "\xEF\xBB\xBF"
         "a",
         QString(QChar(0xFEFF)) + QStringLiteral("a")},
        {"NUL kept", std::string("a\0b", 3), QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Text_From_Bytes(row.bytes), row.shown) << row.name;
}

TEST(Text_Edit, UntouchedBytesComeBackEvenWhenShownCut)
{
    Text_Edit edit;
    EXPECT_EQ(edit.Bytes(), "");
    edit.setText(QString::fromUtf8("é"));
    EXPECT_EQ(edit.Bytes(), "\xC3\xA9") << "never given bytes: the text in UTF-8";

    edit.setMaxLength(4);
    edit.Set_Bytes("\xE9t\xE9 long");
    EXPECT_EQ(edit.text(), QString::fromUtf8("été "));
    EXPECT_EQ(edit.Bytes(), "\xE9t\xE9 long");
    edit.setText(QString::fromUtf8("été"));
    EXPECT_EQ(edit.Bytes(), "\xC3\xA9t\xC3\xA9");
}

TEST(Text_Edit, ReleaseWithoutPressInTheEditIsNotEnter)
{
    // The focus arrived between press and release (Enter pressed in the control before).
    Edit_Scene<Text_Edit> scene;
    QSignalSpy enter(scene.edit, &Text_Edit::Enter_Released);
    QTest::keyRelease(scene.edit, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 0);
}

TEST(Folder_Edit, PickerChoiceReplacesThePathAndCancelKeepsIt)
{
    Folder_Edit edit;
    edit.Set_Path("/start");
    QString asked_from;
    QString answer = "/chosen/folder";
    edit.Set_Picker([&](QWidget*, const QString& start) {
        asked_from = start;
        return answer;
    });
    QTest::mouseClick(edit.Browse_Button(), Qt::LeftButton);
    EXPECT_EQ(asked_from, "/start");
    EXPECT_EQ(edit.Path(), "/chosen/folder");
    answer.clear();  // cancelled
    EXPECT_FALSE(edit.Browse());
    EXPECT_EQ(edit.Path(), "/chosen/folder");
}

}  // namespace
