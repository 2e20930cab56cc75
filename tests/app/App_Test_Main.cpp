#include "app/Tambrel_Application.h"

#include <gtest/gtest.h>

// Runner for main-window tests: the real application object, so its error policy is in force.
int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Tambrel_Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
