#pragma once

// The program's scenes around the one view model: the studio window, the command menu and the
// tray icon with its popover. Closing the studio window only hides it; the engine, the overlays
// and the tray live on. The quit sequence (menu, popover, a stop signal, the end of the session)
// stops the engine first, so nothing stays grabbed or held, and then leaves the event loop with
// status 0; the owner destroys the view model after that, which stops its timers.
// Build it on the main thread once the view model exists; both must outlive it.

#include <memory>

#include <QObject>

class QWidget;

namespace tarn {
class TarnPermissionCenter;
}

namespace tarn::input {

class InputStudioViewModel;
class MainInputStudioView;
class StudioCommands;
class StudioTray;

class StudioApplication : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultWidth = 1180;
    static constexpr int kDefaultHeight = 760;
    static constexpr int kMinimumWidth = 1020;
    static constexpr int kMinimumHeight = 660;

    StudioApplication(
        InputStudioViewModel& viewModel, const TarnPermissionCenter& permissions, QObject* parent = nullptr);
    ~StudioApplication() override;

    // The window's title, a single text in every language.
    static QString windowTitle();

    // Shows the studio window (again), restores it when minimised and brings it to the front.
    void openStudio();
    // Stops the engine and leaves the event loop with status 0.
    void quit();

    QWidget* studioWindow() const;
    MainInputStudioView* studioView() const { return m_view; }
    StudioCommands& commands() const { return *m_commands; }
    StudioTray& tray() const { return *m_tray; }

private:
    void stopEngine();

    InputStudioViewModel& m_viewModel;
    std::unique_ptr<StudioCommands> m_commands;
    std::unique_ptr<QWidget> m_window;
    MainInputStudioView* m_view = nullptr;
    std::unique_ptr<StudioTray> m_tray;
};

} // namespace tarn::input
