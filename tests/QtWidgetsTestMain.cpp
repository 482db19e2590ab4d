// Widget tests need one QApplication for the whole run. CTest sets QT_QPA_PLATFORM=offscreen;
// test discovery and hand runs may not, and the tests never need a real display.

#include <QApplication>
#include <QtGlobal>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
