// Widget tests need one QApplication for the whole run, and never a real display. The tests'
// loggers write into the default folders, so the XDG folders point into a temporary
// folder: no test writes into the user's own.

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QTemporaryDir>
#include <QtGlobal>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir home;
    for (const char* variable : {"XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.filePath(variable);
        std::filesystem::create_directories(folder.toStdString());
        std::filesystem::permissions(folder.toStdString(), std::filesystem::perms::owner_all);
        qputenv(variable, folder.toUtf8());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
