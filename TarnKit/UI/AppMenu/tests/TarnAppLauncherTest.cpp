#include "TarnKit/UI/AppMenu/TarnAppLauncher.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "TarnKit/UI/AppMenu/tests/MenuTestWorld.h"
#include "TarnKit/UI/AppMenu/tests/TestApplication.h"

namespace tarn {
namespace {

TEST(TarnAppLauncher, RunsTheApplicationWithTheMenuBarOnItsWindowUntilQuitIsChosen)
{
    TestApplication::stop();
    const auto opener = std::make_shared<RecordingUrlOpener>();
    const TarnFeedbackService feedback(recordingFeedbackServices(opener));
    NotificationCenter notifications;
    TarnAppMenuConfiguration configuration;
    configuration.appName = "TarnNotes";
    configuration.language = [] { return TarnLanguage::en; };

    int argc = 1;
    char name[] = "TarnNotes";
    char* argv[] = {name, nullptr};
    bool hadApplication = true;
    std::string barMenus;
    const int status = tarnRunApplication(argc, argv, configuration, {feedback, BuildInfo {}, notifications}, [&] {
        hadApplication = QApplication::instance() != nullptr;
        auto window = std::make_unique<QMainWindow>();
        QTimer::singleShot(0, window.get(), [window = window.get(), &barMenus] {
            for (const QAction* menu : window->menuBar()->actions()) {
                barMenus += menu->text().toStdString() + ";";
            }
            QMenu* application = window->menuBar()->findChild<QMenu*>(QStringLiteral("applicationMenu"));
            MenuWorld::entry(application, "Quit TarnNotes")->trigger();
        });
        return window;
    });
    TestApplication::start();

    EXPECT_EQ(status, 0);
    EXPECT_TRUE(hadApplication) << "the window is built inside the application object";
    EXPECT_EQ(barMenus, "TarnNotes;Edit;Window;");
}

} // namespace
} // namespace tarn
