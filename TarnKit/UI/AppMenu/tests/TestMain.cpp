// The menu tests' main: one application object for every test, which TestApplication lets the
// launcher's test replace for a while. CTest sets QT_QPA_PLATFORM=offscreen; hand runs may not.

#include <memory>

#include <QApplication>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "TarnKit/UI/AppMenu/tests/TestApplication.h"

namespace tarn {

namespace {

int g_argc = 1;
char g_name[] = "TarnUIAppMenuTests";
char* g_argv[] = {g_name, nullptr};
std::unique_ptr<QApplication> g_application;

} // namespace

void TestApplication::start()
{
    g_application = std::make_unique<QApplication>(g_argc, g_argv);
}

void TestApplication::stop()
{
    g_application.reset();
}

} // namespace tarn

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    tarn::TestApplication::start();
    const int result = RUN_ALL_TESTS();
    tarn::TestApplication::stop();
    return result;
}
