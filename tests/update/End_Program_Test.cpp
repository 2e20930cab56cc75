#include "update/Update_Check.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class Counting_Window : public QWidget {
public:
    bool refuses = false;
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        event->setAccepted(!refuses);
    }
};

TEST(Close_Program, Closes_The_Owners_Window_Then_Ends_The_Message_Loop)
{
    struct Row {
        const char* name;
        bool refuses;
        int status;  // 99: the loop went on until the safety net ended it
    };
    const Row rows[] = {
        {"window closes: the program ends", false, 0},
        {"window refuses: the program goes on", true, 99},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Counting_Window window;
        window.refuses = row.refuses;
        QWidget* owner = new QWidget(&window);  // a control of the window, as the update check's owner may be
        window.show();
        QTimer::singleShot(0, [owner] { Close_Program(owner); });
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        safety.start(row.refuses ? 300 : 10000);
        EXPECT_EQ(QApplication::exec(), row.status);
        // The last window's close also queued a quit, which must not end the next loop.
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
        EXPECT_EQ(window.closes, 1) << "the window's close handler runs once";
        EXPECT_EQ(window.isVisible(), row.refuses);
    }
}

}  // namespace
