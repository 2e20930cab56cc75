#include "Update_Check.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class Counting_Window : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        event->accept();
    }
};

TEST(End_Program_Without_Close, Ends_The_Message_Loop_Without_Closing_Any_Window)
{
    Counting_Window window;
    window.show();
    QTimer::singleShot(0, [] { End_Program_Without_Close(); });
    // Safety net: a loop that does not end fails the test instead of hanging it.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safety.start(10000);
    const int status = QApplication::exec();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(window.closes, 0) << "the main window's close handler must not run";
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
