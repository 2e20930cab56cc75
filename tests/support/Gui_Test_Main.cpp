#include <QApplication>
#include <gtest/gtest.h>

// Test runner entry for code that needs a QApplication (widgets, fonts, painting).
// CTest sets QT_QPA_PLATFORM=offscreen; default to it when run by hand as well.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
