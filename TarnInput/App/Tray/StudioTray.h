#pragma once

// The tray icon: its picture follows the tap and the key HUD, a click opens the popover at the
// icon (at the pointer where the tray host gives no geometry), and its menu holds the command
// menu's actions and, below them, "Open Studio" and "Quit", since some tray hosts show only the
// menu and never pass a click on. Without a tray host nothing shows; the studio window and a
// second launch stay the way in.

#include <functional>
#include <memory>

#include <QObject>
#include <QSystemTrayIcon>

#include "TarnInput/App/Tray/TrayIconArt.h"

class QAction;
class QMenu;

namespace tarn::input {

class TrayViewModel;
class MenuBarInputPopoverView;
class StudioCommands;

class StudioTray : public QObject {
    Q_OBJECT

public:
    StudioTray(TrayViewModel& viewModel, StudioCommands& commands, std::function<void()> onOpenStudio,
        std::function<void()> onQuit, QObject* parent = nullptr);
    ~StudioTray() override;

    TrayIconState iconState() const { return m_state; }
    QSystemTrayIcon& trayIcon() { return m_icon; }
    QMenu* menu() const { return m_menu.get(); }
    // The popover's window; hidden until the icon is clicked.
    QWidget* popoverWindow() const { return m_popoverWindow.get(); }
    MenuBarInputPopoverView* popover() const { return m_popover; }

    void showPopover();

private:
    void syncIcon();
    void syncTexts();
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    TrayViewModel& m_viewModel;
    std::function<void()> m_onOpenStudio;
    TrayIconState m_state;
    std::unique_ptr<QMenu> m_menu;
    QAction* m_openStudio = nullptr;
    QAction* m_quit = nullptr;
    std::unique_ptr<QWidget> m_popoverWindow;
    MenuBarInputPopoverView* m_popover = nullptr;
    // Last: it refers to the menu above.
    QSystemTrayIcon m_icon;
};

} // namespace tarn::input
