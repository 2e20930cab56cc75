#include "widgets/Modal_Windows.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A question box waiting over a dialog, each in its own loop, as when the program closes while
// the user is being asked: both close, the box with No, the dialog rejected, topmost first.
TEST(Close_Modal_Windows, AnswersEveryWaitingQuestionAsIfClosed)
{
    Close_Modal_Windows();  // nothing open: nothing happens

    QWidget window;
    window.show();
    QDialog dialog(&window);
    QMessageBox box(QMessageBox::Question, "Confirm", "Sure?", QMessageBox::Yes | QMessageBox::No, &dialog);
    int box_answer = -1;
    QTimer::singleShot(0, &dialog, [&] {
        QTimer::singleShot(0, &box, [] { Close_Modal_Windows(); });
        box_answer = box.exec();
        EXPECT_FALSE(dialog.isVisible()) << "the dialog below was closed too";
    });
    QTimer safety;  // a window left open fails the test instead of hanging it
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] {
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->hide();
    });
    safety.start(10000);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(box_answer, QMessageBox::No);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window.isVisible()) << "only modal windows are closed";
}

}  // namespace
