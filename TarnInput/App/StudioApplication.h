#pragma once

// The program's scenes around the one view model: the studio window, the command menu and the
// tray icon with its popover. Closing the studio window only hides it; the engine, the overlays
// and the tray live on. The quit sequence (menu, popover, a stop signal, the end of the session)
// stops the engine first, so nothing stays grabbed or held, and then leaves the event loop with
// status 0; the owner destroys the view model after that, which stops its timers.
// Build it on the main thread once the view model exists; both must outlive it.

#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QObject>

#include "TarnInput/App/StudioKit.h"
#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/UI/Chrome/QtApplicationWindows.h"
#include "TarnKit/UI/Chrome/TarnAppActivationDelegate.h"

class QWidget;

namespace tarn {
class LogSink;
} // namespace tarn

namespace tarn::input {

class InputStudioViewModel;
class MainInputStudioView;
class StudioCommands;
class StudioTray;
class TrayViewModel;

class StudioApplication : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultWidth = 1180;
    static constexpr int kDefaultHeight = 760;
    static constexpr int kMinimumWidth = 1020;
    static constexpr int kMinimumHeight = 660;

    // `log` takes the lifecycle lines. `leaveEventLoop` ends the program's event loop with status 0
    // (tests, which run no loop, record it instead).
    StudioApplication(
        InputStudioViewModel& viewModel, LogSink& log, const StudioKit& kit,
        std::function<void()> leaveEventLoop = [] { QCoreApplication::exit(0); }, QObject* parent = nullptr);
    ~StudioApplication() override;

    // The window's title, a single text in every language.
    static QString windowTitle();

    // Opens the studio window and logs the launch; the window comes to the front shortly after.
    void launch(const TarnAppActivationDelegate::LaunchFacts& facts);
    // A second launch asked for the studio: fronts the window, or opens it again when closed.
    void reopen();
    // Shows the studio window (again), restores it when minimised and brings it to the front.
    void openStudio();
    // Stops the engine and leaves the event loop with status 0.
    void quit();

    QWidget* studioWindow() const;
    MainInputStudioView* studioView() const { return m_view.get(); }
    StudioCommands& commands() const { return *m_commands; }
    StudioTray& tray() const { return *m_tray; }

private:
    void stopEngine();
    void applyLayoutDirection();

    InputStudioViewModel& m_viewModel;
    LogSink& m_log;
    std::function<void()> m_leaveEventLoop;
    // The tray icon, its popover and the command menu see the studio through it.
    std::unique_ptr<TrayViewModel> m_trayViewModel;
    std::unique_ptr<StudioCommands> m_commands;
    std::unique_ptr<MainInputStudioView> m_view;
    std::unique_ptr<StudioTray> m_tray;
    QtApplicationWindows m_windows;
    // The reopen notice travels from the activation delegate to this object alone.
    NotificationCenter m_notifications;
    TarnAppActivationDelegate m_activation;
    Subscription m_reopenNotice;
};

} // namespace tarn::input
